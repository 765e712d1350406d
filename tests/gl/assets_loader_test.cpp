// The loading screen and the whole asset catalogue with the generated data set:
// the first load (records, models, lists, every texture but the theme pictures,
// front-end entered), each theme's pictures loaded with their theme, and a display
// switch (a new window and context) that rebuilds every texture and display list
// with the same pictures in 31 steps.
#include <GL/gl.h>
#include <chrono>
#include <dirent.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/loader.h"
#include "app/program.h"
#include "app/window.h"
#include "assets/catalogue.h"
#include "assets/sound.h"
#include "assets/textures.h"
#include "core/files.h"
#include "frontend/menu.h"
#include "gl_fixture.h"
#include "platform/platform.h"
#include "play/theme_pictures.h"
#include "render/gl_state.h"
#include "ui/screen2d.h"
#include "ui/text.h"

namespace {

Rgb C(int r, int g, int b) {
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

// What the last loading frame showed. ProgressStep presents its frame with a swap;
// the software renderer the tests run on copies the back buffer to the window and
// keeps it, so the frame can be read back from there (reading the window itself
// through the front buffer is not reliable under Xvfb).
Rgb ShownPixel(int x, int y) {
  return PixelAt(x, y);
}

// The textures of the loading sequence (all but the theme pictures).
std::vector<uint32_t*> SequenceTextures() {
  std::vector<uint32_t*> all = {&Tex.skdatex, &Tex.font,   &Tex.levelspot, &Tex.menu,
                                &Tex.qmark,   &Tex.avatar, &Tex.underline};
  for (uint32_t& t : Tex.itemIcons) all.push_back(&t);
  for (uint32_t* t : {&Tex.coin, &Tex.iRahmen, &Tex.iRahmen2, &Tex.box, &Tex.mapScreen, &Tex.title, &Tex.quor,
                      &Tex.boxes, &Tex.amode, &Tex.maction, &Tex.blink, &Tex.shop, &Tex.trenner, &Tex.maprand,
                      &Tex.lines, &Tex.clear, &Tex.dtq, &Tex.cursor, &Tex.ziffern, &Tex.levSco, &Tex.cloud,
                      &Tex.fkeys, &Tex.kette, &Tex.line})
    all.push_back(t);
  for (uint32_t& t : Tex.suits) all.push_back(&t);
  for (uint32_t& t : Tex.explosions) all.push_back(&t);
  for (uint32_t* t : {&Tex.star, &Tex.dust, &Tex.trankLeer, &Tex.trankVoll, &Tex.trankBlink, &Tex.dot1, &Tex.dot2,
                      &Tex.levelUp, &Tex.dreambox, &Tex.ok, &Tex.dbox, &Tex.quorback})
    all.push_back(t);
  return all;
}

// The back and sky pictures of themes 1 to 5.
const std::pair<uint32_t*, uint32_t*> ThemeTextures[5] = {{&Tex.forestBack, &Tex.forestSky},
                                                          {&Tex.cityBack, &Tex.citySky},
                                                          {&Tex.egyptBack, &Tex.egyptSky},
                                                          {&Tex.beachBack, &Tex.beachSky},
                                                          {&Tex.mountainBack, &Tex.mountainSky}};

std::vector<uint32_t*> AllLists() {
  return {&Lists.box,  &Lists.bombCore, &Lists.bombShell, &Lists.clamp,
          &Lists.hook, &Lists.tube,     &Lists.plate,     &Lists.character};
}

// Every texture drawn whole into a 48 x 48 square, read back.
std::vector<std::vector<uint8_t>> TexturePictures(const std::vector<uint32_t*>& textures) {
  std::vector<std::vector<uint8_t>> pictures;
  for (uint32_t* texture : textures) {
    ResetTestFrame(10, 20, 30);
    BeginScreenSpace();
    DrawImage(*texture, 0, 0, 48, 48);
    EndScreenSpace();
    std::vector<uint8_t> picture = ReadPicture();
    std::vector<uint8_t> square;
    for (int y = 0; y < 48; ++y)
      square.insert(square.end(), picture.begin() + y * 800 * 3, picture.begin() + y * 800 * 3 + 48 * 3);
    pictures.push_back(square);
  }
  return pictures;
}

// Each theme's pair as the game screen asks for it: the pair is loaded, every
// other theme's pictures are out of the renderer. Returns the pairs' pictures.
std::vector<std::vector<uint8_t>> ThemePicturePairs() {
  std::vector<std::vector<uint8_t>> pictures;
  for (uint8_t theme = 1; theme <= 5; ++theme) {
    const ThemePair pair = ThemePictures(theme);
    const auto [back, sky] = ThemeTextures[theme - 1];
    EXPECT_NE(pair.back, 0u) << int(theme);
    EXPECT_NE(pair.sky, 0u) << int(theme);
    EXPECT_EQ(pair.back, *back);
    EXPECT_EQ(pair.sky, *sky);
    for (const auto& [otherBack, otherSky] : ThemeTextures) {
      if (otherBack == back) continue;
      EXPECT_EQ(*otherBack, 0u) << "theme " << int(theme);
      EXPECT_EQ(*otherSky, 0u) << "theme " << int(theme);
    }
    for (auto& picture : TexturePictures({back, sky})) pictures.push_back(picture);
  }
  return pictures;
}

// Every display list's geometry as OpenGL's feedback mode returns it.
std::vector<std::vector<float>> ListGeometry() {
  std::vector<std::vector<float>> all;
  std::vector<float> buffer(1 << 20);
  for (uint32_t* list : AllLists()) {
    ResetTestFrame();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-4, 4, -4, 4, -8, 8);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glCallList(*list);
    GLint count = glRenderMode(GL_RENDER);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    all.emplace_back(buffer.begin(), buffer.begin() + std::max(count, 0));
  }
  return all;
}

} // namespace

