// Any bytes as the save record (hall of fame, story progress, money, items): every
// stored value is kept as read through a round trip, names never grow past their
// field, and a game played with the stored items never breaks the rules.
#include <cstring>
#include <vector>

#include "fuzz_game.h"

namespace {
// Bytes of the record that hold no value: the last byte of each 36-byte entry and
// the three bytes between the item slots and the money.
bool IsFiller(size_t offset) {
  if (offset < 1080) return offset % 36 == 35;
  return offset >= 1085 && offset < 1088;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < HIGHSCORE_FILE_SIZE) return 0;
  HighScoreRecord record = DecodeHighScores(data);
  std::vector<uint8_t> again = EncodeHighScores(record);
  FuzzCheck(again.size() == HIGHSCORE_FILE_SIZE);
  for (size_t i = 0; i < HIGHSCORE_FILE_SIZE; ++i)
    if (!IsFiller(i)) FuzzCheck(again[i] == data[i]);

  for (const auto& table : record.tables)
    for (const HighScoreEntry& e : table) FuzzCheck(EntryName(e).size() <= HIGHSCORE_NAME_MAX);

  ResetHeadlessGame(1);
  HighScores = record;
  std::memcpy(ItemSlots, HighScores.slots, 3);
  for (int size8 : {8, 10, 12}) {
    CylinderSize = size8;
    int32_t score =
        size > HIGHSCORE_FILE_SIZE + 4
            ? static_cast<int32_t>(data[HIGHSCORE_FILE_SIZE] << 24 | data[HIGHSCORE_FILE_SIZE + 1] << 16 |
                                   data[HIGHSCORE_FILE_SIZE + 2] << 8 | data[HIGHSCORE_FILE_SIZE + 3])
            : 1000;
    if (ScoreQualifies(score, size8)) {
      InsertHighScore("FUZZ", score);
      FuzzCheck(LastInsertIndex >= 0 && LastInsertIndex < HIGHSCORE_ENTRIES);
    }
  }

  // A story level played with whatever items and progress the save holds.
  LevelRecord plain{};
  plain.speed = 28;
  plain.drain = 5;
  plain.lines = 10;
  plain.height = 1;
  plain.sizeCode = 2;
  LevelTable[0] = plain;
  StartLevel(0, 0);
  for (uint8_t action : {4, 5, 6}) {
    DispatchAction(action);
    GameTick();
    CheckGameInvariants();
  }
  RecordStoryLevelCleared(0);
  return 0;
}
