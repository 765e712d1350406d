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
//    faster, in a window with multisampling and in one without: every speed-up
//    must keep every pixel.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstdint>
#include <vector>

#include "../../bench/busy_scene.h"
#include "app/command_line.h"
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

// A frame as the game presents it: multisampling on when the window has it.
std::vector<uint8_t> DrawFrame() {
  if (MultisampleEnabled == 1) EnableMultisample(true);
  DrawGameScene();
  return ReadPicture();
}

size_t DifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  size_t n = 0;
  for (size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 3)
    if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++n;
  return n;
}

class BusyGameScreen : public ::testing::Test {
protected:
  static void SetUpTestSuite() { LoadRealGameData(); }
  void SetUp() override { ASSERT_TRUE(OpenGameTestWindow()); }

  screen_test::PlayerFilesGuard files_;
};

TEST_F(BusyGameScreen, DrawingAndPlayingAllocateNothing) {
  busy_scene::Build();
  // Two frames first: the first draws the backdrop layer by layer and keeps it,
  // the second draws what was kept; each is a state the driver compiles once.
  DrawGameScene();
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

// The game window opened again as the game opens it, with the multisampling
// choice of the command line, and everything loaded into the new context.
bool ReopenGameWindow(MultisampleChoice choice) {
  CloseGameWindow(GameWindow);
  MultisampleEnabled = 0;
  CommandLine.multisample = choice;
  if (!OpenGameWindow(GameWindow)) return false;
  InitGLState();
  LoadAssets();
  return true;
}

using Pictures = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

// The busy screen paused, running and a second later, the same game after a
// display switch (which must draw the same), then the title, map and shop.
Pictures DrawTheComparedPictures() {
  Pictures pictures;
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
  EXPECT_TRUE(OpenGameWindow(GameWindow));
  InitGLState();
  LoadAssets();
  busy_scene::Build();
  CurrentGame.paused = 0;
  const std::vector<uint8_t> reopened = DrawFrame();
  EXPECT_EQ(DifferingPixels(pictures[1].second, reopened), 0u) << "after the window was opened again";
  pictures.emplace_back("title", MenuPicture(SCREEN_MAIN));
  pictures.emplace_back("map", MenuPicture(SCREEN_MAP));
  pictures.emplace_back("shop", MenuPicture(SCREEN_SHOP));
  return pictures;
}

TEST_F(BusyGameScreen, PicturesAreTheOnesDrawnBeforeTheSpeedUps) {
  // Fingerprints of the pictures as the straightforward drawing made them, on the
  // software renderer the tests run on: with 4-sample multisampling (the choice
  // "on", the default on hardware) and without (the default on a software renderer).
  struct Path {
    const char* name;
    MultisampleChoice choice;
    uint8_t multisampled;
    uint64_t fingerprints[6]; // busy paused, running, a second later; title, map, shop
  };
  const Path paths[] = {
      {"multisampled",
       MultisampleChoice::On,
       1,
       {0x21bd2aa9880dd6dfull, 0xb71bb73c1a543d08ull, 0x906d516a5c4f1a4dull, 0x3a3f8da880e8f76cull,
        0x45fa60bb83c905f9ull, 0xb1d936e17bbec151ull}},
      // The 3D scene's edges unsmoothed; the menus' pictures lie on whole pixels
      // and their texts are drawn without multisampling, the same either way.
      {"plain",
       MultisampleChoice::Off,
       0,
       {0x3c95927dea4cd1d9ull, 0xe364c54f8f79c9e1ull, 0xc0c70baab894c9abull, 0x3a3f8da880e8f76cull,
        0x45fa60bb83c905f9ull, 0xb1d936e17bbec151ull}},
  };
  for (const Path& path : paths) {
    ASSERT_TRUE(ReopenGameWindow(path.choice)) << path.name;
    ASSERT_EQ(MultisampleEnabled, path.multisampled) << path.name;
    const Pictures pictures = DrawTheComparedPictures();
    ASSERT_EQ(pictures.size(), std::size(path.fingerprints));
    for (size_t i = 0; i < pictures.size(); ++i) {
      const uint64_t got = Fingerprint(pictures[i].second);
      const std::string name = std::string(path.name) + "_" + pictures[i].first;
      if (got != path.fingerprints[i]) SaveArtifact("changed_" + name, pictures[i].second, 800, 600);
      EXPECT_EQ(got, path.fingerprints[i])
          << name << " changed: got 0x" << std::hex << got << " (saved as changed_" << name << ".png)";
    }
  }
  // The other tests draw in the window the game opens by default: on a software
  // renderer, one without multisampling.
  ASSERT_TRUE(ReopenGameWindow(MultisampleChoice::Auto));
  if (IsSoftwareRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)))) {
    EXPECT_EQ(MultisampleEnabled, 0) << "auto on a software renderer";
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

// A theme change during a game (the F-keys after the story) gives the pictures of
// the theme before back and loads the new ones, which may take the same texture
// names: the kept backdrop must still be drawn anew, with the new theme's pictures.
TEST_F(BusyGameScreen, AThemeChangeInTheGameShowsTheNewThemesPictures) {
  busy_scene::Build();
  const uint8_t first = CurrentGame.theme;
  const uint8_t second = first == 1 ? 4 : 1;
  DrawFrame();
  const std::vector<uint8_t> firstTheme = DrawFrame(); // from the kept backdrop
  CurrentGame.theme = second;
  const std::vector<uint8_t> changed = DrawFrame();
  EXPECT_GT(DifferingPixels(firstTheme, changed), 10000u);
  EXPECT_EQ(DifferingPixels(changed, DrawFrame()), 0u) << "the kept backdrop of the new theme";
  CurrentGame.theme = first;
  EXPECT_EQ(DifferingPixels(firstTheme, DrawFrame()), 0u) << "back to the first theme";
}

} // namespace
