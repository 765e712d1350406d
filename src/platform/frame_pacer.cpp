#include "platform/frame_pacer.h"

#include <algorithm>

namespace {
// A swap that takes a quarter of a refresh period with the rendering already
// finished waited for the display; copying a finished picture out takes far less.
constexpr double WAITING_SWAP_SHARE = 0.25;
// Frames coming this much faster than the display refreshes: it stopped waiting.
constexpr double FAST_FRAME_SHARE = 0.6;

template <int N> double Median(const double (&values)[N], int count) {
  double sorted[N];
  std::copy(values, values + count, sorted);
  std::nth_element(sorted, sorted + count / 2, sorted + count);
  return sorted[count / 2];
}
} // namespace

void PacerStart(FramePacer& pacer, bool pacing, int refreshHz) {
  pacer = FramePacer{};
  // Refresh rates outside what displays have are a driver's guess: 60 Hz then.
  pacer.periodMs = 1000.0 / (refreshHz >= 20 && refreshHz <= 1000 ? refreshHz : 60);
  pacer.state = pacing ? PacingState::Measuring : PacingState::Off;
}

bool PacerMeasuring(const FramePacer& pacer) {
  return pacer.state == PacingState::Measuring;
}

void PacerPresented(FramePacer& pacer, double swapStartMs, double swapEndMs) {
  const double previous = pacer.lastPresentMs;
  pacer.lastPresentMs = swapEndMs;
  switch (pacer.state) {
  case PacingState::Measuring: {
    const int n = pacer.swapsSeen++ - PACER_SKIPPED_SWAPS;
    if (n < 0) return;
    pacer.swapMs[n] = swapEndMs - swapStartMs;
    if (n + 1 < PACER_MEASURED_SWAPS) return;
    const bool waits = Median(pacer.swapMs, PACER_MEASURED_SWAPS) >= WAITING_SWAP_SHARE * pacer.periodMs;
    pacer.state = waits ? PacingState::DisplayPaces : PacingState::SelfPaced;
    pacer.nextDueMs = swapEndMs;
    return;
  }
  case PacingState::DisplayPaces: {
    if (previous < 0) return;
    pacer.framePeriodMs[pacer.nextPeriod] = swapEndMs - previous;
    pacer.nextPeriod = (pacer.nextPeriod + 1) % PACER_WATCHED_FRAMES;
    if (pacer.periodsSeen < PACER_WATCHED_FRAMES) ++pacer.periodsSeen;
    if (pacer.periodsSeen < PACER_WATCHED_FRAMES) return;
    if (Median(pacer.framePeriodMs, PACER_WATCHED_FRAMES) < FAST_FRAME_SHARE * pacer.periodMs) {
      pacer.state = PacingState::SelfPaced;
      pacer.nextDueMs = swapEndMs;
    }
    return;
  }
  case PacingState::Off:
  case PacingState::SelfPaced:
    return;
  }
}

double PacerWaitMs(const FramePacer& pacer, double nowMs) {
  if (pacer.state != PacingState::SelfPaced || nowMs >= pacer.nextDueMs) return 0;
  return pacer.nextDueMs - nowMs;
}

void PacerFrameStarted(FramePacer& pacer, double nowMs) {
  if (pacer.state != PacingState::SelfPaced) return;
  // Keep the cadence after a frame that was a little late; after a long one (a
  // slow frame, a window drag) start a new cadence instead of rushing to catch up.
  pacer.nextDueMs =
      nowMs - pacer.nextDueMs >= pacer.periodMs ? nowMs + pacer.periodMs : pacer.nextDueMs + pacer.periodMs;
}
