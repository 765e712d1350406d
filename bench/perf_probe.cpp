// quorbels_perf: whole-screen measurements of the real drawing code in the real
// game window, for scripts/bench. One measurement per run, one line of
// key=value figures on stdout:
//
//   quorbels_perf screen busy|title|map|shop SECONDS
//       frames drawn back to back (clear, draw, swap, as the message loop does)
//       for SECONDS; frame-time median, 95th percentile and mean, and heap
//       allocations per frame (after two warm-up frames).
//   quorbels_perf startup T0
//       the game's own start: options read, window opened (with the multisample
//       re-open), everything loaded behind the loading screen, then the first
//       title frame drawn and presented as the message loop does it; prints the
//       CLOCK_MONOTONIC milliseconds from T0 (the caller's clock just before it
//       started this program, in seconds) to that swap.
//   quorbels_perf loop title|map|play SECONDS PACING
//       the game's own message loop on the idle title screen, the level map or
//       the busiest field running (the busy scene unpaused, clock-driven), with
//       frame pacing on (PACING 1) or off (0), for SECONDS after a second of
//       warm-up; CPU time of the whole process per wall-clock second and frames
//       per second.
//   quorbels_perf play GAME_SECONDS
//       loads everything, then plays GAME_SECONDS of arcade games (a pull every
//       few ticks, a new game after every game over) with a frame drawn every
//       50 ticks and the title, map and shop drawn once a game minute; peak
//       resident memory after loading and after playing, resident growth during
//       play, heap allocations per tick and per frame.
//
// The data folder is the one beside the program (the build directory's data/),
// or the parent of $QUORBELS_DATA.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "app/command_line.h"
#include "app/loader.h"
#include "app/program.h"
#include "app/window.h"
#include "assets/sound.h"
#include "busy_scene.h"
#include "core/files.h"
#include "frontend/menu.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "game/options.h"
#include "game/state.h"
#include "platform/platform.h"
#include "play/game_screen.h"
#include "render/gl_state.h"
#include "support/alloc_counter.h"

namespace {
using Clock = std::chrono::steady_clock;

// CPU time of the whole process (every thread, the renderer's too), in ms.
double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

double MsSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// A field of /proc/self/status in kB (VmHWM peak resident, VmRSS resident now).
long StatusKb(const char* field) {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  const size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, field, n) == 0 && line[n] == ':') kb = std::atol(line + n + 1);
  std::fclose(f);
  return kb;
}

bool OpenWindowAndLoad() {
  DescribeGameWindow(0);
  if (!RegisterGameWindowClass(GameApplication) || !OpenGameWindow(GameWindow)) return false;
  if (!InitializeGame()) return false;
  return true;
}

// One frame as the message loop presents it.
template <typename Draw> void PresentFrame(Draw draw) {
  PlatformClearBars();
  if (MultisampleEnabled == 1) EnableMultisample(true);
  draw();
  PlatformSwapBuffers();
}

void ShowFrontEnd(uint8_t screen, uint32_t now) {
  HighScores.profile.storyProgress = 55;
  HighScores.profile.money = 5000;
  StoryIntroSeen = 1;
  TopMode = MODE_FRONTEND;
  MenuScreen = screen;
  EnterFrontEnd(now);
  SlidePos = SlideTarget = 0;
  OptionsOpen = InstructionsOpen = 0;
  MouseX = 400;
  MouseY = 360;
}

struct FrameTimes {
  std::vector<double> ms;
  double Percentile(double p) const {
    if (ms.empty()) return 0;
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    const size_t k = std::min(sorted.size() - 1, static_cast<size_t>(p * (sorted.size() - 1) + 0.5));
    return sorted[k];
  }
  double Mean() const {
    double sum = 0;
    for (double v : ms) sum += v;
    return ms.empty() ? 0 : sum / ms.size();
  }
};

