// Any bytes as a TGA texture file. The loader only hands over files that hold the
// 18 header bytes; shorter ones are refused before parsing.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 18) return 0;
  ParsedImage image;
  ImageError error;
  bool ok = ParseTga(data, size, "fuzz.tga", image, error);
  CheckParsedImage(ok, image, error);
  return 0;
}
