// Name entry for a new arcade high score and the insertion into the table of
// the game's cylinder size. The keys arrive once per frame while held; a key is
// accepted again only after its repeat delay, counted down by the game tick.
#include <algorithm>
#include <cstring>

#include "assets/text.h"
#include "frontend/highscore.h"
#include "game/actions.h"
#include "game/state.h"

uint8_t NameEntryActive = 0;
std::string PlayerName;
uint8_t KeyRepeatDelay[256];
int32_t LastInsertSize = -1;
int32_t LastInsertIndex = -1;

namespace {
constexpr size_t NAME_MAX_TYPED = 12;
constexpr int VK_BACKSPACE = 8;
constexpr int VK_ENTER = 13;
constexpr int VK_SPACE = 32;
constexpr int32_t BUTTON_OK = 3;
constexpr uint8_t LETTER_DELAY = 20;
constexpr uint8_t BACKSPACE_DELAY = 10;
} // namespace

bool ScoreQualifies(int32_t score, int cylinderSize) {
  return score >= HighScores.tables[HighScoreTableIndex(cylinderSize)][0].score;
}

void NameEntryKey(int vk) {
  if (vk < 0 || vk > 255) return;
  if (KeyRepeatDelay[vk] != 0) return;
  if (vk == VK_ENTER) {
    // Enter confirms exactly like a click on the dialog's "Ok".
    HoverId = BUTTON_OK;
    DispatchAction(0);
  }
  if (vk == VK_BACKSPACE && !PlayerName.empty()) PlayerName.pop_back();
  if (PlayerName.size() < NAME_MAX_TYPED) {
    if (vk == VK_SPACE) PlayerName.push_back(' ');
    if (vk >= 'A' && vk <= 'Z') PlayerName.push_back(static_cast<char>(vk));
  }
  KeyRepeatDelay[vk] = vk == VK_BACKSPACE ? BACKSPACE_DELAY : LETTER_DELAY;
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