int MeasureScreen(const std::string& name, double seconds) {
  uint32_t now = 100000;
  bool game = name == "busy";
  if (game) {
    busy_scene::Build();
    TopMode = MODE_GAME;
  } else if (name == "title") {
    ShowFrontEnd(SCREEN_MAIN, now);
  } else if (name == "map") {
    ShowFrontEnd(SCREEN_MAP, now);
  } else if (name == "shop") {
    ShowFrontEnd(SCREEN_SHOP, now);
  } else {
    std::fprintf(stderr, "unknown screen %s\n", name.c_str());
    return 2;
  }
  auto draw = [&] {
    if (game) {
      DrawGameScene();
    } else {
      now += 10;
      MenuFrame(now);
    }
  };
  for (int i = 0; i < 2; ++i) PresentFrame(draw);
  glFinish();
  timespec measureFrom{};
  clock_gettime(CLOCK_MONOTONIC, &measureFrom);

  FrameTimes times;
  times.ms.reserve(100000);
  long allocations = 0;
  const double cpuStart = ProcessCpuMs();
  const Clock::time_point start = Clock::now();
  Clock::time_point last = start;
  while (MsSince(start) < seconds * 1000.0) {
    StartCountingAllocations();
    PresentFrame(draw);
    allocations += StopCountingAllocations();
    const Clock::time_point t = Clock::now();
    times.ms.push_back(std::chrono::duration<double, std::milli>(t - last).count());
    last = t;
  }
  const double frames = static_cast<double>(times.ms.size());
  const double cpuPerFrame = (ProcessCpuMs() - cpuStart) / frames;
  std::printf("screen=%s frames=%zu median_ms=%.3f p95_ms=%.3f mean_ms=%.3f fps=%.1f allocs_per_frame=%.3f "
              "cpu_ms_per_frame=%.3f multisample=%d measure_from=%.6f\n",
              name.c_str(), times.ms.size(), times.Percentile(0.5), times.Percentile(0.95), times.Mean(),
              1000.0 / times.Mean(), allocations / frames, cpuPerFrame, MultisampleEnabled,
              measureFrom.tv_sec + measureFrom.tv_nsec / 1e9);
  return 0;
}

// Frames drawn by the message loop, counted through the shell's calls.
long LoopFrames = 0;
void CountedMenuFrame(uint32_t now) {
  ++LoopFrames;
  MenuFrame(now);
}
void CountedGameScene() {
  ++LoopFrames;
  DrawGameScene();
}

int MeasureLoop(const std::string& name, double seconds) {
  if (name == "title") {
    ShowFrontEnd(SCREEN_MAIN, PlatformTicks());
  } else if (name == "map") {
    ShowFrontEnd(SCREEN_MAP, PlatformTicks());
  } else if (name == "play") {
    busy_scene::Build();
    CurrentGame.paused = 0;
    CurrentGame.dreamTimer = 0;
    // The game's clock restarted now, at the tick it has reached.
    CurrentGame.startTime = static_cast<int32_t>(PlatformTicks()) - CurrentGame.tick * 10;
    TopMode = MODE_GAME;
  } else {
    std::fprintf(stderr, "unknown screen %s\n", name.c_str());
    return 2;
  }
  ShellCalls.menuFrame = CountedMenuFrame;
  ShellCalls.drawGameScene = CountedGameScene;
  double cpu = 0, wall = 0;
  long frames = 0;
  // The measurement runs beside the loop: a second of warm-up (the pacing times
  // its first swaps), then SECONDS measured, then the quit message.
  std::thread clock([&] {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const double cpu0 = ProcessCpuMs();
    const long frames0 = LoopFrames;
    const Clock::time_point t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    cpu = ProcessCpuMs() - cpu0;
    frames = LoopFrames - frames0;
    wall = MsSince(t0);
    PlatformPostQuit();
  });
  RunMessageLoop(GameWindow);
  clock.join();
  std::printf("loop screen=%s pacing=%d cpu_per_wall_second=%.3f fps=%.1f frames=%ld seconds=%.2f "
              "multisample=%d pacing_mode=%s\n",
              name.c_str(), CommandLine.framePacing, cpu / wall, frames * 1000.0 / wall, frames,
              wall / 1000.0, MultisampleEnabled, PlatformPacingMode());
  return 0;
}

