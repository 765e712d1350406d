#include "play/actions.h"

#include "core/input.h"
#include "game/highscore.h"
#include "game/items.h"
#include "game/levels.h"
#include "game/pull.h"
#include "game/state.h"
#include "game/stones.h"
#include "play/dream_editor.h"
#include "play/game_dialogs.h"

namespace {
void PlayAction(uint8_t code) {
  switch (code) {
  case 0:
    if (CurrentGame.dreamTimer == 0)
      PullStone();
    else if (CurrentGame.dreamTimer > 0)
      DreamEditorClick();
    break;
  case 1:
    RequestRotate();
    break;
  case 2:
    ReverseFlight();
    break;
  case 3:
    RequestRotateBack();
    break;
  case 4:
  case 5:
  case 6:
    UseItem(static_cast<uint8_t>(code - 4));
    break;
  default:
    break;
  }
}

void Pause() {
  CurrentGame.escBlock = 50;
  CurrentGame.paused = 1;
  ReleaseCursor();
}
} // namespace

void DispatchAction(uint8_t code) {
  if (HighScores.profile.storyProgress == STORY_LEVELS && code >= 8 && code <= 12)
    CurrentGame.theme = static_cast<uint8_t>(code - 7);
  if (CurrentGame.levelCleared == 1) return;
  if (CurrentGame.helpShown) {
    HelpOverlayClick();
    return;
  }
  if (CurrentGame.paused == 0 && CurrentGame.gameOver == 0) PlayAction(code);
  if (CurrentGame.paused == 1 && code == 0) PauseDialogClick();
  if (CurrentGame.gameOver > 50 && code == 0) RetryDialogClick();
  if (CurrentGame.escBlock == 0 && code == 7 && CurrentGame.gameOver == 0) Pause();
}

void PauseRunningGame() {
  if (CurrentGame.levelCleared == 1 || CurrentGame.helpShown || CurrentGame.gameOver != 0) return;
  if (CurrentGame.paused == 0) Pause();
}
