#include "game/options.h"

#include <algorithm>
#include <cstring>

#include "core/files.h"
#include "platform/platform.h"

uint8_t Options[OPTIONS_SIZE];

namespace {
const char* const OPTIONS_FILE = "opt.dat";
}

void ReadOptionsFile() {
  std::memset(Options, 0, sizeof Options);
  std::vector<uint8_t> bytes = ReadRequiredRecord(SavePath(OPTIONS_FILE), OPTIONS_SIZE);
  std::memcpy(Options, bytes.data(), OPTIONS_SIZE);
  LimitOptions(Options);
}

void LimitOptions(uint8_t options[OPTIONS_SIZE]) {
  for (int i = OPT_FULLSCREEN; i <= OPT_SHOW_CHARACTER; ++i) options[i] = options[i] != 0 ? 1 : 0;
  for (int i = OPT_MOUSE_SPEED; i <= OPT_SOUND_VOLUME; ++i) options[i] = std::min<uint8_t>(options[i], 9);
}

bool WriteOptionsFile() {
  std::string path = SavePath(OPTIONS_FILE);
  std::string why;
  if (!WriteFileAtomic(path, Options, OPTIONS_SIZE, &why)) {
    std::string text = "The options could not be saved to " + path + " (" + why +
                       "). The previous options file is unchanged.";
    PlatformMessageBox(text.c_str(), "Error", MessageIcon::Error);
    return false;
  }
  return true;
}