TEST(LoadingScreen, BarGrowsFromTheLeftAndFillsAtTheLastStep) {
  ASSERT_TRUE(OpenGameTestWindow());
  uint8_t firstLoadDone = FirstLoadDone;
  uint32_t logo = Tex.logo;
  std::vector<uint8_t> red(16 * 3);
  for (size_t i = 0; i < red.size(); i += 3) red[i] = 255;
  Tex.logo = CreateTextureSharp(4, 4, TextureFormat::RGB, red.data());
  FirstLoadDone = 0;
  BeginLoadingScreen();
  ProgressStep();
  EXPECT_EQ(LoadingActive, 1);
  // The logo: x 272..528, y 50..306; the bar is drawn over its lowest rows.
  EXPECT_EQ(ShownPixel(272, 50), C(255, 0, 0));
  EXPECT_EQ(ShownPixel(527, 305), C(255, 0, 0));
  EXPECT_EQ(ShownPixel(271, 100), C(0, 0, 0));
  EXPECT_EQ(ShownPixel(302, 306), C(255, 255, 255));
  // x0 = 301 + Round(198 / 50) = 305.
  EXPECT_EQ(ShownPixel(299, 300), C(255, 0, 0));
  EXPECT_EQ(ShownPixel(300, 300), C(255, 255, 255));
  EXPECT_EQ(ShownPixel(304, 300), C(255, 255, 255));
  EXPECT_EQ(ShownPixel(305, 300), C(0, 0, 0));
  EXPECT_EQ(ShownPixel(498, 300), C(0, 0, 0));
  EXPECT_EQ(ShownPixel(499, 300), C(255, 255, 255)); // the frame's right edge
  EXPECT_EQ(ShownPixel(500, 300), C(255, 0, 0));
  EXPECT_EQ(ShownPixel(400, 290), C(255, 255, 255)); // the frame's top and bottom edges
  EXPECT_EQ(ShownPixel(400, 309), C(255, 255, 255));
  EXPECT_EQ(ShownPixel(400, 310), C(0, 0, 0));
  for (int step = 2; step <= 50; ++step) ProgressStep();
  EXPECT_EQ(LoadingStepCount(), 50);
  for (int x = 300; x < 500; ++x) ASSERT_EQ(ShownPixel(x, 300), C(255, 255, 255)) << x;
  EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_TRUE);

  // After a display switch: 31 steps, the first leaves x0 = 307, and no logo.
  FirstLoadDone = 1;
  BeginLoadingScreen();
  EXPECT_EQ(LoadingActive, 0);
  ProgressStep();
  EXPECT_EQ(ShownPixel(306, 300), C(255, 255, 255));
  EXPECT_EQ(ShownPixel(307, 300), C(0, 0, 0));
  EXPECT_EQ(ShownPixel(400, 100), C(0, 0, 0));
  EXPECT_EQ(ShownPixel(299, 300), C(0, 0, 0));
  for (int step = 2; step <= 31; ++step) ProgressStep();
  EXPECT_EQ(ShownPixel(498, 300), C(255, 255, 255));
  FirstLoadDone = firstLoadDone;
  Tex.logo = logo;
  BeginLoadingScreen();
}

