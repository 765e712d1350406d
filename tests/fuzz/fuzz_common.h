// Shared checks for the parser fuzzers: a parsed picture must be exactly as large as
// its sizes say, so that the upload that follows can never read past it.
#pragma once
#include <cstdint>
#include <cstdlib>

#include "assets/image_parse.h"

inline void FuzzCheck(bool ok) {
  if (!ok) std::abort();
}

// Every accepted picture has positive sides, 3 or 4 bytes per pixel and exactly the
// pixel bytes those promise; every refusal carries a message and a caption.
inline void CheckParsedImage(bool accepted, const ParsedImage& image, const ImageError& error) {
  if (!accepted) {
    FuzzCheck(!error.text.empty() && !error.caption.empty());
    return;
  }
  FuzzCheck(image.width > 0 && image.height > 0);
  FuzzCheck(image.bytesPerPixel == 3 || image.bytesPerPixel == 4);
  FuzzCheck(image.pixels.size() == size_t(image.width) * image.height * image.bytesPerPixel);
  // Touch the first and the last byte so a short buffer shows at once.
  volatile uint8_t sink = image.pixels.front();
  sink = image.pixels.back();
  (void)sink;
}
