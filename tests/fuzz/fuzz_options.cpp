// Any bytes as the options file: it is read from disk exactly as the game reads it at
// start, every setting is brought into its range, the settings drive a game (mouse
// speed, aim help, help pages), and writing them back stores exactly the seven
// settings held.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/files.h"
#include "fuzz_game.h"

namespace {
std::string FuzzFolder() {
  static std::string folder;
  if (folder.empty()) {
    // Memory-backed when possible: every run writes and syncs the file twice.
    char pattern[] = "/dev/shm/quorbels-fuzz-options-XXXXXX";
    char fallback[] = "/tmp/quorbels-fuzz-options-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) made = mkdtemp(fallback);
    FuzzCheck(made != nullptr);
    folder = std::string(made) + "/";
    mkdir((folder + "data").c_str(), 0755);
    mkdir((folder + "data/misc").c_str(), 0755);
    // Runs end through exit(): the folder goes with the process.
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    });
  }
  return folder;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A short file ends the program before any setting is used; that path has its own tests.
  if (size < OPTIONS_SIZE) return 0;
  BaseDir = FuzzFolder();
  const std::string path = BaseDir + "data/misc/opt.dat";
  FuzzCheck(WriteFileAtomic(path, data, size));

  ResetHeadlessGame(1);
  ReadOptionsFile();
  // Every setting in the range the options screen offers: switches 0 or 1, digits 0..9.
  for (int i = OPT_FULLSCREEN; i <= OPT_SHOW_CHARACTER; ++i) FuzzCheck(Options[i] == (data[i] != 0 ? 1 : 0));
  for (int i = OPT_MOUSE_SPEED; i <= OPT_SOUND_VOLUME; ++i)
    FuzzCheck(Options[i] == std::min<uint8_t>(data[i], 9));
  FuzzCheck(MouseSpeedFactor(Options[OPT_MOUSE_SPEED]) > 0.0f);

  StartLevel(ARCADE_LEVEL, 0);
  PlayFromBytes(data + OPTIONS_SIZE, size - OPTIONS_SIZE, 50);

  FuzzCheck(WriteOptionsFile());
  std::vector<uint8_t> back;
  FuzzCheck(ReadWholeFile(path, back));
  FuzzCheck(back.size() == OPTIONS_SIZE);
  for (int i = 0; i < OPTIONS_SIZE; ++i) FuzzCheck(back[i] == Options[i]);
  return 0;
}
