#include "app/command_line.h"

#include "quorbels_version.h"

CommandLineSettings CommandLine;

namespace {

enum class OptionId : uint8_t { Fullscreen, Windowed, Multisample, NoPacing, Help, Version };

struct OptionSpec {
  const char* name; // without the leading "--"
  OptionId id;
  bool takesValue;
};

constexpr OptionSpec OPTIONS[] = {
    {"fullscreen", OptionId::Fullscreen, false},
    {"windowed", OptionId::Windowed, false},
    {"multisample", OptionId::Multisample, true},
    {"no-pacing", OptionId::NoPacing, false},
    {"help", OptionId::Help, false},
    {"version", OptionId::Version, false},
};

// The option a name (possibly abbreviated) stands for: an exact name first, then
// the one option the name begins. Null with `problem` set when there is none or
// more than one.
const OptionSpec* FindOption(const std::string& name, std::string& problem) {
  if (name.empty()) {
    problem = "unrecognized option '--" + name + "'";
    return nullptr;
  }
  for (const OptionSpec& option : OPTIONS)
    if (name == option.name) return &option;
  const OptionSpec* found = nullptr;
  std::string candidates;
  int count = 0;
  for (const OptionSpec& option : OPTIONS) {
    if (std::string(option.name).compare(0, name.size(), name) != 0) continue;
    found = &option;
    candidates += std::string(" '--") + option.name + "'";
    ++count;
  }
  if (count == 1) return found;
  if (count == 0)
    problem = "unrecognized option '--" + name + "'";
  else
    problem = "option '--" + name + "' is ambiguous; possibilities:" + candidates;
  return nullptr;
}

bool ReadMultisample(const std::string& value, MultisampleChoice& choice) {
  if (value == "auto")
    choice = MultisampleChoice::Auto;
  else if (value == "on")
    choice = MultisampleChoice::On;
  else if (value == "off")
    choice = MultisampleChoice::Off;
  else
    return false;
  return true;
}

} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  CommandLineVerdict firstRequest = CommandLineVerdict::Run; // --help or --version, whichever came first
  std::string errors;
  auto refuse = [&errors](const std::string& line) { errors += "quorbels: " + line + "\n"; };

  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      refuse("unexpected argument '" + arg + "' (the game takes options only)");
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg[1] != '-') {
      refuse("unrecognized option '" + arg + "'");
      continue;
    }
    size_t equals = arg.find('=');
    std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    std::string problem;
    const OptionSpec* option = FindOption(name, problem);
    if (option == nullptr) {
      refuse(problem);
      continue;
    }
    const std::string fullName = std::string("--") + option->name;
    std::string value;
    if (option->takesValue) {
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        refuse("option '" + fullName + "' requires an argument");
        continue;
      }
    } else if (equals != std::string::npos) {
      refuse("option '" + fullName + "' doesn't allow an argument");
      continue;
    }

    CommandLineSettings& settings = parsed.settings;
    switch (option->id) {
    case OptionId::Fullscreen:
      settings.display = DisplayChoice::Fullscreen;
      break;
    case OptionId::Windowed:
      settings.display = DisplayChoice::Windowed;
      break;
    case OptionId::Multisample:
      if (!ReadMultisample(value, settings.multisample))
        refuse("invalid argument '" + value + "' for '" + fullName +
               "'; valid arguments are 'auto', 'on', 'off'");
      break;
    case OptionId::NoPacing:
      settings.framePacing = 0;
      break;
    case OptionId::Help:
      if (firstRequest == CommandLineVerdict::Run) firstRequest = CommandLineVerdict::ShowHelp;
      break;
    case OptionId::Version:
      if (firstRequest == CommandLineVerdict::Run) firstRequest = CommandLineVerdict::ShowVersion;
      break;
    }
  }

  if (!errors.empty()) {
    parsed.verdict = CommandLineVerdict::Refuse;
    parsed.diagnostics = errors + "Try 'quorbels --help' for more information.\n";
  } else {
    parsed.verdict = firstRequest;
  }
  return parsed;
}

std::string HelpText() {
  return "Usage: quorbels [OPTION]...\n"
         "Play Quorbels, a 3D puzzle game: pull the flying stones down into complete rows.\n"
         "\n"
         "  --fullscreen          play full screen this time (the saved option is kept)\n"
         "  --windowed            play in an 800 x 600 window this time (the saved option\n"
         "                          is kept)\n"
         "  --multisample=WHEN    smooth the edges of the 3D scene: 'auto' (the default:\n"
         "                          on, except on a software renderer), 'on' or 'off'\n"
         "  --no-pacing           draw frames as fast as possible instead of at the\n"
         "                          display's refresh rate\n"
         "  --help                show this help and exit\n"
         "  --version             show the version and exit\n"
         "\n"
         "Options and progress are kept in data/misc/ beside the program when that folder\n"
         "can be written, otherwise in $XDG_DATA_HOME/quorbels/ (by default\n"
         "~/.local/share/quorbels/).\n"
         "\n"
         "Manual: man 6 quorbels. Home page: <" QUORBELS_HOMEPAGE ">\n";
}

std::string VersionText() {
  return "quorbels " QUORBELS_VERSION "\n"
         "Copyright (C) " QUORBELS_COPYRIGHT_YEAR " The Quorbels team\n"
         "License GPL-3.0-or-later <https://gnu.org/licenses/gpl.html>.\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.\n";
}

uint8_t FullscreenForThisRun(uint8_t savedFullscreen) {
  switch (CommandLine.display) {
  case DisplayChoice::Fullscreen:
    return 1;
  case DisplayChoice::Windowed:
    return 0;
  case DisplayChoice::Saved:
    break;
  }
  return savedFullscreen;
}
