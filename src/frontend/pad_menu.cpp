#include "frontend/pad_menu.h"

#include "core/input.h"
#include "core/modes.h"
#include "core/pad.h"
#include "frontend/menu.h"
#include "ui/labels.h"
#include "ui/pointer_targets.h"

namespace {
// The label that leads back from the screen shown, 0 where there is none (the
// main menu: leaving it is "Quit", which the controller never clicks unasked).
int32_t BackLabel() {
  switch (MenuScreen) {
  case SCREEN_CYLINDER:
    return CYLINDER_BACK_ID;
  case SCREEN_THEME:
    return THEME_BACK_ID;
  case SCREEN_SIDE:
    return OptionsOpen == 1 ? int32_t{OPTIONS_OK_ID} : int32_t{SIDE_OK_ID};
  case SCREEN_MAP:
    return MAP_MAIN_MENU_ID;
  case SCREEN_SHOP:
    return SHOP_BACK_ID;
  default:
    return 0;
  }
}

// Clicks the way back as if the pointer were on it, but only when the last frame
// showed it, so the controller can do no more than the mouse could.
void GoBack() {
  const int32_t id = BackLabel();
  if (id == 0 || !PointerTargetShown(id)) return;
  HoverId = id;
  // A map spot under the pointer would start its level.
  HoverSpot = 0;
  MenuClick();
}
} // namespace

void PadMenuButton(PadButton button) {
  int dx = 0, dy = 0;
  if (button == PadButton::A)
    MenuClick();
  else if (button == PadButton::B)
    GoBack();
  else if (PadDirection(button, &dx, &dy))
    StepPointer(dx, dy);
}
