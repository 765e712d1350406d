// datagen DATA_DIR: writes every file of the game's data folder.
#include <cstdio>
#include <filesystem>
#include <string>

#include "datagen.h"
#include "icons.h"

int main(int argc, char** argv) {
  // A folder is the only argument; "--help" and other options are not folder names.
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: %s DATA_DIR\nWrites every file of the game's data folder into DATA_DIR.\n", argv[0]);
    return 2;
  }
  std::string dir = argv[1];
  if (dir.empty() || dir.back() != '/') dir += '/';
  std::error_code ec;
  for (const char* sub : {"misc", "textures", "3d", "sound", "music"}) {
    std::filesystem::create_directories(dir + sub, ec);
    if (ec) {
      std::fprintf(stderr, "datagen: cannot create %s%s: %s\n", dir.c_str(), sub, ec.message().c_str());
      return 1;
    }
  }
  bool ok = WriteRecords(dir) && WriteLevels(dir) && WriteFont(dir) && WritePictures(dir) && WriteModels(dir) &&
            WriteSounds(dir) && WriteMusic(dir) && WriteIcons(dir);
  return ok ? 0 : 1;
}
