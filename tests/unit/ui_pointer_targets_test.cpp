// The d-pad's targets: what a screen drew clickable in its last frame, and the
// next one in each direction from the pointer.
#include <gtest/gtest.h>

#include "ui/pointer_targets.h"

TEST(PointerTargets, TheDpadStepsToTheNearestTargetAheadPreferringTheAlignedOnes) {
  // A column of menu labels, a row of digits beside it, one spot far off.
  ClearPointerTargets();
  AddPointerTarget(350, 340, 100, 30, 1);                                          // centre (400, 355)
  AddPointerTarget(350, 380, 100, 30, 2);                                          // (400, 395)
  AddPointerTarget(350, 530, 100, 30, 5);                                          // (400, 545)
  for (int d = 0; d < 3; ++d) AddPointerTarget(500 + 20 * d, 380, 10, 20, 10 + d); // (505 + 20d, 390)
  AddPointerTarget(60, 60, 3, 3, 0);                                               // (61, 61)
  struct Move {
    int32_t fromX, fromY;
    int dx, dy;
    bool found;
    int32_t toX, toY;
  };
  const Move moves[] = {
      {400, 355, 0, 1, true, 400, 395},  // down the column
      {400, 395, 0, 1, true, 400, 545},  // past the gap
      {400, 545, 0, 1, false, 0, 0},     // nothing below the last
      {400, 395, 1, 0, true, 505, 390},  // into the row beside it
      {505, 390, 1, 0, true, 525, 390},  // along the row
      {545, 390, 1, 0, false, 0, 0},     // the row's end
      {400, 355, 0, -1, true, 61, 61},   // up: only the far spot lies that way
      {0, 0, 0, 1, true, 61, 61},        // from nowhere: the nearest one ahead
      {545, 390, -1, 0, true, 525, 390}, // back along the row, not over to the column
  };
  for (const Move& m : moves) {
    SCOPED_TRACE(testing::Message() << "from (" << m.fromX << ", " << m.fromY << ") by (" << m.dx << ", "
                                    << m.dy << ")");
    int32_t x = -1, y = -1;
    ASSERT_EQ(NextPointerTarget(m.fromX, m.fromY, m.dx, m.dy, &x, &y), m.found);
    if (m.found) {
      EXPECT_EQ(x, m.toX);
      EXPECT_EQ(y, m.toY);
    }
  }
  EXPECT_TRUE(PointerTargetShown(5));
  EXPECT_FALSE(PointerTargetShown(6));
}

TEST(PointerTargets, OnlyWhatShowsCountsAndAFreshStartForgetsTheRest) {
  ClearPointerTargets();
  AddPointerTarget(1200, 300, 100, 30, 14); // a label of a panel off screen
  AddPointerTarget(-80, 300, 100, 30, 20);  // one sliding in: its visible part counts
  EXPECT_FALSE(PointerTargetShown(14));
  ASSERT_TRUE(PointerTargetShown(20));
  int32_t x = 0, y = 0;
  ASSERT_TRUE(NextPointerTarget(400, 315, -1, 0, &x, &y));
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 315);
  ClearPointerTargets();
  EXPECT_FALSE(PointerTargetShown(20));
  EXPECT_FALSE(NextPointerTarget(400, 315, -1, 0, &x, &y));
  // A screen full of targets keeps the first ones it can hold and drops the rest.
  for (int i = 0; i < 1000; ++i) AddPointerTarget(i % 800, 10, 1, 1, i + 1);
  EXPECT_TRUE(PointerTargetShown(1));
  EXPECT_FALSE(PointerTargetShown(1000));
}
