// The boxes as the player sees them, drawn from the generated data under the
// game's own lights: a field box (the box model, tinted) and a flying box (the
// textured cube with the painted face) are the same bevelled object, their top
// chamfer catching the light and their bottom one in shade.
#include <gtest/gtest.h>

#include "game_screen_support.h"
#include "render/gl_state.h"
#include "render/scene.h"

using namespace screen_test;

namespace {

class LitBoxes : public ::testing::Test {
protected:
  static void SetUpTestSuite() { LoadRealGameData(); }
  void SetUp() override { ASSERT_TRUE(RequireWindow()); }
  void TearDown() override { ResetTestFrame(); }

  // Sum of the channels where the world point (x, y) of the boxes' front lies.
  static int Brightness(double x, double y) {
    int sx = 0, sy = 0;
    WorldToScreen(x, y, 1.0, &sx, &sy);
    Rgb c = Pixel(sx, sy);
    return c.r + c.g + c.b;
  }
};

TEST_F(LitBoxes, FieldAndFlyingBoxesCatchTheLightOnTheSameChamfers) {
  // Beside each other at the camera's height, where it sees them straight on.
  const float fieldX = -1.5f, flyingX = 0.5f, y = -4.5f;
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginCamera();
  glEnable(GL_LIGHTING);
  for (float swing : {-1.0f, 0.0f, 1.0f}) {
    LightSwing = swing;
    SetFieldLighting();
    DrawFieldBox(0, fieldX, y);
    SetStoneLighting();
    DrawFlyingBox(1, 0, flyingX, y);
    for (float x : {fieldX, flyingX}) {
      SCOPED_TRACE(std::string(x == fieldX ? "field box" : "flying box") + ", light swing " +
                   std::to_string(swing));
      // Half-way across the chamfers (a seventh of the box wide), and the middle.
      const int top = Brightness(x + 0.5, y + 0.93), face = Brightness(x + 0.5, y + 0.5),
                bottom = Brightness(x + 0.5, y + 0.07);
      EXPECT_GT(top, face + 60);
      EXPECT_LT(bottom, face - 60);
    }
  }
  glDisable(GL_LIGHTING);
}

} // namespace
