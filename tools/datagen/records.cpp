// The two player files as installed: the options and the high-score record.
#include <cstring>

#include "core/files.h"
#include "datagen.h"
#include "game/highscore.h"

namespace {
// A rebuild must never cost the player their progress: a player file that is
// already there with a sound size is kept as it is.
bool KeepExisting(const std::string& path, size_t size) {
  std::vector<uint8_t> old;
  return ReadWholeFile(path, old) && old.size() >= size;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (KeepExisting(path, bytes.size())) return true;
  return WriteDataFile(path, bytes);
}
}  // namespace

bool WriteRecords(const std::string& dataDir) {
  // windowed, instructions on, arcade aim help on, character on, mouse speed 4, music 7, sound 7
  const std::vector<uint8_t> options = {0, 1, 1, 1, 4, 7, 7};
  if (!Write(dataDir + "misc/opt.dat", options)) return false;

  // Ten made-up players per table, so a new player has something to beat.
  static const char* const Names[3][10] = {
      {"PIP", "MILA", "OTTO", "JUNO", "KAI", "NELL", "RUFUS", "IDA", "BRAM", "QUINN"},
      {"TESS", "LUKE", "MAVIS", "HUGO", "ZOE", "ARLO", "WREN", "FELIX", "NORA", "QUORBEL"},
      {"SAM", "EVIE", "JASPER", "LOLA", "MILO", "GRETA", "ODIN", "FAYE", "ROCCO", "MASTER Q"},
  };
  HighScoreRecord record{};
  for (int t = 0; t < 3; ++t) {
    for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) {
      HighScoreEntry& e = record.tables[t][i];
      e.score = (i + 1) * (i + 1) * 40 + t * 60;  // ascending: entry 0 lowest
      const char* name = Names[t][i];
      e.nameLength = static_cast<uint8_t>(std::strlen(name));
      std::memcpy(e.name, name, e.nameLength);
    }
  }
  record.profile.storyProgress = 1;
  record.profile.money = 0;
  return Write(dataDir + "misc/hsc.dat", EncodeHighScores(record));
}
