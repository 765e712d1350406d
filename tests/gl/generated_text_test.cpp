// The generated font and panels as the game draws them.
//
// Every text on every screen reads against what is behind it: each screen (front-end
// screens, the five themes in play, every game dialog and the in-game instructions)
// is drawn twice from the same state, once as the game draws it and once with a
// font texture that covers nothing. The pixels that differ are the text and its
// shadows; those that carry one of the game's text colours are the letters. For
// every word (a connected group of differing pixels) the contrast ratio of its
// colour (WCAG 2 relative luminance) against the text-free picture under the word
// is taken at the 10th percentile of its pixels, so a busy background that lets a
// tenth of a word disappear fails it. Greyed-out labels (grey text) are not counted.
//
// The pictures are kept as screens_<name>.png for review, and the figures are
// printed per screen (scripts/text-contrast runs this test alone).
//
// What DrawText draws ends where TextWidth says, at every size the game writes:
// centred labels sit centred and the pieces of a sentence that changes colour join
// without gaps.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "render/gl_state.h"
#include "app/program.h"
#include "app/window.h"
#include "assets/catalogue.h"
#include "ui/text.h"
#include "game/highscore.h"
#include "frontend/level_map.h"
#include "frontend/menu.h"
#include "game/options.h"
#include "play/actions.h"
#include "game/levels.h"
#include "game/state.h"
#include "game/tick.h"
#include "game_screen_support.h"
#include "gl_fixture.h"
#include "play/game_screen.h"
#include "ui/screen2d.h"

namespace {

constexpr int W = 800, H = 600;

double Linear(uint8_t v) {
  double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double Luminance(const uint8_t* p) {
  return 0.2126 * Linear(p[0]) + 0.7152 * Linear(p[1]) + 0.0722 * Linear(p[2]);
}
double Contrast(double a, double b) {
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The colours the game writes text in (labels white or yellow when pointed at, the
// orange headings, the red notes and markers, the story introduction's cream and
// gold); grey labels are the greyed-out ones.
const uint8_t TextColours[][3] = {{255, 255, 255}, {255, 255, 0},   {255, 178, 109}, {255, 0, 0},
                                  {240, 240, 240}, {255, 243, 214}, {255, 200, 90}};

struct Word {
  int x0 = W, y0 = H, x1 = -1, y1 = -1;
  double contrast = 0; // 10th percentile over the word's pixels
};

// Words of the picture `text` against the text-free picture `plain`.
std::vector<Word> MeasureWords(const std::vector<uint8_t>& text, const std::vector<uint8_t>& plain) {
  std::vector<uint8_t> differs(W * H);
  for (int i = 0; i < W * H; ++i)
    for (int c = 0; c < 3; ++c)
      if (std::abs(text[i * 3 + c] - plain[i * 3 + c]) > 24) differs[i] = 1;
  std::vector<Word> words;
  std::vector<int> stack, pixels;
  for (int start = 0; start < W * H; ++start) {
    if (differs[start] != 1) continue;
    // Flood fill one group of touching differing pixels.
    pixels.clear();
    stack.assign(1, start);
    differs[start] = 2;
    while (!stack.empty()) {
      int i = stack.back();
      stack.pop_back();
      pixels.push_back(i);
      int x = i % W, y = i / W;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= W || ny >= H || differs[ny * W + nx] != 1) continue;
          differs[ny * W + nx] = 2;
          stack.push_back(ny * W + nx);
        }
    }
    // The word's colour: the text colour most of its letter pixels carry.
    int votes[std::size(TextColours)] = {};
    for (int i : pixels)
      for (size_t k = 0; k < std::size(TextColours); ++k) {
        int d = 0;
        for (int c = 0; c < 3; ++c) d = std::max(d, std::abs(text[i * 3 + c] - TextColours[k][c]));
        if (d <= 30) ++votes[k];
      }
    size_t best = std::max_element(std::begin(votes), std::end(votes)) - std::begin(votes);
    if (votes[best] < 3) continue; // shadows or grey text only
    const double textLum = Luminance(TextColours[best]);
    std::vector<double> ratios;
    Word w;
    for (int i : pixels) {
      ratios.push_back(Contrast(textLum, Luminance(&plain[i * 3])));
      w.x0 = std::min(w.x0, i % W), w.x1 = std::max(w.x1, i % W);
      w.y0 = std::min(w.y0, i / W), w.y1 = std::max(w.y1, i / W);
    }
    std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 10, ratios.end());
    w.contrast = ratios[ratios.size() / 10];
    words.push_back(w);
  }
  return words;
}

class GeneratedText : public ::testing::Test {
protected:
  static void SetUpTestSuite() { LoadRealGameData(); }
  void SetUp() override {
    ASSERT_TRUE(OpenGameTestWindow());
    InitGLState();
    blankFont_ = screen_test::SolidTexture(0, 0, 0, 0);
  }
  void TearDown() override { glDeleteTextures(1, &blankFont_); }

