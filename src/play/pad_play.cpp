#include "play/pad_play.h"

#include <cmath>

#include "core/input.h"
#include "core/pad.h"
#include "game/highscore.h"
#include "game/state.h"
#include "game/stones.h"
#include "play/actions.h"
#include "play/name_entry.h"
#include "ui/labels.h"
#include "ui/pointer_targets.h"

namespace {
// Player actions (play/actions.h) the buttons stand for.
constexpr uint8_t ACTION_LEFT_BUTTON = 0, ACTION_TURN = 1, ACTION_REVERSE = 2, ACTION_TURN_BACK = 3,
                  ACTION_SLOT_1 = 4, ACTION_PAUSE = 7;

// The letters of the name entry in the order up walks through them.
constexpr char LETTERS[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ ";
constexpr int LETTER_COUNT = 27;

char StepLetter(char letter, int step) {
  int i = 0;
  while (i < LETTER_COUNT - 1 && LETTERS[i] != letter) ++i;
  return LETTERS[((i + step) % LETTER_COUNT + LETTER_COUNT) % LETTER_COUNT];
}

void NameEntryButton(PadButton button) {
  switch (button) {
  case PadButton::DpadUp:
    PadNameLetter = StepLetter(PadNameLetter, 1);
    break;
  case PadButton::DpadDown:
    PadNameLetter = StepLetter(PadNameLetter, -1);
    break;
  case PadButton::DpadRight:
  case PadButton::A:
    AddNameCharacter(PadNameLetter);
    break;
  case PadButton::DpadLeft:
  case PadButton::B:
    RemoveNameCharacter();
    break;
  case PadButton::Start:
    ConfirmName();
    break;
  default:
    break;
  }
}

// A click on a dialog's label, wherever the pointer is.
void ClickLabel(int32_t id) {
  HoverId = id;
  DispatchAction(ACTION_LEFT_BUTTON);
}

// Whether the stones are in the player's hands: no dialog, overlay or editor over them.
bool InPlay() {
  return CurrentGame.paused == 0 && CurrentGame.gameOver == 0 && !CurrentGame.helpShown &&
         CurrentGame.levelCleared == 0 && CurrentGame.dreamTimer == 0;
}

// The d-pad: in play its left and right put the pointer where the anchor stands a
// column further (the anchor follows the pointer at the next tick, as it follows
// the mouse); otherwise it steps the pointer to the next thing to click.
void Direction(int dx, int dy) {
  if (!InPlay()) {
    StepPointer(dx, dy);
    return;
  }
  if (dx == 0) return;
  const float x = PointerXForColumn(Anchor.column + dx, CONFINE_LEFT, CONFINE_RIGHT - 1);
  MouseX = static_cast<int32_t>(std::lround(x));
}
} // namespace

void PadGameButton(PadButton button) {
  if (NameEntryActive == 1) {
    NameEntryButton(button);
    return;
  }
  // While the instructions are shown, every action would click the label under
  // the pointer: only A clicks, Start plays and the d-pad moves.
  const bool instructions = CurrentGame.helpShown != 0;
  switch (button) {
  case PadButton::A:
    DispatchAction(ACTION_LEFT_BUTTON);
    break;
  case PadButton::Start:
    if (instructions)
      ClickLabel(HELP_PLAY_ID);
    else if (CurrentGame.paused == 1)
      ClickLabel(DIALOG_NO_ID);
    else
      DispatchAction(ACTION_PAUSE);
    break;
  case PadButton::B:
    if (CurrentGame.paused == 1)
      ClickLabel(DIALOG_NO_ID);
    else if (!instructions)
      DispatchAction(ACTION_TURN_BACK);
    break;
  case PadButton::X:
    if (!instructions) DispatchAction(ACTION_TURN);
    break;
  case PadButton::Y:
    if (!instructions) DispatchAction(ACTION_REVERSE);
    break;
  case PadButton::LeftShoulder:
  case PadButton::Back:
  case PadButton::RightShoulder: {
    const uint8_t slot = button == PadButton::LeftShoulder ? 0 : button == PadButton::Back ? 1 : 2;
    if (!instructions) DispatchAction(static_cast<uint8_t>(ACTION_SLOT_1 + slot));
    break;
  }
  default: {
    int dx = 0, dy = 0;
    if (PadDirection(button, &dx, &dy)) Direction(dx, dy);
    break;
  }
  }
}
