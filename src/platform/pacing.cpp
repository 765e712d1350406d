// Frame pacing for the game window: vsync asked for when a window opens, the
// first swaps timed to see whether the swap really waits for the display, and
// the message loop's sleep until the next frame is due where it does not
// (the decisions are frame_pacer.h's).
#include <SDL.h>
#include <SDL_opengl.h>

#include <ctime>

#include "platform/frame_pacer.h"
#include "platform/platform.h"
#include "platform/sdl_window.h"

namespace {
bool PacingWanted = true;
FramePacer Pacer;

double NowMs() {
  static const double msPerCount = 1000.0 / static_cast<double>(SDL_GetPerformanceFrequency());
  return static_cast<double>(SDL_GetPerformanceCounter()) * msPerCount;
}

int RefreshRate(SDL_Window* window) {
  SDL_DisplayMode mode{};
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetDesktopDisplayMode(display, &mode) != 0) return 0;
  return mode.refresh_rate;
}
} // namespace

void StartFramePacing(SDL_Window* window) {
  if (PacingWanted) {
    // Adaptive vsync (a late frame is shown at once instead of a refresh later)
    // where the driver has it, plain vsync otherwise.
    if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);
  } else {
    SDL_GL_SetSwapInterval(0);
  }
  PacerStart(Pacer, PacingWanted, RefreshRate(window));
}

void PlatformSetFramePacing(bool on) {
  PacingWanted = on;
  if (SDL_Window* window = PlatformSdlWindow()) StartFramePacing(window);
}

bool PlatformBeginFrame() {
  const double now = NowMs();
  if (PacerWaitMs(Pacer, now) > 0) return false;
  PacerFrameStarted(Pacer, now);
  return true;
}

void PlatformWaitForFrame() {
  const double wait = PacerWaitMs(Pacer, NowMs());
  if (wait <= 0) return;
  if (wait >= 2.0) {
    // Most of the wait: asleep until an event arrives or the time is nearly up,
    // so input is still handled at once.
    SDL_WaitEventTimeout(nullptr, static_cast<int>(wait) - 1);
    return;
  }
  // The last moment: a plain sleep, finer than the event wait's milliseconds.
  const long ns = static_cast<long>(wait * 1e6);
  const timespec pause{0, ns};
  nanosleep(&pause, nullptr);
}

void PlatformPresentFrame() {
  SDL_Window* window = PlatformSdlWindow();
  if (!window) return;
  // While the swaps are timed, the rendering is finished first and the swap
  // finished after, so that only the swap's own wait is measured.
  const bool measuring = PacerMeasuring(Pacer);
  if (measuring) glFinish();
  const double start = NowMs();
  SDL_GL_SwapWindow(window);
  if (measuring) glFinish();
  PacerPresented(Pacer, start, NowMs());
}

const char* PlatformPacingMode() {
  switch (Pacer.state) {
  case PacingState::Off:
    return "off";
  case PacingState::Measuring:
    return "measuring";
  case PacingState::DisplayPaces:
    return "display";
  case PacingState::SelfPaced:
    return "sleep";
  }
  return "off";
}