  // Draws the screen with and without its text, keeps the picture and measures.
  void Measure(const std::string& name, const std::function<void()>& draw) {
    draw();
    std::vector<uint8_t> text = ReadPicture();
    const uint32_t font = Tex.font;
    Tex.font = blankFont_;
    draw();
    std::vector<uint8_t> plain = ReadPicture();
    Tex.font = font;
    SaveArtifact("screens_" + name, text, W, H);
    std::vector<Word> words = MeasureWords(text, plain);
    if (words.empty()) return; // the game screen in play shows no text
    const Word& worst = *std::min_element(
        words.begin(), words.end(), [](const Word& a, const Word& b) { return a.contrast < b.contrast; });
    std::printf("contrast %-22s words %3zu  min %5.2f at (%d,%d)-(%d,%d)\n", name.c_str(), words.size(),
                worst.contrast, worst.x0, worst.y0, worst.x1, worst.y1);
    EXPECT_GE(worst.contrast, 4.5) << name << ": the word at (" << worst.x0 << "," << worst.y0 << ")-("
                                   << worst.x1 << "," << worst.y1 << ")";
  }

  // A front-end screen at rest: entered, faded in, the logos dropped, the strip
  // still, the pointer at (mx, my).
  void FrontEnd(const std::string& name, uint8_t screen, int32_t slide,
                const std::function<void()>& setUp = {}, int mx = 799, int my = 599) {
    MenuScreen = screen;
    SlidePos = SlideTarget = slide;
    EnterFrontEnd(100000);
    if (setUp) setUp();
    MouseX = mx;
    MouseY = my;
    MenuFrame(103000);
    Measure(name, [] { DrawMenus(); });
  }

  // A story game of `theme` with a half-built field, items in the slots (the first
  // level from the fifth on that is not a puzzle, so the meter and the items show).
  static void StoryGame(uint8_t theme) {
    uint16_t level = 4;
    while (LevelTable[level].puzzle != 0) ++level;
    ChosenTheme = theme;
    ItemSlots[0] = 1, ItemSlots[1] = 6, ItemSlots[2] = 7;
    StartLevel(level, 0);
    MouseX = 400, MouseY = 300;
    for (int t = 0; t < 200; ++t) {
      MouseX = 250 + (t * 37) % 300;
      if (t % 20 == 10) DispatchAction(0);
      GameTick();
    }
    CurrentGame.helpShown = 0;
    // A stack with gaps in the bottom rows, as in the middle of a level.
    for (int r = 8; r <= 11; ++r)
      for (int c = FirstColumn(); c <= LastColumn(); ++c)
        if ((c * 7 + r * 3) % 5 != 0 && r * 2 + c % 3 > 17)
          Cell(c, r) = ShownCell(c, r) = static_cast<uint8_t>(1 + (c + r) % 8);
  }
  void Game(const std::string& name) {
    Measure(name, [] { DrawGameScene(); });
  }

