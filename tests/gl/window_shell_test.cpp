// The game window, its fixed OpenGL state, the two light setups and the
// letterbox that fits the 800 x 600 picture onto a larger full-screen desktop.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <ctime>

#include "app/loader.h"
#include "app/program.h"
#include "app/window.h"
#include "game/state.h"
#include "gl_fixture.h"
#include "platform/platform.h"
#include "render/gl_state.h"

namespace {
// What gluPerspective(fovy, aspect, near, far) puts into the projection matrix.
void ExpectPerspective(const GLfloat m[16], double fovy, double aspect, double zNear, double zFar) {
  double f = 1.0 / std::tan(fovy * M_PI / 360.0);
  const double expected[16] = {f / aspect,
                               0,
                               0,
                               0,
                               0,
                               f,
                               0,
                               0,
                               0,
                               0,
                               (zFar + zNear) / (zNear - zFar),
                               -1,
                               0,
                               0,
                               2 * zFar * zNear / (zNear - zFar),
                               0};
  for (int i = 0; i < 16; ++i)
    EXPECT_NEAR(m[i], expected[i], 1e-4 * std::max(1.0, std::fabs(expected[i]))) << i;
}

void ExpectVector(GLenum light, GLenum what, float a, float b, float c, float d) {
  GLfloat v[4];
  glGetLightfv(light, what, v);
  EXPECT_NEAR(v[0], a, 1e-5);
  EXPECT_NEAR(v[1], b, 1e-5);
  EXPECT_NEAR(v[2], c, 1e-5);
  EXPECT_NEAR(v[3], d, 1e-5);
}

void ExpectMaterial(GLenum what, float a, float b, float c, float d) {
  GLfloat v[4];
  glGetMaterialfv(GL_FRONT, what, v);
  EXPECT_NEAR(v[0], a, 1e-5);
  EXPECT_NEAR(v[1], b, 1e-5);
  EXPECT_NEAR(v[2], c, 1e-5);
  EXPECT_NEAR(v[3], d, 1e-5);
}

GLint GetInt(GLenum what) {
  GLint v = 0;
  glGetIntegerv(what, &v);
  return v;
}

// Fills picture rectangle (x0, y0)-(x1, y1), top-left origin, with a flat colour.
void FillPictureRect(int x0, int y0, int x1, int y1, float r, float g, float b) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, PICTURE_WIDTH, PICTURE_HEIGHT, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glColor3f(r, g, b);
  glBegin(GL_QUADS);
  glVertex2i(x0, y0);
  glVertex2i(x1, y0);
  glVertex2i(x1, y1);
  glVertex2i(x0, y1);
  glEnd();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

// Lets the X server and the GL drawable follow a change of the window's size:
// events are taken and frames swapped for a while, as the message loop would.
void SettleWindow() {
  for (int i = 0; i < 15; ++i) {
    PlatformEvent e;
    while (PlatformPollEvent(e)) {
    }
    PlatformSwapBuffers();
    struct timespec pause {
      0, 20'000'000
    };
    nanosleep(&pause, nullptr);
  }
}

Rgb DrawablePixel(int x, int y) {
  uint8_t p[3] = {0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return Rgb{p[0], p[1], p[2]};
}

} // namespace

TEST(GameWindow, OpensVisibleWithACurrentContext) {
  ASSERT_TRUE(OpenGameTestWindow());
  EXPECT_TRUE(PlatformWindowOpen());
  EXPECT_EQ(GameWindow.visible, 1);
  EXPECT_EQ(GameWindow.windowOpen, 1);
  ASSERT_NE(glGetString(GL_VERSION), nullptr);
  Letterbox box = PlatformLetterbox();
  EXPECT_EQ(box.drawableWidth, 800);
  EXPECT_EQ(box.drawableHeight, 600);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, 0);
  EXPECT_EQ(box.width, 800);
  EXPECT_EQ(box.height, 600);
  EXPECT_GE(GetInt(GL_DEPTH_BITS), 16);
  GLboolean doubleBuffer = GL_FALSE;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
  EXPECT_TRUE(doubleBuffer);
  if (MultisampleEnabled) {
    EXPECT_TRUE(MultisampleFormat == 4 || MultisampleFormat == 2);
    EXPECT_GE(GetInt(0x80A9 /* GL_SAMPLES */), 2);
  }
}

