// Any bytes as one level record (the file is 100 of them): the record must survive a
// round trip unchanged, its text and puzzle stones stay in range, and the level
// plays with the rest of the input as the player's hand without breaking the rules.
#include <cstring>

#include "fuzz_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A file too short for the whole table is refused and leaves the table alone.
  if (size < LEVEL_FILE_SIZE) {
    LevelTable[0].speed = 77;
    FuzzCheck(!DecodeLevelFile(data, size));
    FuzzCheck(LevelTable[0].speed == 77);
  }
  if (size < LEVEL_RECORD_SIZE) return 0;

  LevelRecord record = DecodeLevelRecord(data);
  uint8_t again[LEVEL_RECORD_SIZE];
  EncodeLevelRecord(record, again);
  FuzzCheck(std::memcmp(again, data, LEVEL_RECORD_SIZE) == 0);
  FuzzCheck(LevelText(record).size() <= LEVEL_TEXT_SIZE);
  for (int i = 0; i < PUZZLE_SEQUENCE_LENGTH; ++i) FuzzCheck(PuzzleSequenceKind(record, i) <= 17);
  int32_t size8 = CylinderSizeForCode(record.sizeCode, 8);
  FuzzCheck(size8 == 8 || size8 == 10 || size8 == 12);

  ResetHeadlessGame(1);
  const uint8_t* input = data + LEVEL_RECORD_SIZE;
  size_t inputSize = size - LEVEL_RECORD_SIZE;
  uint16_t level = inputSize > 0 ? input[0] % STORY_LEVELS : 0;
  LevelTable[level] = record;
  HighScores.profile.storyProgress = STORY_LEVELS;
  if (inputSize > 3) std::memcpy(ItemSlots, input + 1, 3);
  StartLevel(level, 0);
  // Forty ticks see the first stones land and the first rows clear.
  PlayFromBytes(input, inputSize, 40);
  return 0;
}
