// The busiest game screen (full 12-column field with tube rows, stones in flight
// and one dropping, every effect pool full, both banners, the dream editor and
// the pause dialog) drawn with the real assets:
//  - it draws and plays without a single heap allocation, frame after frame;
//  - the same game state always gives the same picture, whatever was drawn
//    before it: no OpenGL state leaks from one frame (or one screen) into the next.
//    This picture is also the one that must not change by a pixel when the
//    drawing gets faster; it is saved as perf_busy_screen.png;
//  - the pictures of the busy screen (paused, running, a second later) and of the
//    title, map and shop are exactly the ones drawn before the drawing was made
//    faster: every speed-up must keep every pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "../../bench/busy_scene.h"
#include "app/loader.h"
#include "app/program.h"
#include "app/window.h"
#include "frontend/menu.h"
#include "game_screen_support.h"
#include "gl_fixture.h"
#include "play/game_screen.h"
#include "render/gl_state.h"
#include "support/alloc_counter.h"

// The allocation counter of this test program (frontend_alloc_test.cpp).

namespace {

class BusyGameScreen : public ::testing::Test {
protected:
  static void SetUpTestSuite() { LoadRealGameData(); }
  void SetUp() override { ASSERT_TRUE(OpenGameTestWindow()); }

  // A frame as the game presents it: multisampling on when the window has it.
  static std::vector<uint8_t> DrawFrame() {
    if (MultisampleEnabled == 1) EnableMultisample(true);
    DrawGameScene();
    return ReadPicture();
  }

  static size_t DifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t n = 0;
    for (size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 3)
      if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++n;
    return n;
  }

  screen_test::PlayerFilesGuard files_;
};

TEST_F(BusyGameScreen, DrawingAndPlayingAllocateNothing) {
  busy_scene::Build();
  DrawGameScene();
  StartCountingAllocations();
  for (int i = 0; i < 30; ++i) DrawGameScene();
  EXPECT_EQ(StopCountingAllocations(), 0) << "paused busy screen";

  // The same field running: pulls, turns, line checks, effects and banners ticking,
  // the pools topped up now and then, a frame after every third tick. The run is
  // made twice from the same start and only the second is counted: the first time
  // a combination of GL state is drawn, the software renderer compiles a shader
  // with the C++ allocator, which is the driver's, not the game's.
  for (int pass = 0; pass < 2; ++pass) {
    busy_scene::Build();
    CurrentGame.paused = 0;
    CurrentGame.dreamTimer = 0;
    if (pass == 1) StartCountingAllocations();
    for (int t = 0; t < 450; ++t) {
      MouseX = 120 + (t * 41) % 560;
      if (t % 5 == 0) DispatchAction(0);
      if (t % 97 == 0) DispatchAction(1);
      if (t % 150 == 0) busy_scene::FillEffectPools();
      GameTick();
      if (t % 3 == 0) DrawGameScene();
    }
  }
  EXPECT_EQ(StopCountingAllocations(), 0) << "running busy game";
}

// FNV-1a over the picture's bytes: a short fingerprint of every pixel.
uint64_t Fingerprint(const std::vector<uint8_t>& rgb) {
  uint64_t h = 14695981039346656037ull;
  for (uint8_t byte : rgb) h = (h ^ byte) * 1099511628211ull;
  return h;
}

std::vector<uint8_t> MenuPicture(uint8_t screen) {
  HighScores.profile.storyProgress = 55;
  HighScores.profile.money = 5000;
  StoryIntroSeen = 1;
  TopMode = MODE_FRONTEND;
  MenuScreen = screen;
  EnterFrontEnd(100000);
  SlidePos = SlideTarget = 0;
  OptionsOpen = InstructionsOpen = 0;
  MouseX = 400;
  MouseY = 360;
  if (MultisampleEnabled == 1) EnableMultisample(true);
  MenuFrame(100020);
  MenuFrame(102000); // two seconds on: faded in, the screen settled
  return ReadPicture();
}

