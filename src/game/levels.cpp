#include "game/levels.h"

#include <cstring>
#include <vector>

#include "core/binio.h"
#include "core/files.h"
#include "game/highscore.h"
#include "game/state.h"

LevelRecord LevelTable[LEVEL_RECORDS];

namespace {
const char* const LEVEL_FILE = "data/misc/levels.qrb";
constexpr size_t OFF_SPEED = 768;
constexpr size_t OFF_DRAIN = 769;
constexpr size_t OFF_LINES = 770;
constexpr size_t OFF_HEIGHT = 771;
constexpr size_t OFF_SIZE = 772;
constexpr size_t OFF_BOMB = 773;
constexpr size_t OFF_PUZZLE = 774;
constexpr size_t OFF_SEQUENCE = 775;
constexpr size_t OFF_LAYOUT = 791;
} // namespace

LevelRecord DecodeLevelRecord(const uint8_t* bytes) {
  ByteReader in(bytes, LEVEL_RECORD_SIZE);
  LevelRecord record;
  in.Bytes(0, record.text, LEVEL_TEXT_SIZE);
  record.speed = in.U8(OFF_SPEED);
  record.drain = in.U8(OFF_DRAIN);
  record.lines = in.U8(OFF_LINES);
  record.height = in.U8(OFF_HEIGHT);
  record.sizeCode = in.U8(OFF_SIZE);
  record.bombChance = in.U8(OFF_BOMB);
  record.puzzle = in.U8(OFF_PUZZLE);
  in.Bytes(OFF_SEQUENCE, record.sequence, PUZZLE_SEQUENCE_LENGTH);
  in.Bytes(OFF_LAYOUT, record.layout, sizeof record.layout);
  return record;
}

void EncodeLevelRecord(const LevelRecord& record, uint8_t* bytes) {
  std::memcpy(bytes, record.text, LEVEL_TEXT_SIZE);
  bytes[OFF_SPEED] = record.speed;
  bytes[OFF_DRAIN] = record.drain;
  bytes[OFF_LINES] = record.lines;
  bytes[OFF_HEIGHT] = record.height;
  bytes[OFF_SIZE] = record.sizeCode;
  bytes[OFF_BOMB] = record.bombChance;
  bytes[OFF_PUZZLE] = record.puzzle;
  std::memcpy(bytes + OFF_SEQUENCE, record.sequence, PUZZLE_SEQUENCE_LENGTH);
  std::memcpy(bytes + OFF_LAYOUT, record.layout, sizeof record.layout);
}

bool DecodeLevelFile(const uint8_t* bytes, size_t size) {
  if (size < LEVEL_FILE_SIZE) return false;
  for (int n = 0; n < LEVEL_RECORDS; ++n) LevelTable[n] = DecodeLevelRecord(bytes + n * LEVEL_RECORD_SIZE);
  return true;
}

void LoadLevelFile() {
  std::vector<uint8_t> bytes = ReadRequiredRecord(DataPath(LEVEL_FILE), LEVEL_FILE_SIZE);
  DecodeLevelFile(bytes.data(), bytes.size());
}

std::string LevelText(const LevelRecord& record) {
  size_t length = 0;
  while (length < static_cast<size_t>(LEVEL_TEXT_SIZE) && record.text[length] != 0) ++length;
  return std::string(record.text, length);
}

uint8_t PuzzleSequenceKind(const LevelRecord& record, int index) {
  if (index < 0 || index >= PUZZLE_SEQUENCE_LENGTH) return 0;
  uint8_t kind = record.sequence[index];
  return kind >= 1 && kind <= STONE_KINDS ? kind : 0;
}

int32_t CylinderSizeForCode(uint8_t sizeCode, int32_t current) {
  switch (sizeCode) {
  case 0:
    return 8;
  case 1:
    return 10;
  case 2:
    return 12;
  default:
    return current;
  }
}

void RecordStoryLevelCleared(uint16_t level) {
  uint16_t& progress = HighScores.profile.storyProgress;
  if (level + 1 == progress && progress < STORY_LEVELS) progress = static_cast<uint16_t>(progress + 1);
}
