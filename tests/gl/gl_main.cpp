// main() of the GL tests and the shared window they draw into.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

#include "app/loader.h"
#include "app/program.h"
#include "app/window.h"
#include "assets/font.h"
#include "core/files.h"
#include "game/levels.h"
#include "gl_fixture.h"
#include "platform/platform.h"
#include "render/gl_state.h"

namespace {
int WindowState = 0; // 0 not tried, 1 open, -1 failed

// --- a small PNG writer: stored (uncompressed) deflate blocks, so no zlib is needed ---
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutU32BigEndian(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
  PutU32BigEndian(out, static_cast<uint32_t>(body.size()));
  std::vector<uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), body.begin(), body.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutU32BigEndian(out, Crc32(typed.data(), typed.size()));
}

std::vector<uint8_t> EncodePng(const std::vector<uint8_t>& rgb, int width, int height) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0); // no filter
    raw.insert(raw.end(), rgb.begin() + static_cast<size_t>(y) * width * 3,
               rgb.begin() + static_cast<size_t>(y + 1) * width * 3);
  }
  std::vector<uint8_t> z = {0x78, 0x01};
  size_t pos = 0;
  do {
    size_t n = std::min<size_t>(65535, raw.size() - pos);
    bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n));
    z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
    pos += n;
  } while (pos < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  PutU32BigEndian(z, (b << 16) | a);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutU32BigEndian(header, static_cast<uint32_t>(width));
  PutU32BigEndian(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", z);
  PutChunk(png, "IEND", {});
  return png;
}
} // namespace

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

void LoadRealGameData() {
  if (!OpenGameTestWindow()) return;
  LoadAssets();
  std::vector<uint8_t> widths = ReadRequiredRecord(DataPath("data/misc/font.dat"), 512);
  DecodeFontWidths(widths.data(), FontWidths);
  LoadLevelFile();
}

bool OpenGameTestWindow() {
  if (WindowState == 0) {
    DescribeGameWindow(0);
    bool ok = RegisterGameWindowClass(GameApplication) && OpenGameWindow(GameWindow);
    WindowState = ok ? 1 : -1;
    if (ok) InitGLState();
  }
  return WindowState == 1 && PlatformWindowOpen();
}

void ResetTestFrame(uint8_t r, uint8_t g, uint8_t b) {
  InitGLState();
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_FOG);
  glColor4f(1, 1, 1, 1);
  glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::vector<uint8_t> ReadPicture() {
  std::vector<uint8_t> bottomUp(PICTURE_WIDTH * PICTURE_HEIGHT * 3);
  Letterbox box = PlatformLetterbox();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(box.x, box.y, PICTURE_WIDTH, PICTURE_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<uint8_t> rows(bottomUp.size());
  for (int y = 0; y < PICTURE_HEIGHT; ++y)
    std::copy_n(bottomUp.begin() + (PICTURE_HEIGHT - 1 - y) * PICTURE_WIDTH * 3, PICTURE_WIDTH * 3,
                rows.begin() + y * PICTURE_WIDTH * 3);
  return rows;
}

Rgb PixelAt(int x, int y) {
  Letterbox box = PlatformLetterbox();
  uint8_t p[3] = {0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(box.x + x, box.y + PICTURE_HEIGHT - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return Rgb{p[0], p[1], p[2]};
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

std::string SaveArtifact(const std::string& name, const std::vector<uint8_t>& rgb, int width, int height) {
  const char* dir = std::getenv("QUORBELS_ARTIFACTS");
  if (!dir || !*dir) return "";
  mkdir(dir, 0755);
  std::string path = std::string(dir) + "/" + name + ".png";
  std::vector<uint8_t> png = EncodePng(rgb, width, height);
  return WriteFileAtomic(path, png.data(), png.size()) ? path : "";
}

std::string SaveArtifact(const std::string& name) {
  return SaveArtifact(name, ReadPicture(), PICTURE_WIDTH, PICTURE_HEIGHT);
}

std::string TestDataDir() {
  return DataPath("data/");
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  PlatformShowMessageBoxes(false);
  // The data folder lies beside the program in the build directory; the
  // variable names it when the tests run from elsewhere.
  const char* data = std::getenv("QUORBELS_DATA");
  if (data && *data) {
    std::string dir(data);
    while (!dir.empty() && dir.back() == '/') dir.pop_back();
    size_t slash = dir.rfind('/');
    BaseDir = slash == std::string::npos ? std::string("./") : dir.substr(0, slash + 1);
  } else {
    BaseDir = ProgramDirectory() + "../";
  }
  int result = RUN_ALL_TESTS();
  if (WindowState == 1) CloseGameWindow(GameWindow);
  PlatformQuitVideo();
  return result;
}