TEST(LoadingScreen, StepsFasterThanTheDisplayCanShowAreCountedButNotDrawn) {
  ASSERT_TRUE(OpenGameTestWindow());
  const uint8_t firstLoadDone = FirstLoadDone;
  FirstLoadDone = 1;
  BeginLoadingScreen();
  ProgressStep(); // the first step is always shown: unfilled part from x 307
  LoadingFrameIntervalMs = 60000;
  ProgressStep(); // too soon after it: counted, not drawn (it would start at x 314)
  LoadingFrameIntervalMs = 16;
  EXPECT_EQ(LoadingStepCount(), 2);
  EXPECT_EQ(ShownPixel(306, 300), C(255, 255, 255));
  EXPECT_EQ(ShownPixel(307, 300), C(0, 0, 0));
  EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_TRUE);
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_TRUE);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ProgressStep(); // a 60 Hz refresh later: drawn, from x 301 + Round(198 / 31 * 3) = 320
  EXPECT_EQ(ShownPixel(319, 300), C(255, 255, 255));
  EXPECT_EQ(ShownPixel(320, 300), C(0, 0, 0));
  FirstLoadDone = firstLoadDone;
  BeginLoadingScreen();
}

TEST(AssetLoading, FirstRunThenDisplaySwitchRebuildsEveryObjectWithTheSamePictures) {
  ASSERT_TRUE(OpenGameTestWindow());
  // Audio runs for this test as it does in the game (on the dummy device), and
  // stops again afterwards so the other tests stay silent.
  StartAudio();
  struct AudioStop {
    ~AudioStop() { StopAudio(); }
  } audioStop;
  int messages = PlatformMessageCount();
  FirstLoadDone = 0;
  TopMode = MODE_GAME;
  MenuScreen = SCREEN_SHOP;
  SlidePos = 0;
  for (uint32_t* t : SequenceTextures()) *t = 0;
  Tex.logo = 0;
  LoadAssets();
  EXPECT_EQ(PlatformMessageCount(), messages) << PlatformLastMessageText();
  EXPECT_EQ(FirstLoadDone, 1);
  EXPECT_EQ(LoadingActive, 0);
  EXPECT_EQ(LoadingStepCount(), 50);
  EXPECT_EQ(TopMode, MODE_FRONTEND);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
  EXPECT_EQ(SlideTarget, 0);
  EXPECT_NE(Tex.logo, 0u);
  // The last frame presented: the full bar under the logo.
  EXPECT_EQ(ShownPixel(450, 300), C(255, 255, 255));

  std::vector<uint8_t> widthFile = ReadRequiredRecord(DataPath("data/misc/font.dat"), 512);
  for (int c = 0; c < 256; ++c) ASSERT_EQ(FontWidths[c], widthFile[2 * c] | (widthFile[2 * c + 1] << 8)) << c;
  for (const TModel& model : Models) {
    EXPECT_GT(model.vertexCount, 0);
    EXPECT_GT(model.triangleCount, 0);
  }
  // The tests' dummy audio device takes every sound and track of the catalogue.
  for (int n = 1; n <= SAMPLE_COUNT; ++n) EXPECT_TRUE(SampleLoaded(n)) << SampleFiles[n - 1];
  for (int n = 1; n <= MUSIC_COUNT; ++n) EXPECT_TRUE(MusicLoaded(n)) << MusicFiles[n - 1];

  std::set<uint32_t> names;
  for (uint32_t* t : SequenceTextures()) {
    EXPECT_NE(*t, 0u);
    names.insert(*t);
  }
  EXPECT_EQ(names.size(), 61u);
  // The ten theme pictures come with their theme, one pair at a time.
  for (const auto& [back, sky] : ThemeTextures) EXPECT_EQ(*back + *sky, 0u);
  for (uint32_t* list : AllLists()) EXPECT_EQ(glIsList(*list), GL_TRUE);
  std::vector<std::vector<uint8_t>> pictures = TexturePictures(SequenceTextures());
  std::vector<std::vector<uint8_t>> themePictures = ThemePicturePairs();
  std::vector<std::vector<float>> geometry = ListGeometry();
  for (const auto& g : geometry) EXPECT_GT(g.size(), 0u);
  // The hook and the plate are scaled (0.55, 0.45) and every list has geometry.

  // A display switch: the window and its context go, a new one comes.
  CloseGameWindow(GameWindow);
  ASSERT_TRUE(OpenGameWindow(GameWindow));
  InitGLState();
  TopMode = MODE_GAME;
  MenuScreen = SCREEN_MAP;
  uint16_t boxVertices = Models[0].vertexCount;
  LoadAssets();
  EXPECT_EQ(PlatformMessageCount(), messages);
  EXPECT_EQ(LoadingStepCount(), 31);
  EXPECT_EQ(TopMode, MODE_GAME); // only the OpenGL objects were rebuilt
  EXPECT_EQ(MenuScreen, SCREEN_MAP);
  EXPECT_EQ(Models[0].vertexCount, boxVertices);
  EXPECT_EQ(ShownPixel(400, 178), C(0, 0, 0)); // no logo after a switch
  for (uint32_t* list : AllLists()) EXPECT_EQ(glIsList(*list), GL_TRUE);
  for (const auto& [back, sky] : ThemeTextures) EXPECT_EQ(*back + *sky, 0u) << "none of the old context's";
  std::vector<std::vector<uint8_t>> picturesAfter = TexturePictures(SequenceTextures());
  ASSERT_EQ(picturesAfter.size(), pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) EXPECT_EQ(picturesAfter[i], pictures[i]) << "texture " << i;
  EXPECT_EQ(ThemePicturePairs(), themePictures);
  EXPECT_EQ(ListGeometry(), geometry);
  TopMode = MODE_FRONTEND;
  MenuScreen = SCREEN_MAIN;
}

