// The story levels: the table of 100 level records read once at start-up from
// data/misc/levels.qrb, the record layout (shared with the data generator and the
// fuzzers through EncodeLevelRecord/DecodeLevelRecord), and story progression.
// Records 0..54 are the 55 story levels; 55..99 are carried but never played.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t LEVEL_RECORD_SIZE = 935;
constexpr int LEVEL_RECORDS = 100;
constexpr size_t LEVEL_FILE_SIZE = LEVEL_RECORD_SIZE * LEVEL_RECORDS; // 93,500 bytes
constexpr int STORY_LEVELS = 55;
constexpr int LEVEL_TEXT_SIZE = 768;
constexpr int PUZZLE_SEQUENCE_LENGTH = 16;
constexpr int LAYOUT_SIZE = 12; // the layout covers columns 0..11, rows 0..11

// One story level, field for field as stored (all single bytes except the text).
struct LevelRecord {
  char text[LEVEL_TEXT_SIZE];                // level description, zero-terminated within its 768 bytes
  uint8_t speed;                             // stone speed = speed / 14 units per tick
  uint8_t drain;                             // meter drain per tick = drain x 0.0012
  uint8_t lines;                             // lines to remove; a puzzle's first count until a refill
  uint8_t height;                            // dangerHeight = 12 - height
  uint8_t sizeCode;                          // 0 = 8 columns, 1 = 10, 2 = 12, other: keep the previous size
  uint8_t bombChance;                        // percent
  uint8_t puzzle;                            // 1 = puzzle level
  uint8_t sequence[PUZZLE_SEQUENCE_LENGTH];  // puzzle stone kinds in order; 0 = no further stone
  uint8_t layout[LAYOUT_SIZE * LAYOUT_SIZE]; // starting cells, column by column: k * 12 + l
};

// The level table, filled by LoadLevelFile (tests may write entries directly).
extern LevelRecord LevelTable[LEVEL_RECORDS];

// Pure conversion of one record from/to its 935 file bytes (explicit offsets:
// text 0, speed 768, drain 769, lines 770, height 771, size code 772, bomb chance
// 773, puzzle 774, sequence 775..790, layout 791..934). Values are not validated.
LevelRecord DecodeLevelRecord(const uint8_t* bytes);
void EncodeLevelRecord(const LevelRecord& record, uint8_t* bytes);

// Fills LevelTable from the first 93,500 bytes of `bytes`. False (table unchanged)
// when fewer bytes are given.
bool DecodeLevelFile(const uint8_t* bytes, size_t size);

// Reads data/misc/levels.qrb into LevelTable. A missing file or one shorter than
// 93,500 bytes ends the program with an input/output error naming the file.
void LoadLevelFile();

// The level's description up to its terminating zero, never past 768 characters.
std::string LevelText(const LevelRecord& record);

// The stone kind a puzzle takes from sequence entry `index` (0..15): 1..17, or 0
// for "no further stone". A damaged entry outside 1..17 counts as 0, so a bad
// level file can never name a template that does not exist.
uint8_t PuzzleSequenceKind(const LevelRecord& record, int index);

// The cylinder size a size code asks for (8, 10, 12), or `current` for any other code.
int32_t CylinderSizeForCode(uint8_t sizeCode, int32_t current);

// Story progression after level `level` was cleared: when level + 1 equals the
// unlocked count and the count is below 55, one more level opens. Changes the
// profile in HighScores (saved at exit).
void RecordStoryLevelCleared(uint16_t level);