  uint32_t blankFont_ = 0;
  screen_test::PlayerFilesGuard files_;
};

TEST_F(GeneratedText, EveryTextReadsOnEveryScreen) {
  HighScores = HighScoreRecord{};
  for (int t = 0; t < 3; ++t)
    for (int e = 0; e < HIGHSCORE_ENTRIES; ++e) {
      HighScoreEntry& entry = HighScores.tables[t][e];
      entry.score = 1000 * (e + 1) * (t + 1);
      const std::string n = e % 2 ? "WOLFGANGWOLF" : "ANNA";
      entry.nameLength = static_cast<uint8_t>(n.size());
      std::copy(n.begin(), n.end(), entry.name);
    }
  HighScores.profile.storyProgress = 55;
  HighScores.profile.money = 5000;
  const uint8_t options[OPTIONS_SIZE] = {0, 1, 0, 1, 4, 7, 7};
  std::copy(std::begin(options), std::end(options), Options);
  StoryIntroSeen = 1;
  ItemSlots[0] = 2, ItemSlots[1] = 0, ItemSlots[2] = 5;
  LastInsertSize = LastInsertIndex = -1;

  TopMode = MODE_FRONTEND;
  FrontEnd("title", SCREEN_MAIN, 0);
  FrontEnd("cylinder_size", SCREEN_CYLINDER, -60);
  HighScores.profile.storyProgress = 20; // Mountain still greyed out
  FrontEnd("theme", SCREEN_THEME, -120);
  HighScores.profile.storyProgress = 55;
  FrontEnd("hall_of_fame", SCREEN_SIDE, 80);
  for (uint8_t page = 0; page < 4; ++page)
    FrontEnd("instructions_" + std::to_string(page), SCREEN_SIDE, 80, [page] {
      InstructionsOpen = 1;
      InstructionsPage = page;
    });
  FrontEnd("options", SCREEN_SIDE, 80, [] { OptionsOpen = 1; });
  FrontEnd("map", SCREEN_MAP, 0);
  // A level with a title: the info box at the pointer and the speech bubble.
  int titled = 0;
  while (titled < MAP_SPOTS - 1 && (LevelTable[titled].text[0] == 0 || titled == 10)) ++titled;
  FrontEnd("map_level", SCREEN_MAP, 0, {}, LevelSpots[titled][0], LevelSpots[titled][1]);
  FrontEnd("shop", SCREEN_SHOP, 0);
  HighScores.profile.storyProgress = 1;
  StoryIntroSeen = 0;
  FrontEnd("map_introduction", SCREEN_MAP, 0);
  StoryIntroSeen = 1;
  HighScores.profile.storyProgress = 55;

  TopMode = MODE_GAME;
  static const char* const ThemeNames[5] = {"forest", "city", "desert", "beach", "mountain"};
  for (uint8_t theme = 1; theme <= 5; ++theme) {
    StoryGame(theme);
    Game(std::string("play_") + ThemeNames[theme - 1]);
    CurrentGame.paused = 1;
    Game(std::string("pause_") + ThemeNames[theme - 1]);
    CurrentGame.paused = 0;
    CurrentGame.gameOver = 60;
    Game(std::string("retry_") + ThemeNames[theme - 1]);
  }
  StoryGame(1);
  CurrentGame.levelCleared = 1;
  CurrentGame.clearTicks = 120;
  CurrentGame.shownLevelScore = 12480;
  CurrentGame.shownMoney = 250;
  Game("level_cleared");
  for (uint8_t page = 0; page < 4; ++page) {
    StoryGame(3);
    CurrentGame.helpShown = 1;
    CurrentGame.helpPage = page;
    Game("help_" + std::to_string(page));
  }
  // Arcade: game over below the table, and a new high score with a 12-letter name.
  ChosenTheme = 2;
  ArcadeCylinderSize = 12;
  StartLevel(ARCADE_LEVEL, 0);
  for (int t = 0; t < 100; ++t) GameTick();
  CurrentGame.helpShown = 0;
  CurrentGame.paused = 1;
  Game("pause_arcade");
  CurrentGame.paused = 0;
  CurrentGame.gameOver = 60;
  CurrentGame.score = CurrentGame.shownScore = 10;
  Game("game_over_arcade");
  CurrentGame.score = CurrentGame.shownScore = 99999;
  PlayerName = "MAXIMILIANUS";
  Game("new_highscore");
  PlayerName.clear();
  NameEntryActive = 0;
  TopMode = MODE_FRONTEND;
}

// The right edge of the ink of `text` drawn at x 10 (one past the last lit column).
int InkRightEdge(const std::string& text, int size) {
  ResetTestFrame();
  BeginScreenSpace();
  DrawText(10, 100, static_cast<uint8_t>(size), 255, 255, 255, text);
  EndScreenSpace();
  const std::vector<uint8_t> picture = ReadPicture();
  int right = 0;
  for (int y = 100; y < 100 + size; ++y)
    for (int x = 0; x < W; ++x)
      if (picture[(y * W + x) * 3] > 127) right = std::max(right, x + 1);
  return right;
}

TEST_F(GeneratedText, DrawnAdvanceMatchesTheWidthTable) {
  const std::string sample =
      "Quorbels fly, tumble and land: 0123456789 boxes, bombs & tubes! Who knows why? ";
  for (int size : {14, 16, 18, 20, 21, 25, 30}) {
    // As many characters as fit the window, ending in a capital I (a plain stem):
    // the drawn advance is where the last I's ink ends plus its right side bearing.
    std::string text;
    while (TextWidth(text + sample[text.size() % sample.size()] + "I", size) < 770)
      text += sample[text.size() % sample.size()];
    text += "I";
    const double bearing = FontWidths[size_t{'I'}] / 32.0 * size - (InkRightEdge("I", size) - 10);
    const double drawn = InkRightEdge(text, size) - 10 + bearing;
    std::printf("advance size %2d: %3zu characters, table %3d px, drawn %5.1f px\n", size, text.size(),
                TextWidth(text, size), drawn);
    EXPECT_NEAR(drawn, TextWidth(text, size), 1.0) << "size " << size << ", " << text.size() << " characters";
  }
}

} // namespace