TEST(AssetLoading, AMissingPictureShowsOneMessageAndLoadingGoesOn) {
  ASSERT_TRUE(OpenGameTestWindow());
  // A data folder like the generated one, with one picture missing.
  char dir[] = "/tmp/quorbels-data-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string root = std::string(dir) + "/";
  std::string real = DataPath("data/");
  ASSERT_EQ(mkdir((root + "data").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((root + "data/textures").c_str(), 0755), 0);
  std::vector<std::string> made;
  for (const char* folder : {"misc", "3d", "sound", "music"}) {
    std::string link = root + "data/" + folder;
    ASSERT_EQ(symlink((real + folder).c_str(), link.c_str()), 0);
    made.push_back(link);
  }
  DIR* textures = opendir((real + "textures").c_str());
  ASSERT_NE(textures, nullptr);
  while (dirent* entry = readdir(textures)) {
    std::string name = entry->d_name;
    if (name == "." || name == ".." || name == "dtq.bmp") continue;
    std::string link = root + "data/textures/" + name;
    ASSERT_EQ(symlink((real + "textures/" + name).c_str(), link.c_str()), 0);
    made.push_back(link);
  }
  closedir(textures);

  std::string savedBase = BaseDir;
  uint8_t savedFirst = FirstLoadDone;
  BaseDir = root;
  FirstLoadDone = 1;
  Tex.dtq = 0;
  int before = PlatformMessageCount();
  LoadAssets();
  EXPECT_EQ(PlatformMessageCount(), before + 1);
  EXPECT_EQ(std::string(PlatformLastMessageText()), "Error opening " + root + "data/textures/dtq.bmp");
  EXPECT_EQ(std::string(PlatformLastMessageCaption()), "BMP Unit");
  EXPECT_EQ(Tex.dtq, 0u);
  EXPECT_EQ(LoadingStepCount(), 31);
  for (uint32_t* t : SequenceTextures()) {
    if (t != &Tex.dtq) {
      EXPECT_NE(*t, 0u);
    }
  }
  // Drawn with no texture bound, the banner picture is plain white.
  ResetTestFrame();
  BeginScreenSpace();
  DrawImage(Tex.dtq, 0, 0, 50, 50);
  EndScreenSpace();
  EXPECT_EQ(PixelAt(25, 25), C(255, 255, 255));

  BaseDir = savedBase;
  FirstLoadDone = savedFirst;
  LoadTexture(DataPath("data/textures/dtq.bmp"), Tex.dtq);
  for (const std::string& path : made) unlink(path.c_str());
  rmdir((root + "data/textures").c_str());
  rmdir((root + "data").c_str());
  rmdir(dir);
}
