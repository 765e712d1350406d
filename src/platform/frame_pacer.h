// The arithmetic of frame pacing, apart from the clock and the window system so
// that tests can drive it with made-up times (all times in milliseconds of one
// monotonic clock).
//
// After a window opens, its first swaps are timed with the rendering already
// finished: a swap that waits for the display (vsync given by the driver) takes
// a good part of a refresh period, one that does not (a software renderer, Xvfb,
// vsync refused or switched off) comes back at once. Where the swap waits, frames
// run back to back and the display paces them; where it does not, a frame is due
// one refresh period after the last one started, and the message loop sleeps
// until then. A display that stops waiting later on (frames coming much faster
// than it refreshes) is paced from then on.
#pragma once
#include <cstdint>

enum class PacingState : uint8_t {
  Off,          // pacing switched off: every frame is due at once
  Measuring,    // timing the first swaps of the window; frames run back to back
  DisplayPaces, // the swap waits for the display
  SelfPaced,    // the swap does not wait: frames are due once per refresh period
};

constexpr int PACER_SKIPPED_SWAPS = 3;   // the first swaps of a window: mapping, first shaders
constexpr int PACER_MEASURED_SWAPS = 20; // swaps timed after those
constexpr int PACER_WATCHED_FRAMES = 32; // frame periods watched while the display paces

struct FramePacer {
  PacingState state = PacingState::Off;
  double periodMs = 1000.0 / 60.0; // the display's refresh period
  int swapsSeen = 0;
  double swapMs[PACER_MEASURED_SWAPS] = {};
  double nextDueMs = 0; // when the next frame may start (SelfPaced)
  double lastPresentMs = -1;
  // The last frame periods (present to present) while the display paces, a ring.
  double framePeriodMs[PACER_WATCHED_FRAMES] = {};
  int periodsSeen = 0; // up to PACER_WATCHED_FRAMES
  int nextPeriod = 0;  // ring position of the next one
};

// A new window (or pacing switched on or off): `refreshHz` is the display's
// refresh rate, 0 when unknown (60 Hz is assumed).
void PacerStart(FramePacer& pacer, bool pacing, int refreshHz);
// True while the swaps of the window are being timed: the caller finishes the
// rendering before the swap and times the swap itself.
bool PacerMeasuring(const FramePacer& pacer);
// A frame was presented: its swap ran from `swapStartMs` to `swapEndMs`.
void PacerPresented(FramePacer& pacer, double swapStartMs, double swapEndMs);
// Milliseconds until the next frame is due at `nowMs`; 0 when it is due now.
double PacerWaitMs(const FramePacer& pacer, double nowMs);
// A frame starts at `nowMs` (it was due): the one after it is due a period later,
// or a period from now when this one started more than a period late.
void PacerFrameStarted(FramePacer& pacer, double nowMs);