TEST_F(BusyGameScreen, PicturesAreTheOnesDrawnBeforeTheSpeedUps) {
  // Fingerprints of the pictures as the straightforward drawing made them, on the
  // software renderer with 4-sample multisampling the tests run on.
  ASSERT_EQ(MultisampleEnabled, 1) << "the fingerprints are of multisampled pictures";
  struct Expected {
    const char* name;
    uint64_t fingerprint;
  };
  std::vector<std::pair<std::string, std::vector<uint8_t>>> pictures;
  // The OpenGL state of a freshly opened window, whatever other tests set before.
  InitGLState();
  ResetTestFrame();
  busy_scene::Build();
  // A frame of another theme first: the paused picture's backdrop is then drawn
  // layer by layer (and kept), the running one's from what was kept.
  const uint8_t theme = CurrentGame.theme;
  CurrentGame.theme = static_cast<uint8_t>(theme % 5 + 1);
  DrawFrame();
  CurrentGame.theme = theme;
  pictures.emplace_back("busy_paused", DrawFrame());
  CurrentGame.paused = 0;
  pictures.emplace_back("busy_running", DrawFrame());
  for (int t = 0; t < 100; ++t) {
    MouseX = 150 + (t * 29) % 500;
    if (t % 9 == 0) DispatchAction(0);
    GameTick();
  }
  pictures.emplace_back("busy_second_later", DrawFrame());
  // A display switch: the new context has none of the old one's objects, and the
  // same game is drawn the same.
  CloseGameWindow(GameWindow);
  ASSERT_TRUE(OpenGameWindow(GameWindow));
  InitGLState();
  LoadAssets();
  busy_scene::Build();
  CurrentGame.paused = 0;
  const std::vector<uint8_t> reopened = DrawFrame();
  EXPECT_EQ(DifferingPixels(pictures[1].second, reopened), 0u) << "after the window was opened again";
  pictures.emplace_back("title", MenuPicture(SCREEN_MAIN));
  pictures.emplace_back("map", MenuPicture(SCREEN_MAP));
  pictures.emplace_back("shop", MenuPicture(SCREEN_SHOP));
  const Expected expected[] = {
      {"busy_paused", 0x21bd2aa9880dd6dfull},
      {"busy_running", 0xb71bb73c1a543d08ull},
      {"busy_second_later", 0x906d516a5c4f1a4dull},
      {"title", 0x3a3f8da880e8f76cull},
      {"map", 0x45fa60bb83c905f9ull},
      {"shop", 0xb1d936e17bbec151ull},
  };
  ASSERT_EQ(pictures.size(), std::size(expected));
  for (size_t i = 0; i < pictures.size(); ++i) {
    const uint64_t got = Fingerprint(pictures[i].second);
    if (got != expected[i].fingerprint)
      SaveArtifact("changed_" + pictures[i].first, pictures[i].second, 800, 600);
    EXPECT_EQ(got, expected[i].fingerprint) << pictures[i].first << " changed: got 0x" << std::hex << got
                                            << " (saved as changed_" << pictures[i].first << ".png)";
  }
}

TEST_F(BusyGameScreen, SameStateGivesTheSamePictureWhateverCameBefore) {
  ResetTestFrame();
  busy_scene::Build();
  const std::vector<uint8_t> first = DrawFrame();
  SaveArtifact("perf_busy_screen", first, 800, 600);

  // The scene really is the busy one: the pause dialog's panel and texts, and
  // thousands of differing pixels against the same game unpaused.
  CurrentGame.paused = 0;
  const std::vector<uint8_t> unpaused = DrawFrame();
  EXPECT_GT(DifferingPixels(first, unpaused), 10000u);
  CurrentGame.paused = 1;

  // Drawn again right after other frames of the game screen...
  EXPECT_EQ(DifferingPixels(first, DrawFrame()), 0u) << "after a frame of the same screen";

  // ... after front-end screens, which leave their own state behind ...
  HighScores.profile.storyProgress = 55;
  StoryIntroSeen = 1;
  const uint8_t screens[] = {SCREEN_MAIN, SCREEN_MAP, SCREEN_SHOP};
  for (uint8_t s : screens) {
    MenuScreen = s;
    EnterFrontEnd(10000);
    MenuFrame(10020);
  }
  busy_scene::Build();
  EXPECT_EQ(DifferingPixels(first, DrawFrame()), 0u) << "after the front-end";

  // ... and after the state is built once more from scratch.
  busy_scene::Build();
  EXPECT_EQ(DifferingPixels(first, DrawFrame()), 0u) << "after a rebuild";
}

} // namespace
