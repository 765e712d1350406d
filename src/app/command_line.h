// The program's command line, in the GNU manner: long options only, a value as
// --opt=value or as the next argument, unambiguous abbreviations (--full), and
// "--" ends the options. The game takes no other arguments. main parses the
// arguments once, before anything else starts, and stores what was asked for in
// CommandLine; the rest of the program only reads that record.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/gl_state.h"

// --fullscreen / --windowed: the display mode of this run. The saved option stays
// the player's own: the options screen shows and writes it unchanged.
enum class DisplayChoice : uint8_t { Saved, Fullscreen, Windowed };

// --multisample=auto|on|off: MultisampleChoice (render/gl_state.h).

struct CommandLineSettings {
  DisplayChoice display = DisplayChoice::Saved;
  MultisampleChoice multisample = MultisampleChoice::Auto;
  uint8_t framePacing = 1; // 0 after --no-pacing: frames are drawn back to back
};

// What this run was started with; set by main before RunProgram, defaults when
// the program's code runs without a command line (tests, benchmarks).
extern CommandLineSettings CommandLine;

enum class CommandLineVerdict : uint8_t { Run, ShowHelp, ShowVersion, Refuse };

struct ParsedCommandLine {
  CommandLineVerdict verdict = CommandLineVerdict::Run;
  CommandLineSettings settings; // meaningful for Run
  // For Refuse: one "quorbels: ..." line naming every bad argument, then a line
  // pointing at --help; printed on stderr as it is.
  std::string diagnostics;
};

// Reads the arguments after the program name. Every argument is checked and every
// bad one reported; a later --fullscreen/--windowed or --multisample overrides an
// earlier one. Without errors, the first of --help and --version wins.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The --help text (usage, every option, where the files are) and the --version
// text ("quorbels 1.4" and the licence), each ending in a newline.
std::string HelpText();
std::string VersionText();

// The display mode this run opens in: 1 full screen, 0 window. The command line's
// choice when one was given, otherwise the saved option `savedFullscreen`.
uint8_t FullscreenForThisRun(uint8_t savedFullscreen);
