// The hall of fame's rules: whether an arcade score enters its table, and the
// insertion into the table of the game's cylinder size, with the name typed in the
// "New Highscore" dialog (play/name_entry.cpp).
#include <algorithm>
#include <cstring>

#include "game/highscore.h"
#include "game/state.h"

uint8_t NameEntryActive = 0;
std::string PlayerName;
uint8_t KeyRepeatDelay[256];
char PadNameLetter = 'A';
int32_t LastInsertSize = -1;
int32_t LastInsertIndex = -1;

bool ScoreQualifies(int32_t score, int cylinderSize) {
  return score >= HighScores.tables[HighScoreTableIndex(cylinderSize)][0].score;
}

void InsertHighScore(const std::string& name, int32_t score) {
  HighScoreEntry(&table)[HIGHSCORE_ENTRIES] = HighScores.tables[HighScoreTableIndex(CylinderSize)];
  HighScoreEntry fresh{};
  fresh.score = score;
  size_t length = std::min<size_t>(name.size(), HIGHSCORE_NAME_MAX);
  fresh.nameLength = static_cast<uint8_t>(length);
  std::memcpy(fresh.name, name.data(), length);

  HighScoreEntry result[HIGHSCORE_ENTRIES];
  int a = HIGHSCORE_ENTRIES - 1;
  bool inserted = false;
  for (int n = HIGHSCORE_ENTRIES - 1; n >= 0; --n) {
    if (score < table[a].score || inserted) {
      result[n] = table[a--];
    } else {
      result[n] = fresh;
      LastInsertSize = CylinderSize;
      LastInsertIndex = n;
      inserted = true;
    }
  }
  std::copy(result, result + HIGHSCORE_ENTRIES, table);
}
