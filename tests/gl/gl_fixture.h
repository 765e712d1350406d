// What every GL test shares: the real 800 x 600 game window with a current
// OpenGL context, opened once on first use and kept open for the whole run, and
// helpers to read back and save what was drawn. gl_main.cpp provides main(): it
// points BaseDir at the generated data folder (the parent of $QUORBELS_DATA), so
// DataPath() finds data/..., and switches message boxes to stderr only.
//
// Typical use:
//   TEST(MyDrawing, Something) {
//     ASSERT_TRUE(OpenGameTestWindow());
//     ResetTestFrame();                     // fixed GL state, black picture
//     ... draw ...
//     EXPECT_EQ(PixelAt(10, 20), (Rgb{255, 0, 0}));
//     SaveArtifact("my_drawing");           // $QUORBELS_ARTIFACTS/my_drawing.png
//   }
#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& c);

// Opens the game window (windowed, 800 x 600) through the game's own
// RegisterGameWindowClass / OpenGameWindow and sets InitGLState. True while the
// window and its context exist; later calls only report.
bool OpenGameTestWindow();
// Opens the window when needed and loads the generated data folder's catalogue
// (textures, display lists, font widths, level table), putting back whatever
// earlier tests placed there. For suites that draw the real screens.
void LoadRealGameData();

// InitGLState again, lighting, blending, alpha test and fog off, colour white,
// and the whole picture cleared to the given colour (depth cleared too).
void ResetTestFrame(uint8_t r = 0, uint8_t g = 0, uint8_t b = 0);

// Reads the back buffer (what was drawn since the last swap), in picture pixels
// with the origin at the top left, as the screens use them.
Rgb PixelAt(int x, int y);
// The whole 800 x 600 picture, rows from the top, 3 bytes per pixel.
std::vector<uint8_t> ReadPicture();
// True when every channel of `a` is within `tolerance` of `b`.
bool Near(const Rgb& a, const Rgb& b, int tolerance);

// Writes the picture (or the given 800 x 600 RGB rows) as a PNG file named
// `name`.png into $QUORBELS_ARTIFACTS (created when missing; nothing is written
// when the variable is unset). Returns the path written, or "" when none.
std::string SaveArtifact(const std::string& name);
std::string SaveArtifact(const std::string& name, const std::vector<uint8_t>& rgb, int width, int height);

// The generated data folder, ending in '/': BaseDir + "data/".
std::string TestDataDir();
