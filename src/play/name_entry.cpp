// Name entry for a new arcade high score: the keys arrive once per frame while
// held; a key is accepted again only after its repeat delay, counted down by the
// game tick. The name goes into the hall of fame when the dialog is confirmed.
#include "play/name_entry.h"

#include "core/input.h"
#include "game/highscore.h"
#include "play/actions.h"

namespace {
constexpr size_t NAME_MAX_TYPED = 12;
constexpr int VK_BACKSPACE = 8;
constexpr int VK_ENTER = 13;
constexpr int VK_SPACE = 32;
constexpr int32_t BUTTON_OK = 3;
constexpr uint8_t LETTER_DELAY = 20;
constexpr uint8_t BACKSPACE_DELAY = 10;
} // namespace

void AddNameCharacter(char c) {
  if (PlayerName.size() < NAME_MAX_TYPED) PlayerName.push_back(c);
}

void RemoveNameCharacter() {
  if (!PlayerName.empty()) PlayerName.pop_back();
}

void ConfirmName() {
  HoverId = BUTTON_OK;
  DispatchAction(0);
}

void NameEntryKey(int vk) {
  if (vk < 0 || vk > 255) return;
  if (KeyRepeatDelay[vk] != 0) return;
  // Enter confirms exactly like a click on the dialog's "Ok".
  if (vk == VK_ENTER) ConfirmName();
  if (vk == VK_BACKSPACE) RemoveNameCharacter();
  if (vk == VK_SPACE) AddNameCharacter(' ');
  if (vk >= 'A' && vk <= 'Z') AddNameCharacter(static_cast<char>(vk));
  KeyRepeatDelay[vk] = vk == VK_BACKSPACE ? BACKSPACE_DELAY : LETTER_DELAY;
}
