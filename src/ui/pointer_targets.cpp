#include "ui/pointer_targets.h"

#include <algorithm>
#include <cstdlib>

#include "core/input.h"
#include "platform/platform.h"

namespace {
struct PointerTarget {
  int32_t centreX, centreY;
  int32_t id;
};
constexpr int MAX_TARGETS = 128;
PointerTarget Targets[MAX_TARGETS];
int TargetCount = 0;
} // namespace

void ClearPointerTargets() {
  TargetCount = 0;
}

void AddPointerTarget(int x, int y, int width, int height, int32_t id) {
  // Only the part on screen counts: a label sliding in with the menu strip is a
  // target once a piece of it shows, and its centre is that piece's centre.
  const int left = std::max(x, 0), right = std::min(x + width, PICTURE_WIDTH);
  const int top = std::max(y, 0), bottom = std::min(y + height, PICTURE_HEIGHT);
  if (left >= right || top >= bottom || TargetCount == MAX_TARGETS) return;
  Targets[TargetCount++] = {(left + right) / 2, (top + bottom) / 2, id};
}

bool PointerTargetShown(int32_t id) {
  for (int i = 0; i < TargetCount; ++i)
    if (Targets[i].id == id) return true;
  return false;
}

bool NextPointerTarget(int32_t fromX, int32_t fromY, int dx, int dy, int32_t* toX, int32_t* toY) {
  int64_t best = -1;
  for (int i = 0; i < TargetCount; ++i) {
    const int64_t vx = Targets[i].centreX - fromX, vy = Targets[i].centreY - fromY;
    const int64_t ahead = vx * dx + vy * dy;
    const int64_t aside = std::llabs(vx * dy - vy * dx);
    // Ahead means past the pointer by more than a few pixels, so the target the
    // pointer rests on is never its own next one.
    if (ahead <= 3) continue;
    const int64_t cost = ahead + 3 * aside;
    if (best < 0 || cost < best) {
      best = cost;
      *toX = Targets[i].centreX;
      *toY = Targets[i].centreY;
    }
  }
  return best >= 0;
}

bool StepPointer(int dx, int dy) {
  return NextPointerTarget(MouseX, MouseY, dx, dy, &MouseX, &MouseY);
}