TEST(GameWindow, InitGLStateLeavesTheFixedState) {
  ASSERT_TRUE(OpenGameTestWindow());
  // Disturb everything InitGLState promises to set.
  glViewport(10, 10, 20, 20);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 1, 0, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, 3);
  glMatrixMode(GL_TEXTURE);
  glDisable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glCullFace(GL_FRONT);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  FillPictureRect(0, 0, 800, 600, 0, 1, 0);
  glMatrixMode(GL_TEXTURE);

  InitGLState();

  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  ExpectPerspective(m, 50, 4.0 / 3.0, 0.5, 2000);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
  EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(GetInt(GL_DEPTH_FUNC), GL_LEQUAL);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(GetInt(GL_CULL_FACE_MODE), GL_BACK);
  EXPECT_EQ(GetInt(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
  // The colour buffer was cleared (with the clear colour in force: red).
  EXPECT_EQ(PixelAt(400, 300), (Rgb{255, 0, 0}));
  // Neither lighting nor blending is part of the fixed state: they stay as they were.
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST(GameWindow, ResizeViewportSetsTheWindowProjection) {
  ASSERT_TRUE(OpenGameTestWindow());
  ResizeViewport(800, 0); // a height of 0 counts as 1
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 1);
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  ExpectPerspective(m, 50, 800.0, 1, 100);
  ResizeViewport(800, 600);
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  ExpectPerspective(m, 50, 800.0 / 600.0, 1, 100);
  InitGLState();
}

TEST(LightSetups, StoneLightingSetsItsLightAndMaterialButNotLightingItself) {
  ASSERT_TRUE(OpenGameTestWindow());
  ResetTestFrame();
  glDisable(GL_LIGHT0);
  glDisable(GL_COLOR_MATERIAL);
  glShadeModel(GL_FLAT);
  SetStoneLighting();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_EQ(GetInt(GL_COLOR_MATERIAL_FACE), GL_FRONT);
  EXPECT_EQ(GetInt(GL_COLOR_MATERIAL_PARAMETER), GL_AMBIENT_AND_DIFFUSE);
  EXPECT_EQ(GetInt(GL_SHADE_MODEL), GL_SMOOTH);
  ExpectVector(GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1);
  ExpectVector(GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1);
  ExpectVector(GL_LIGHT0, GL_POSITION, 1, 0.6f, 1, 0);
  ExpectMaterial(GL_SPECULAR, 0.6f, 0.6f, 0.6f, 1);
  GLfloat shininess = 0;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  EXPECT_FLOAT_EQ(shininess, 5);

  // With lighting on, the setup stays as it was.
  glEnable(GL_LIGHTING);
  SetStoneLighting();
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  glDisable(GL_LIGHTING);
}

TEST(LightSetups, FieldLightingFollowsTheSwingAndTheCurrentCamera) {
  ASSERT_TRUE(OpenGameTestWindow());
  ResetTestFrame();
  LightSwing = 0.25f;
  SetFieldLighting();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  ExpectVector(GL_LIGHT0, GL_AMBIENT, 0.2f, 0.2f, 0.2f, 1);
  ExpectVector(GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1);
  ExpectVector(GL_LIGHT0, GL_POSITION, 0.25f, 1.5f, 1, 0);
  ExpectMaterial(GL_SPECULAR, 1, 1, 1, 1);
  GLfloat shininess = 0;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  EXPECT_FLOAT_EQ(shininess, 15);

  // The position is taken in the coordinates of the model-view matrix in force:
  // a quarter turn about z carries (x, y) to (-y, x).
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(90, 0, 0, 1);
  LightSwing = -0.5f;
  SetFieldLighting();
  ExpectVector(GL_LIGHT0, GL_POSITION, -1.5f, -0.5f, 1, 0);
  SetStoneLighting();
  ExpectVector(GL_LIGHT0, GL_POSITION, -0.6f, 1, 1, 0);
  glLoadIdentity();
  LightSwing = 0;
}

TEST(Letterbox, FullScreenDesktopShowsThePictureScaledBetweenBlackBars) {
  ASSERT_TRUE(OpenGameTestWindow());
  // A viewport on part of the picture, set while the window is 800 x 600.
  PlatformSetViewport(100, 50, 400, 300);
  ASSERT_TRUE(PlatformSetFullscreen(true));
  SettleWindow();
  Letterbox box = PlatformLetterbox();
  // The test display is larger than 800 x 600 and not 4:3.
  ASSERT_GT(box.drawableWidth, 800);
  Letterbox expected = ComputeLetterbox(box.drawableWidth, box.drawableHeight);
  EXPECT_EQ(box.x, expected.x);
  EXPECT_EQ(box.width, expected.width);
  EXPECT_EQ(box.height, expected.height);

  // The next frame maps that same part of the picture onto the larger drawable.
  PlatformClearBars();
  GLint remapped[4];
  glGetIntegerv(GL_VIEWPORT, remapped);
  EXPECT_EQ(remapped[0], box.x + 100 * box.width / 800);
  EXPECT_EQ(remapped[1], box.y + 50 * box.height / 600);
  EXPECT_EQ(remapped[0] + remapped[2], box.x + 500 * box.width / 800);
  EXPECT_EQ(remapped[1] + remapped[3], box.y + 350 * box.height / 600);

  // A frame as the message loop draws it: bars cleared, then the game's own
  // clear (blue) and a red top-left quarter of the picture.
  glClearColor(0, 0, 1, 1);
  PlatformClearBars();
  InitGLState();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  FillPictureRect(0, 0, 400, 300, 1, 0, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], box.x);
  EXPECT_EQ(viewport[1], box.y);
  EXPECT_EQ(viewport[2], box.width);
  EXPECT_EQ(viewport[3], box.height);
  int top = box.y + box.height - 1; // drawable rows count from the bottom
  if (box.x > 0) {
    EXPECT_EQ(DrawablePixel(box.x / 2, box.drawableHeight / 2), (Rgb{0, 0, 0})) << "left bar";
    EXPECT_EQ(DrawablePixel(box.drawableWidth - 1 - box.x / 2, box.drawableHeight / 2), (Rgb{0, 0, 0}))
        << "right bar";
  }
  if (box.y > 0) {
    EXPECT_EQ(DrawablePixel(box.drawableWidth / 2, box.y / 2), (Rgb{0, 0, 0})) << "bottom bar";
  }
  EXPECT_EQ(DrawablePixel(box.x + 2, top - 2), (Rgb{255, 0, 0}));
  EXPECT_EQ(DrawablePixel(box.x + box.width / 2 - 3, top - box.height / 2 + 3), (Rgb{255, 0, 0}));
  EXPECT_EQ(DrawablePixel(box.x + box.width / 2 + 3, top - box.height / 2 - 3), (Rgb{0, 0, 255}));
  EXPECT_EQ(DrawablePixel(box.x + box.width - 2, box.y + 1), (Rgb{0, 0, 255}));
  std::vector<uint8_t> whole(static_cast<size_t>(box.drawableWidth) * box.drawableHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, box.drawableWidth, box.drawableHeight, GL_RGB, GL_UNSIGNED_BYTE, whole.data());
  std::vector<uint8_t> topDown(whole.size());
  size_t row = static_cast<size_t>(box.drawableWidth) * 3;
  for (int y = 0; y < box.drawableHeight; ++y)
    std::copy_n(whole.begin() + (box.drawableHeight - 1 - y) * row, row, topDown.begin() + y * row);
  SaveArtifact("letterbox_fullscreen", topDown, box.drawableWidth, box.drawableHeight);

  // The pointer in the middle of the desktop is the middle of the picture.
  PlatformReleasePointer();
  PlatformWarpPointer(100, 100);
  SettleWindow();
  PlatformWarpPointer(400, 300);
  bool moved = false;
  for (int i = 0; i < 50 && !moved; ++i) {
    PlatformEvent e;
    while (PlatformPollEvent(e)) {
      if (e.type == EventType::MouseMove) {
        moved = true;
        EXPECT_NEAR(e.x, 400, 1);
        EXPECT_NEAR(e.y, 300, 1);
      }
    }
    struct timespec pause {
      0, 20'000'000
    };
    nanosleep(&pause, nullptr);
  }
  EXPECT_TRUE(moved);

  // Back to the window: the picture fills it again.
  EXPECT_TRUE(PlatformSetFullscreen(false));
  SettleWindow();
  box = PlatformLetterbox();
  EXPECT_EQ(box.drawableWidth, 800);
  EXPECT_EQ(box.drawableHeight, 600);
  PlatformClearBars();
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  InitGLState();
}

TEST(DisplaySwitch, TheReopenedWindowClearsTheRestartFlagOnceLoaded) {
  ASSERT_TRUE(OpenGameTestWindow());
  PlatformShowMessageBoxes(false);
  // The first window of the run (or a later one, when other tests loaded already).
  ASSERT_TRUE(InitializeGame());
  ASSERT_EQ(FirstLoadDone, 1);
  ASSERT_EQ(AudioStarted, 1);
  uint8_t mode = TopMode;

  // A display switch closed the old window with the exit sequence skipped; the
  // new window is initialised like every later window.
  RestartPending = 1;
  ASSERT_TRUE(InitializeGame());
  EXPECT_EQ(RestartPending, 0) << "an exit after the switch would not save";
  EXPECT_EQ(AudioStarted, 1);
  EXPECT_EQ(TopMode, mode); // the program carries on where it was
  EXPECT_EQ(LoadingActive, 0);
  InitGLState();
}
