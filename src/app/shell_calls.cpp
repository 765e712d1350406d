#include "app/shell_calls.h"

#include "assets/sound.h"
#include "frontend/menu.h"
#include "frontend/pad_menu.h"
#include "game/tick.h"
#include "play/actions.h"
#include "play/game_screen.h"
#include "play/name_entry.h"
#include "play/pad_play.h"

namespace {
constexpr ShellCallTable REAL_SHELL_CALLS = {StartLevel, GameTick,      DrawGameScene,  EnterFrontEnd,
                                             MenuFrame,  MenuClick,     DispatchAction, NameEntryKey,
                                             PlaySample, PadGameButton, PadMenuButton,  PauseRunningGame};
} // namespace

ShellCallTable ShellCalls = REAL_SHELL_CALLS;

void ResetShellCalls() {
  ShellCalls = REAL_SHELL_CALLS;
}
