// Pulling a stone down: the left button pulls the flying stone that has a box
// over the anchor column. The stone either fits (its boxes are written into
// `cells` at once, a drop animation plays and the line check runs at the landing
// moment) or it flies back to the ring and the playfield stays unchanged.
#pragma once
#include <cstdint>

// The stone over the anchor: ring position and the height of its lowest box in
// the anchor column. `found` is false when no stone has a box there.
struct Grip {
  bool found;
  int32_t stone;       // 0..3
  int32_t pivotHeight; // 0..3
};
Grip FindGrip();

// Where a stone gripped at the anchor would go. `landingRow` is the row the pivot
// box rests in (-2..11); `fits` tells whether every box has room (the fit test).
struct LandingPlan {
  int32_t landingRow;
  bool fits;
};
LandingPlan PlanLanding(const Grip& grip);
// Whether the box (x, h) of the gripped stone alone would make the fit test fail
// (the aim help marks those boxes with a cross).
bool BoxBlocked(const Grip& grip, int32_t landingRow, int x, int h);

// Action 0 while the game runs, unpaused, not over and the dream editor closed.
// Plays sample 3 unless the click is ignored (no stone, or the stone is still
// flying back or came back less than 50 ticks ago). Writes boxes into `cells`,
// may clear a bomb's 3 x 3 hole into BombBlast, fills PulledStone, picks the
// stone's successor and sets fallTimer to 100; or starts a fly-back.
void PullStone();

// Every tick (also while paused): moves the drop animations on; at a landing
// moment runs CheckLines, plays sample 4 when no line went, and raises dust.
void AdvanceDrops();
