// Frame pacing, decided from what the display does: whether the first swaps of a
// window wait for the display, and when the next frame is due where they do not.
#include <gtest/gtest.h>

#include "platform/frame_pacer.h"

namespace {
constexpr double PERIOD = 1000.0 / 60.0;

// Presents `count` frames from `*now`, each rendered in `renderMs` and swapped in
// `swapMs`, the way the message loop runs them: a frame starts only when due.
void RunFrames(FramePacer& pacer, double* now, int count, double renderMs, double swapMs) {
  for (int i = 0; i < count; ++i) {
    *now += PacerWaitMs(pacer, *now);
    PacerFrameStarted(pacer, *now);
    *now += renderMs;
    PacerPresented(pacer, *now, *now + swapMs);
    *now += swapMs;
  }
}

TEST(FramePacing, TheFirstSwapsTellWhetherTheDisplayPacesTheFrames) {
  struct Case {
    const char* what;
    bool pacing;
    double renderMs, swapMs;
    PacingState after;
  };
  const Case cases[] = {
      {"vsync: the swap waits for the refresh", true, 2.0, PERIOD - 2.0, PacingState::DisplayPaces},
      {"vsync with a slow frame: still a long wait", true, 10.0, 6.6, PacingState::DisplayPaces},
      {"a software renderer: the swap only copies", true, 4.0, 0.4, PacingState::SelfPaced},
      {"no vsync, frames slower than the display", true, 30.0, 0.2, PacingState::SelfPaced},
      {"pacing switched off", false, 2.0, 0.3, PacingState::Off},
  };
  for (const Case& c : cases) {
    FramePacer pacer;
    PacerStart(pacer, c.pacing, 60);
    EXPECT_EQ(PacerMeasuring(pacer), c.pacing) << c.what;
    double now = 1000;
    // While measuring, frames run back to back.
    RunFrames(pacer, &now, PACER_SKIPPED_SWAPS + PACER_MEASURED_SWAPS - 1, c.renderMs, c.swapMs);
    EXPECT_EQ(PacerWaitMs(pacer, now), 0.0) << c.what;
    RunFrames(pacer, &now, 1, c.renderMs, c.swapMs);
    EXPECT_EQ(pacer.state, c.after) << c.what;
    EXPECT_FALSE(PacerMeasuring(pacer)) << c.what;
  }
}

TEST(FramePacing, SelfPacedFramesKeepTheRefreshCadenceAndNeverRushToCatchUp) {
  FramePacer pacer;
  PacerStart(pacer, true, 50); // 20 ms
  double now = 0;
  RunFrames(pacer, &now, PACER_SKIPPED_SWAPS + PACER_MEASURED_SWAPS, 3.0, 0.5);
  ASSERT_EQ(pacer.state, PacingState::SelfPaced);

  // Cheap frames start exactly one period apart, however long each took.
  const double start = now + PacerWaitMs(pacer, now);
  for (int i = 0; i < 10; ++i) {
    const double due = now + PacerWaitMs(pacer, now);
    EXPECT_DOUBLE_EQ(due, start + 20.0 * i);
    PacerFrameStarted(pacer, due);
    now = due + (i % 2 ? 3.0 : 11.0);
    EXPECT_GT(PacerWaitMs(pacer, now), 0.0);
  }
  // A frame a little late keeps the cadence: the next is due on the old beat.
  double beat = now + PacerWaitMs(pacer, now);
  PacerFrameStarted(pacer, beat + 5.0);
  EXPECT_DOUBLE_EQ(PacerWaitMs(pacer, beat + 6.0), 14.0);
  // A frame more than a period late starts a new cadence from itself.
  beat += 20.0;
  PacerFrameStarted(pacer, beat + 45.0);
  EXPECT_DOUBLE_EQ(PacerWaitMs(pacer, beat + 45.0), 20.0);
}

TEST(FramePacing, ADisplayThatStopsWaitingIsPacedByTheGame) {
  FramePacer pacer;
  PacerStart(pacer, true, 0); // unknown refresh rate: 60 Hz
  EXPECT_DOUBLE_EQ(pacer.periodMs, PERIOD);
  double now = 0;
  RunFrames(pacer, &now, PACER_SKIPPED_SWAPS + PACER_MEASURED_SWAPS, 1.0, PERIOD - 1.0);
  ASSERT_EQ(pacer.state, PacingState::DisplayPaces);
  // Frames at the refresh rate, then a few quick ones: still the display's pace.
  RunFrames(pacer, &now, 100, 1.0, PERIOD - 1.0);
  RunFrames(pacer, &now, PACER_WATCHED_FRAMES / 3, 1.0, 0.2);
  EXPECT_EQ(pacer.state, PacingState::DisplayPaces);
  // Most of the last frames far quicker than the display refreshes: vsync is gone.
  RunFrames(pacer, &now, PACER_WATCHED_FRAMES, 1.0, 0.2);
  EXPECT_EQ(pacer.state, PacingState::SelfPaced);
  now += PacerWaitMs(pacer, now);
  PacerFrameStarted(pacer, now);
  EXPECT_NEAR(PacerWaitMs(pacer, now + 1.2), PERIOD - 1.2, 1e-9);
}

TEST(FramePacing, RefreshRatesADisplayCannotHaveCountAsSixtyHertz) {
  const int rates[][2] = {{60, 60}, {144, 144}, {75, 75}, {0, 60}, {-1, 60}, {5, 60}, {100000, 60}};
  for (const auto& r : rates) {
    FramePacer pacer;
    PacerStart(pacer, true, r[0]);
    EXPECT_DOUBLE_EQ(pacer.periodMs, 1000.0 / r[1]) << r[0];
  }
}

} // namespace
