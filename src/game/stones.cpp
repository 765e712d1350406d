#include "game/stones.h"

#include "assets/sound.h"
#include "core/arith.h"
#include "core/input.h"
#include "game/levels.h"
#include "game/options.h"
#include "game/state.h"

namespace {
constexpr float RING_LENGTH = 2000.0f;
constexpr int RING_SLOTS = 20;
constexpr int32_t ROTATE_DELAY = 10;

// One random pick: a shape and, by the bomb chance, its bomb twin. Both numbers
// are drawn every time so the random sequence does not depend on the outcome.
uint8_t RandomKind() {
  int32_t kind = Random(8) + 1;
  if (Random(100) < CurrentGame.bombChance) kind += 8;
  return static_cast<uint8_t>(kind);
}
} // namespace

bool DreamStoneEmpty() {
  for (uint8_t b : DreamStone()[1])
    if (b != 0) return false;
  return true;
}

uint8_t NextStoneKind() {
  if (CurrentGame.puzzle) {
    const LevelRecord& record = LevelTable[CurrentGame.level % LEVEL_RECORDS];
    uint8_t entry = PuzzleSequenceKind(record, CurrentGame.puzzleIndex);
    CurrentGame.puzzleIndex = static_cast<uint8_t>(CurrentGame.puzzleIndex + 1);
    return entry != 0 ? entry : DREAM_KIND;
  }
  uint8_t kind = RandomKind();
  if (CurrentGame.dreamPending == 1) {
    CurrentGame.dreamPending = 0;
    kind = DREAM_KIND;
    if (CurrentGame.level != ARCADE_LEVEL && DreamStoneEmpty()) kind = RandomKind();
  }
  return kind;
}

void RequestRotate() {
  StoneRing.rotateTimer = ROTATE_DELAY;
  PlaySample(SND_DREHER);
}

void RequestRotateBack() {
  StoneRing.rotateBackTimer = ROTATE_DELAY;
  PlaySample(SND_DREHER);
}

void ReverseFlight() {
  StoneRing.speed = StoneRing.speed * -1.0f;
}

int32_t RingSnap() {
  return Round(StoneRing.roundedPosition / 100.0);
}

int32_t RingSlot(int stone, int x) {
  int32_t s = (RingSnap() + 5 * stone + x) % RING_SLOTS;
  return s < 0 ? s + RING_SLOTS : s;
}

int32_t RingColumn(int stone, int x) {
  return RingSlot(stone, x) - 4;
}

uint8_t StoneBox(uint8_t kind, int32_t rotation, int x, int h) {
  if (kind < 1 || kind > STONE_KINDS) return 0;
  return StoneTemplates[kind][rotation & 3][TemplateByte(x, h)];
}

void TickFlight() {
  if (!CurrentGame.paused) {
    if (CurrentGame.hourglassTimer > 0) {
      CurrentGame.hourglassTimer -= 1;
      StoneRing.position += StoneRing.speed / 2.0f;
    } else {
      StoneRing.position += StoneRing.speed;
    }
  }
  if (StoneRing.position < 0.0f) StoneRing.position += RING_LENGTH;
  if (StoneRing.position > RING_LENGTH) StoneRing.position -= RING_LENGTH;
  StoneRing.roundedPosition = Round(StoneRing.position);
}

void TickRotation() {
  if (StoneRing.rotateTimer > 0) StoneRing.rotateTimer -= 1;
  if (StoneRing.rotateTimer == 0) {
    StoneRing.rotation = (StoneRing.rotation + 1) % 4;
    StoneRing.rotateTimer = -1;
  }
  if (StoneRing.rotateBackTimer > 0) StoneRing.rotateBackTimer -= 1;
  if (StoneRing.rotateBackTimer == 0) {
    StoneRing.rotation = (StoneRing.rotation + 3) % 4;
    StoneRing.rotateBackTimer = -1;
  }
}

void TickAnchorLean() {
  if (Anchor.lean > 0) Anchor.lean -= 1;
  if (Anchor.lean < 0) Anchor.lean += 1;
  if (Anchor.column > Anchor.prevLeanColumn) Anchor.lean = -20;
  if (Anchor.column < Anchor.prevLeanColumn) Anchor.lean = 20;
  Anchor.prevLeanColumn = Anchor.column;
}

float MouseSpeedFactor(uint8_t m) {
  if (m < 4) return static_cast<float>(15 + 5 * m);
  return static_cast<float>(m) * 4.0f / 5.0f * 10.0f;
}

namespace {
// The width of the anchor's window: the pointer's travel across all active columns.
float AnchorWindowWidth() {
  return static_cast<float>(CylinderSize) * 800.0f / MouseSpeedFactor(Options[OPT_MOUSE_SPEED]);
}
} // namespace

float PointerXForColumn(int32_t column, float left, float right) {
  if (column < FirstColumn()) column = FirstColumn();
  if (column > LastColumn()) column = LastColumn();
  float x = Anchor.windowLeft;
  if (CylinderSize > 1)
    x += static_cast<float>(column - FirstColumn()) * AnchorWindowWidth() /
         static_cast<float>(CylinderSize - 1);
  if (x > right) {
    Anchor.windowLeft -= x - right;
    x = right;
  } else if (x < left) {
    Anchor.windowLeft += left - x;
    x = left;
  }
  return x;
}

void UpdateAnchorColumn() {
  float w = AnchorWindowWidth();
  float x = static_cast<float>(MouseX);
  if (Anchor.windowLeft + w < x) Anchor.windowLeft = x - w;
  if (x < Anchor.windowLeft) Anchor.windowLeft = x;
  double offset = static_cast<double>(x - Anchor.windowLeft) * (CylinderSize - 1) / w;
  int32_t column = Round(offset + (12 - CylinderSize) / 2);
  // The window keeps the mouse within it, so this only guards against a NaN or an
  // odd cylinder size pushing the anchor off the play area.
  if (column < FirstColumn()) column = FirstColumn();
  if (column > LastColumn()) column = LastColumn();
  Anchor.column = column;
  if (column != Anchor.prevSoundColumn) PlaySample(SND_CHANGE);
  Anchor.prevSoundColumn = column;
}
