// Program entry: reads the command line (--help, --version and a bad argument end
// here), masks every floating-point exception (faults give infinities or NaNs
// instead of stopping the program), then runs the whole game.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fenv.h>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/program.h"

namespace {
// Prints the text on stdout; a failed write (a full disk, a closed pipe) is an
// error, not a silent success.
int PrintAndExit(const std::string& text) {
  if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "quorbels: write error: %s\n", std::strerror(errno));
    return 1;
  }
  return 0;
}
} // namespace

int main(int argc, char** argv) {
  const ParsedCommandLine parsed =
      ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  switch (parsed.verdict) {
  case CommandLineVerdict::ShowHelp:
    return PrintAndExit(HelpText());
  case CommandLineVerdict::ShowVersion:
    return PrintAndExit(VersionText());
  case CommandLineVerdict::Refuse:
    std::fputs(parsed.diagnostics.c_str(), stderr);
    return 2;
  case CommandLineVerdict::Run:
    break;
  }
  CommandLine = parsed.settings;

  fedisableexcept(FE_ALL_EXCEPT);
  return RunProgram() == 0 ? 0 : 1;
}
