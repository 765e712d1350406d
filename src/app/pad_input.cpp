#include "app/pad_input.h"

#include <cmath>

#include "app/shell_calls.h"
#include "core/input.h"
#include "core/modes.h"
#include "core/pad.h"

namespace {
// The pointer as the stick moves it, in fractions of a pixel, and the position
// last written into MouseX/MouseY: when they differ, the mouse (or a d-pad step)
// has moved the pointer since, and the stick carries on from there.
float PointerX = 0, PointerY = 0;
int32_t WrittenX = -1, WrittenY = -1;
bool StickMoving = false;
bool FrameSeen = false;
uint32_t LastFrame = 0;

constexpr PadButton DIRECTIONS[4] = {PadButton::DpadUp, PadButton::DpadDown, PadButton::DpadLeft,
                                     PadButton::DpadRight};
struct Repeat {
  bool armed = false;
  uint32_t next = 0;
};
Repeat Repeats[4];

void FollowWithSystemPointer() {
  PlatformWarpPointer(MouseX, MouseY);
  WrittenX = MouseX;
  WrittenY = MouseY;
  PointerX = static_cast<float>(MouseX);
  PointerY = static_cast<float>(MouseY);
}

void RepeatHeldDirections(uint32_t now) {
  for (int i = 0; i < 4; ++i) {
    Repeat& r = Repeats[i];
    if (!PadDown(DIRECTIONS[i])) {
      r.armed = false;
      continue;
    }
    // The press itself acted when it arrived; the repeats start after the delay.
    if (!r.armed) {
      r.armed = true;
      r.next = now + PAD_REPEAT_DELAY;
    } else if (static_cast<int32_t>(now - r.next) >= 0) {
      r.next = now + PAD_REPEAT_INTERVAL;
      PadButtonPressed(DIRECTIONS[i]);
    }
  }
}

void MoveWithStick(uint32_t elapsed) {
  const float x = PadStickX, y = PadStickY;
  const float travel = std::sqrt(x * x + y * y);
  if (travel < PAD_DEAD_ZONE) {
    if (StickMoving) FollowWithSystemPointer();
    StickMoving = false;
    return;
  }
  if (MouseX != WrittenX || MouseY != WrittenY) {
    PointerX = static_cast<float>(MouseX);
    PointerY = static_cast<float>(MouseY);
  }
  // Squared response: small tilts place the pointer finely, a full tilt crosses fast.
  float tilt = (travel - PAD_DEAD_ZONE) / (32767.0f - PAD_DEAD_ZONE);
  if (tilt > 1) tilt = 1;
  const bool confined = CursorConfined();
  const float speed = (confined ? PAD_PLAY_SPEED : PAD_MENU_SPEED) * tilt * tilt;
  const float step = speed * static_cast<float>(elapsed) / 1000.0f;
  PointerX += x / travel * step;
  PointerY += y / travel * step;
  const float left = confined ? CONFINE_LEFT : 0, right = confined ? CONFINE_RIGHT - 1 : PICTURE_WIDTH - 1;
  const float top = confined ? CONFINE_TOP : 0, bottom = confined ? CONFINE_BOTTOM - 1 : PICTURE_HEIGHT - 1;
  PointerX = PointerX < left ? left : PointerX > right ? right : PointerX;
  PointerY = PointerY < top ? top : PointerY > bottom ? bottom : PointerY;
  MouseX = WrittenX = static_cast<int32_t>(std::lround(PointerX));
  MouseY = WrittenY = static_cast<int32_t>(std::lround(PointerY));
  StickMoving = true;
}
} // namespace

void PadButtonPressed(PadButton button) {
  const int32_t x = MouseX, y = MouseY;
  if (TopMode == MODE_GAME)
    ShellCalls.padGameButton(button);
  else if (TopMode == MODE_FRONTEND)
    ShellCalls.padMenuButton(button);
  if (MouseX != x || MouseY != y) FollowWithSystemPointer();
}

void PadFrame(uint32_t now) {
  // A frame after a long wait (a minimised window, a stalled machine) moves the
  // pointer as far as a twentieth of a second would.
  uint32_t elapsed = FrameSeen ? now - LastFrame : 0;
  if (elapsed > 50) elapsed = 50;
  FrameSeen = true;
  LastFrame = now;
  if (PadsConnected == 0) return;
  RepeatHeldDirections(now);
  MoveWithStick(elapsed);
}

void ResetPadInput() {
  for (Repeat& r : Repeats) r = Repeat{};
  StickMoving = false;
}