int MeasurePlay(double gameSeconds) {
  const long loadedPeakKb = StatusKb("VmHWM");
  const long loadedRssKb = StatusKb("VmRSS");
  ArcadeCylinderSize = 12;
  ChosenTheme = 1;
  Options[OPT_SHOW_HELP] = 0;
  // One warm-up game and one frame of every screen: lazily made buffers (driver,
  // composed texts) are made here, before counting starts.
  busy_scene::Build();
  CurrentGame.paused = 0;
  CurrentGame.dreamTimer = 0;
  PresentFrame(DrawGameScene);
  const uint8_t screens[3] = {SCREEN_MAIN, SCREEN_MAP, SCREEN_SHOP};
  for (uint8_t s : screens) {
    ShowFrontEnd(s, 1000);
    PresentFrame([] { MenuFrame(1010); });
  }
  const long warmRssKb = StatusKb("VmRSS");

  StartLevel(ARCADE_LEVEL, 0);
  const long ticks = static_cast<long>(gameSeconds * 100.0);
  long tickAllocs = 0, frameAllocs = 0, frames = 0, menuAllocs = 0, menuFrames = 0, games = 1;
  uint32_t menuNow = 2000;
  // Allocations are counted after the first fifth of the play: until then the
  // software renderer still compiles shaders for state combinations it has not
  // seen, with the C++ allocator (the driver's allocations, not the game's).
  const long countFrom = ticks / 5;
  long countedRssKb = warmRssKb;
  for (long t = 0; t < ticks; ++t) {
    const bool counted = t >= countFrom;
    if (t == countFrom) countedRssKb = StatusKb("VmRSS");
    MouseX = static_cast<int32_t>(100 + (t * 37) % 600);
    MouseY = 300;
    if (counted) StartCountingAllocations();
    if (t % 7 == 0) DispatchAction(0);
    if (t % 301 == 0) DispatchAction(1);
    GameTick();
    tickAllocs += StopCountingAllocations();
    if (CurrentGame.gameOver >= 50) {
      StartLevel(ARCADE_LEVEL, 0);
      ++games;
    }
    if (t % 50 == 0) {
      if (counted) StartCountingAllocations();
      PresentFrame(DrawGameScene);
      frameAllocs += StopCountingAllocations();
      frames += counted ? 1 : 0;
    }
    if (t % 6000 == 5999) {
      for (uint8_t s : screens) {
        ShowFrontEnd(s, menuNow);
        if (counted) StartCountingAllocations();
        PresentFrame([&] { MenuFrame(menuNow += 10); });
        menuAllocs += StopCountingAllocations();
        menuFrames += counted ? 1 : 0;
      }
      TopMode = MODE_GAME;
    }
  }
  glFinish();
  std::printf("play game_seconds=%.0f games=%ld ticks=%ld counted_frames=%ld peak_after_load_mb=%.1f "
              "rss_after_load_mb=%.1f peak_after_play_mb=%.1f rss_growth_during_play_kb=%ld "
              "rss_growth_after_first_fifth_kb=%ld "
              "allocs_per_tick=%.4f allocs_per_frame=%.4f allocs_per_menu_frame=%.4f\n",
              gameSeconds, games, ticks, frames, loadedPeakKb / 1024.0, loadedRssKb / 1024.0,
              StatusKb("VmHWM") / 1024.0, StatusKb("VmRSS") - warmRssKb, StatusKb("VmRSS") - countedRssKb,
              static_cast<double>(tickAllocs) / (ticks - countFrom),
              static_cast<double>(frameAllocs) / frames,
              menuFrames ? static_cast<double>(menuAllocs) / menuFrames : 0.0);
  return 0;
}
// The start as RunProgram makes it, up to the first title frame on screen.
int MeasureStartup(double t0Seconds) {
  ReadOptionsFile();
  DescribeGameWindow(Options[OPT_FULLSCREEN]);
  if (!RegisterGameWindowClass(GameApplication) || !OpenGameWindow(GameWindow) || !InitializeGame()) {
    std::fprintf(stderr, "quorbels_perf: no OpenGL window\n");
    return 1;
  }
  PlatformClearBars();
  FrameUpdate(PlatformTicks());
  PlatformSwapBuffers();
  glFinish();
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const double ms = (now.tv_sec + now.tv_nsec / 1e9 - t0Seconds) * 1000.0;
  std::printf("startup first_title_frame_ms=%.1f loading_steps=%d fullscreen=%d multisample=%d\n", ms,
              LoadingStepCount(), GameWindow.init.fullScreen, MultisampleEnabled);
  CloseGameWindow(GameWindow);
  PlatformQuitVideo();
  return 0;
}
} // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(
        stderr,
        "usage: quorbels_perf screen busy|title|map|shop SECONDS | loop title|map|play SECONDS PACING | "
        "play GAME_SECONDS | startup T0\n");
    return 2;
  }
  PlatformShowMessageBoxes(false);
  // Frames are measured back to back, except in the loop mode that asks for pacing.
  const bool loop = std::string(argv[1]) == "loop";
  CommandLine.framePacing = loop && argc >= 5 && std::atoi(argv[4]) != 0 ? 1 : 0;
  PlatformSetFramePacing(CommandLine.framePacing != 0);
  const char* data = std::getenv("QUORBELS_DATA");
  if (data && *data) {
    std::string dir(data);
    while (!dir.empty() && dir.back() == '/') dir.pop_back();
    const size_t slash = dir.rfind('/');
    BaseDir = slash == std::string::npos ? std::string("./") : dir.substr(0, slash + 1);
  } else {
    BaseDir = ProgramDirectory() + "../";
  }
  // The player's files are read but never written: nothing here calls the exit path.
  if (std::string(argv[1]) == "startup") return MeasureStartup(std::atof(argv[2]));
  if (!OpenWindowAndLoad()) {
    std::fprintf(stderr, "quorbels_perf: no OpenGL window\n");
    return 1;
  }
  const std::string what = argv[1];
  int result = 2;
  if (what == "screen" && argc >= 4)
    result = MeasureScreen(argv[2], std::atof(argv[3]));
  else if (loop && argc >= 5)
    result = MeasureLoop(argv[2], std::atof(argv[3]));
  else if (what == "play")
    result = MeasurePlay(std::atof(argv[2]));
  CloseGameWindow(GameWindow);
  PlatformQuitVideo();
  return result;
}
