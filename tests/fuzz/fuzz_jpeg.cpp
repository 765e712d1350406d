// Any bytes through the JPEG decoder wrapper: a damaged stream must come back as a
// refusal, never as a jump out of the decoder or a short picture.
#include "fuzz_common.h"

// Pictures the fuzzer may decode, in pixels: the largest picture of the game's data
// (1024 x 1024). The game's own limit is sixteen times that; decoding and filling
// such pictures from a few bytes is what made this target slow, while the limit
// check itself is the same code at any size and the unit tests cover the real one.
constexpr uint64_t FUZZ_MAX_JPEG_PIXELS = 1024 * 1024;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParsedImage image;
  ImageError error;
  bool ok = ParseJpg(data, size, "fuzz.jpg", image, error, FUZZ_MAX_JPEG_PIXELS);
  CheckParsedImage(ok, image, error);
  if (ok) FuzzCheck(image.bytesPerPixel == 4);
  return 0;
}
