// Placeholder until the name entry lands: the "New Highscore" dialog never takes
// keys and no score enters a table.
#include "frontend/highscore.h"

uint8_t NameEntryActive = 0;
std::string PlayerName;
uint8_t KeyRepeatDelay[256];
int32_t LastInsertSize = -1;
int32_t LastInsertIndex = -1;

bool ScoreQualifies(int32_t, int) { return false; }
void NameEntryKey(int) {}
void InsertHighScore(const std::string&, int32_t) {}
