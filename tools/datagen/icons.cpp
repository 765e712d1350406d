// The desktop icons (icons/quorbels-48.png, -128.png, -256.png): the loading
// screen's emblem, three of the game's boxes with the guide peeking over them, on
// a rounded night-indigo tile with gold trim. Each size is drawn large and
// averaged down so small icons stay crisp. The PNG writer is a small one of our
// own: stored (uncompressed) deflate blocks are valid PNG data and need no
// compression library; the icons are a few hundred kilobytes at most.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "icons.h"

#include "art_common.h"

namespace {

constexpr int DRAW_SIZE = 768; // a common multiple of 48, 128 and 256

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void PutU32BE(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

// One chunk: length, type, data, CRC over type and data.
void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutU32BE(out, static_cast<uint32_t>(data.size()));
  size_t crcStart = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutU32BE(out, PngCrc32(out.data() + crcStart, out.size() - crcStart));
}

// The icon at DRAW_SIZE; shapes are placed in units of 1/256 of the side.
Canvas IconPicture() {
  const float u = DRAW_SIZE / 256.0f;
  Canvas cv(DRAW_SIZE, DRAW_SIZE, Color{0, 0, 0, 0});
  FillRoundRect(cv, 8 * u, 8 * u, 248 * u, 248 * u, 48 * u, Pal::Ink);
  FillRoundRect(cv, 13 * u, 13 * u, 243 * u, 243 * u, 43 * u, Pal::GoldDark);
  FillRoundRect(cv, 17 * u, 17 * u, 239 * u, 239 * u, 39 * u, Pal::Gold);
  FillRoundRect(cv, 22 * u, 22 * u, 234 * u, 234 * u, 34 * u, Pal::Night);
  Canvas glow(DRAW_SIZE, DRAW_SIZE, Color{0, 0, 0, 0});
  FillRadialGradient(glow, 128 * u, 112 * u, 120 * u,
                     {{0, Hex(0x6b5ba8, 0.95f)}, {0.6f, Hex(0x3a2f66, 0.6f)}, {1, Hex(0x3a2f66, 0)}});
  // The glow stays inside the tile's face.
  for (int y = 0; y < DRAW_SIZE; ++y)
    for (int x = 0; x < DRAW_SIZE; ++x) {
      float inside = Coverage(DistRoundRect(x + 0.5f, y + 0.5f, 22 * u, 22 * u, 234 * u, 234 * u, 34 * u));
      cv.Blend(x, y, glow.Get(x, y), inside);
    }
  DrawShadow(cv, 128 * u, 206 * u, 92 * u, 14 * u, 0.5f);
  DrawCube(cv, 88 * u, 164 * u, 70 * u, 0.6f, 0.4f, BoxColor(0));
  DrawCube(cv, 168 * u, 164 * u, 70 * u, 0.6f, 0.4f, BoxColor(2));
  DrawCube(cv, 128 * u, 98 * u, 70 * u, 0.6f, 0.4f, BoxColor(5));
  DrawGuide(cv, 196 * u, 62 * u, 24 * u, 3, false, false);
  return cv;
}

} // namespace

uint32_t PngCrc32(const uint8_t* data, size_t size) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) c = CrcTable()[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

uint32_t PngAdler32(const uint8_t* data, size_t size) {
  uint32_t a = 1, b = 0;
  for (size_t i = 0; i < size; ++i) {
    a = (a + data[i]) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(const Canvas& cv) {
  if (cv.width <= 0 || cv.height <= 0) return {};
  // Rows of filter type 0 (none) followed by the RGBA bytes.
  const size_t rowBytes = static_cast<size_t>(cv.width) * 4;
  std::vector<uint8_t> raw;
  raw.reserve((rowBytes + 1) * cv.height);
  for (int y = 0; y < cv.height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), cv.At(0, y), cv.At(0, y) + rowBytes);
  }
  // zlib stream: header (deflate, 32 KiB window, no dictionary, check bits), stored blocks, Adler-32.
  std::vector<uint8_t> z = {0x78, 0x01};
  size_t pos = 0;
  do {
    size_t len = std::min<size_t>(raw.size() - pos, 65535);
    bool last = pos + len == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<uint8_t>(len));
    z.push_back(static_cast<uint8_t>(len >> 8));
    z.push_back(static_cast<uint8_t>(~len));
    z.push_back(static_cast<uint8_t>(~len >> 8));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
             raw.begin() + static_cast<std::ptrdiff_t>(pos + len));
    pos += len;
  } while (pos < raw.size());
  PutU32BE(z, PngAdler32(raw.data(), raw.size()));

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutU32BE(header, static_cast<uint32_t>(cv.width));
  PutU32BE(header, static_cast<uint32_t>(cv.height));
  header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, adaptive filters, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", z);
  PutChunk(out, "IEND", {});
  return out;
}

bool WriteIcons(const std::string& dataDir) {
  std::string dir = dataDir + "icons/";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "datagen: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
    return false;
  }
  Canvas big = IconPicture();
  for (int size : ICON_SIZES) {
    std::string path = dir + "quorbels-" + std::to_string(size) + ".png";
    std::vector<uint8_t> bytes = EncodePng(Downsample(big, DRAW_SIZE / size));
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) {
      std::fprintf(stderr, "datagen: cannot write %s\n", path.c_str());
      return false;
    }
  }
  std::filesystem::create_directories(dataDir + "textures/", ec);
  return WriteTga(dataDir + WINDOW_ICON_FILE, Downsample(big, DRAW_SIZE / WINDOW_ICON_SIZE), 32);
}
