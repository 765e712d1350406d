// Any bytes as a BMP texture file.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParsedImage image;
  ImageError error;
  bool ok = ParseBmp(data, size, image, error);
  CheckParsedImage(ok, image, error);
  if (ok) FuzzCheck(image.bytesPerPixel == 3);
  return 0;
}
