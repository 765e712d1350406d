// The command line: what each argument list asks for, and for a bad one, the
// message that names every bad argument and points at --help.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

using V = CommandLineVerdict;
using D = DisplayChoice;
using M = MultisampleChoice;

struct Case {
  std::vector<std::string> args;
  V verdict;
  D display = D::Saved;
  M multisample = M::Auto;
  uint8_t framePacing = 1;
  std::vector<std::string> named = {}; // Refuse: pieces the message must hold
};

const Case CASES[] = {
    {{}, V::Run},
    {{"--fullscreen"}, V::Run, D::Fullscreen},
    {{"--windowed"}, V::Run, D::Windowed},
    {{"--fullscreen", "--windowed"}, V::Run, D::Windowed},
    {{"--full"}, V::Run, D::Fullscreen},
    {{"--multisample=on"}, V::Run, D::Saved, M::On},
    {{"--multisample", "off"}, V::Run, D::Saved, M::Off},
    {{"--multisample=off", "--multisample=auto"}, V::Run, D::Saved, M::Auto},
    {{"--no-pacing"}, V::Run, D::Saved, M::Auto, 0},
    {{"--no-pacing", "--windowed", "--multi", "on", "--"}, V::Run, D::Windowed, M::On, 0},
    {{"--help"}, V::ShowHelp},
    {{"--h"}, V::ShowHelp},
    {{"--version"}, V::ShowVersion},
    {{"--version", "--help"}, V::ShowVersion},
    {{"--fullscreen", "--help"}, V::ShowHelp},
    {{"--bogus"}, V::Refuse, D::Saved, M::Auto, 1, {"unrecognized option '--bogus'"}},
    {{"--bogus", "--windowed", "--worse"}, V::Refuse, D::Saved, M::Auto, 1, {"'--bogus'", "'--worse'"}},
    {{"--help", "--bogus"}, V::Refuse, D::Saved, M::Auto, 1, {"'--bogus'"}},
    {{"-f"}, V::Refuse, D::Saved, M::Auto, 1, {"unrecognized option '-f'"}},
    {{"--="}, V::Refuse, D::Saved, M::Auto, 1, {"unrecognized option '--'"}},
    {{"level7"}, V::Refuse, D::Saved, M::Auto, 1, {"unexpected argument 'level7'"}},
    {{"-"}, V::Refuse, D::Saved, M::Auto, 1, {"unexpected argument '-'"}},
    {{"--", "--help"}, V::Refuse, D::Saved, M::Auto, 1, {"unexpected argument '--help'"}},
    {{"--multisample"}, V::Refuse, D::Saved, M::Auto, 1, {"option '--multisample' requires an argument"}},
    {{"--multisample=maybe"},
     V::Refuse,
     D::Saved,
     M::Auto,
     1,
     {"invalid argument 'maybe' for '--multisample'", "'auto', 'on', 'off'"}},
    {{"--multisample", "ON"}, V::Refuse, D::Saved, M::Auto, 1, {"invalid argument 'ON'"}},
    {{"--multisample="}, V::Refuse, D::Saved, M::Auto, 1, {"invalid argument ''"}},
    {{"--windowed=yes"}, V::Refuse, D::Saved, M::Auto, 1, {"option '--windowed' doesn't allow an argument"}},
};

std::string Describe(const std::vector<std::string>& args) {
  std::string text = "quorbels";
  for (const std::string& arg : args) text += " '" + arg + "'";
  return text;
}

TEST(CommandLine, EachArgumentListAsksForItsRunOrIsRefusedWithEveryBadArgumentNamed) {
  const std::string help = HelpText();
  for (const Case& c : CASES) {
    SCOPED_TRACE(Describe(c.args));
    const ParsedCommandLine parsed = ParseCommandLine(c.args);
    ASSERT_EQ(parsed.verdict, c.verdict);
    if (c.verdict == V::Refuse) {
      // Every line says who speaks; the last one points at the help.
      EXPECT_TRUE(
          std::regex_match(parsed.diagnostics, std::regex("(quorbels: [^\n]+\n)+"
                                                          "Try 'quorbels --help' for more information.\n")))
          << parsed.diagnostics;
      for (const std::string& piece : c.named)
        EXPECT_NE(parsed.diagnostics.find(piece), std::string::npos) << piece;
      continue;
    }
    EXPECT_TRUE(parsed.diagnostics.empty());
    // Whatever is accepted is documented.
    for (const std::string& arg : c.args) {
      if (arg.rfind("--", 0) != 0 || arg.size() == 2) continue;
      EXPECT_NE(help.find(arg.substr(0, arg.find('='))), std::string::npos) << arg;
    }
    if (c.verdict != V::Run) continue;
    EXPECT_EQ(parsed.settings.display, c.display);
    EXPECT_EQ(parsed.settings.multisample, c.multisample);
    EXPECT_EQ(parsed.settings.framePacing, c.framePacing);
  }
  EXPECT_TRUE(std::regex_search(VersionText(), std::regex("^quorbels [0-9]+\\.[0-9]+(\\.[0-9]+)?\n")))
      << VersionText();
}

} // namespace
