#include "app/desktop.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "assets/image_parse.h"
#include "core/files.h"
#include "platform/platform.h"
#include "quorbels_version.h"

void NameGameToDesktop() {
  PlatformSetIdentity(QUORBELS_APP_ID, "Quorbels");
}

void LoadWindowIcon() {
  const std::string path = DataPath(WINDOW_ICON_FILE);
  std::vector<uint8_t> bytes;
  std::string reason;
  ParsedImage image;
  ImageError error;
  if (!ReadWholeFile(path, bytes, &reason)) {
    std::fprintf(stderr, "quorbels: %s: %s; the window has no icon\n", path.c_str(), reason.c_str());
    return;
  }
  if (!ParseTga(bytes.data(), bytes.size(), path, image, error) || image.bytesPerPixel != 4) {
    std::fprintf(stderr, "quorbels: %s: %s; the window has no icon\n", path.c_str(),
                 error.text.empty() ? "not a 32-bit picture" : error.text.c_str());
    return;
  }
  // The picture comes bottom row first, as OpenGL takes it; the desktop wants the top first.
  const size_t row = static_cast<size_t>(image.width) * 4;
  std::vector<uint8_t> topFirst(image.pixels.size());
  for (size_t y = 0; y < image.height; ++y)
    std::copy_n(image.pixels.begin() + static_cast<std::ptrdiff_t>((image.height - 1 - y) * row), row,
                topFirst.begin() + static_cast<std::ptrdiff_t>(y * row));
  PlatformSetWindowIcon(topFirst.data(), image.width, image.height);
}
