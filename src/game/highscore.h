// The high-score record: three tables of ten arcade scores (one per cylinder
// size) and the player's story profile, stored together in data/misc/hsc.dat
// (1092 bytes). Read once at the first asset load, written once at exit.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t HIGHSCORE_FILE_SIZE = 1092;
constexpr int HIGHSCORE_ENTRIES = 10;
constexpr int HIGHSCORE_NAME_MAX = 30;

// One table entry. Entry 0 of a table is the lowest score, entry 9 the best.
struct HighScoreEntry {
  int32_t score;
  uint8_t nameLength;  // as stored; a value above 30 is kept but only 30 characters count
  char name[HIGHSCORE_NAME_MAX];
};

// The story profile kept with the high scores.
struct PlayerProfile {
  uint16_t storyProgress;  // number of unlocked story levels, 1..55
  int32_t money;
};

// The most money the player can hold. The shop's money panel, the narrowest place
// the amount is shown, has room for six digits.
constexpr int32_t MONEY_CAP = 999999;
// An amount of money brought into 0..MONEY_CAP. Every change of the player's money
// (a sale, a purchase, a cleared level) and every loaded amount goes through it,
// so the amount never wraps around and always fits where it is shown.
int32_t LimitMoney(int64_t amount);

struct HighScoreRecord {
  HighScoreEntry tables[3][HIGHSCORE_ENTRIES];  // cylinder sizes 8, 10, 12
  PlayerProfile profile;
  uint8_t slots[3];  // item slots as stored; ItemSlots holds the live copy
};
extern HighScoreRecord HighScores;

// Table index for a cylinder size: 8 -> 0, 10 -> 1, 12 -> 2 (anything else -> 2).
int HighScoreTableIndex(int cylinderSize);
// The entry's name as text, cut at 30 characters.
std::string EntryName(const HighScoreEntry& entry);
// The same written into `out` (which keeps its storage, so drawing allocates
// nothing once it has grown); returns `out`.
const std::string& EntryName(const HighScoreEntry& entry, std::string& out);

// Pure conversion between the record and its 1092 file bytes (explicit offsets).
HighScoreRecord DecodeHighScores(const uint8_t* bytes);
std::vector<uint8_t> EncodeHighScores(const HighScoreRecord& record);

// Reads data/misc/hsc.dat into HighScores, brings the money into 0..MONEY_CAP and
// copies the slots into ItemSlots. A missing or short file ends the program with a
// message naming it.
void LoadHighScoreFile();
// Copies ItemSlots into the record and replaces data/misc/hsc.dat atomically.
// False (the old file untouched) when the write fails; the failure is reported.
bool SaveHighScoreFile();

// --- name entry and insertion (game over of an arcade game) -------------------------
// The dialog's keys are handled by NameEntryKey (play/name_entry.h).
extern uint8_t NameEntryActive;      // 1 while the "New Highscore" dialog is up
extern std::string PlayerName;       // at most 12 characters typed
extern uint8_t KeyRepeatDelay[256];  // game ticks before a key types again
extern char PadNameLetter;           // the letter a game controller adds next: 'A'..'Z' or a blank
extern int32_t LastInsertSize;       // 8, 10, 12 or -1
extern int32_t LastInsertIndex;      // 0..9 or -1

// Whether an arcade score of the given cylinder size enters the hall of fame.
bool ScoreQualifies(int32_t score, int cylinderSize);
// Puts the score into the table of the current cylinder size.
void InsertHighScore(const std::string& name, int32_t score);
