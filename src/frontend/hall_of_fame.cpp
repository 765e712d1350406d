#include "frontend/hall_of_fame.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/arith.h"
#include "frontend/menu_state.h"
#include "game/highscore.h"
#include "ui/labels.h"
#include "ui/text.h"

namespace {
const std::string TITLE = "Hall of Fame", OK = "ok";
const std::string HEADINGS[3] = {"SMALL", "MEDIUM", "LARGE"};
const std::string RANKS[10] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
// Heading x.
constexpr int HEADING_X[3] = {-668, -425, -170};
constexpr int NAME_X[3] = {-730, -483, -230};
constexpr int SCORE_X[3] = {-620, -373, -120};

// Reused for every name and score, so a frame allocates nothing once it has grown.
std::string Scratch;

const std::string& ScoreText(int32_t score) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", static_cast<int>(score));
  Scratch.assign(digits);
  return Scratch;
}
} // namespace

uint8_t HighlightPulse(int32_t ticks) {
  double s = std::sin(static_cast<double>(ticks) / 50.0);
  return static_cast<uint8_t>(Round((s / 2.0 + 0.5) * 255.0));
}

bool HighlightedEntry(int* table, int* index) {
  if (LastInsertSize != 8 && LastInsertSize != 10 && LastInsertSize != 12) return false;
  if (LastInsertIndex < 0 || LastInsertIndex >= HIGHSCORE_ENTRIES) return false;
  *table = HighScoreTableIndex(LastInsertSize);
  *index = LastInsertIndex;
  return true;
}

void DrawHallOfFame(int p) {
  Scratch.reserve(40);
  DrawPanel(p - 780, 197, 760, 380, 128, 128, 228);
  int litTable = -1, litIndex = -1;
  bool lit = HighlightedEntry(&litTable, &litIndex);
  for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) {
    int y = 280 + 25 * i;
    int entry = HIGHSCORE_ENTRIES - 1 - i;
    DrawText(p - 765, y, 25, 255, 255, 0, RANKS[i]);
    for (int t = 0; t < 3; ++t) {
      if (lit && t == litTable && entry == litIndex) continue;
      const HighScoreEntry& e = HighScores.tables[t][entry];
      DrawText(p + NAME_X[t], y + 6, 16, 255, 255, 255, EntryName(e, Scratch));
      DrawText(p + SCORE_X[t], y, 25, 255, 255, 0, ScoreText(e.score));
    }
  }
  if (lit) {
    uint8_t c = HighlightPulse(MenuTicks);
    const HighScoreEntry& e = HighScores.tables[litTable][litIndex];
    DrawText(p + NAME_X[litTable], 511 - 25 * litIndex, 16, 255, c, c, EntryName(e, Scratch));
    DrawText(p + SCORE_X[litTable], 505 - 25 * litIndex, 25, 255, c, 0, ScoreText(e.score));
  }
  DrawCentredHoverText(p - 400, 532, 30, OK, SIDE_OK_ID);
  for (int t = 0; t < 3; ++t) DrawShadowedText(p + HEADING_X[t], 255, 20, 255, 255, 255, HEADINGS[t]);
  DrawCentredShadowedText(p - 400, 207, 30, 255, 255, 255, TITLE);
}
