// The loading bar's arithmetic: the unfilled part starts at x0 = 301 + Round(198 / N
// x step), halves to even, and the bar is exactly full at the last step.
#include <gtest/gtest.h>

#include "app/loader.h"

TEST(LoadingBar, FirstRunTakesFiftySteps) {
  EXPECT_EQ(LoadingBarX0(0, 50), 301);
  EXPECT_EQ(LoadingBarX0(1, 50), 305);  // 3.96
  EXPECT_EQ(LoadingBarX0(25, 50), 400); // 99
  EXPECT_EQ(LoadingBarX0(50, 50), 499);
}

TEST(LoadingBar, LaterRunsTakeThirtyOneSteps) {
  EXPECT_EQ(LoadingBarX0(1, 31), 307); // 6.39
  EXPECT_EQ(LoadingBarX0(2, 31), 314); // 12.77
  EXPECT_EQ(LoadingBarX0(31, 31), 499);
}

TEST(LoadingBar, HalvesGoToTheEvenNeighbour) {
  // 198 / 44 x 1 = 4.5 -> 4; x 3 = 13.5 -> 14.
  EXPECT_EQ(LoadingBarX0(1, 44), 305);
  EXPECT_EQ(LoadingBarX0(3, 44), 315);
}

TEST(LoadingBar, StepsPerRunFollowTheFirstLoadFlag) {
  uint8_t saved = FirstLoadDone;
  FirstLoadDone = 0;
  EXPECT_EQ(LoadingStepsPerRun(), 50);
  FirstLoadDone = 1;
  EXPECT_EQ(LoadingStepsPerRun(), 31);
  FirstLoadDone = saved;
}
