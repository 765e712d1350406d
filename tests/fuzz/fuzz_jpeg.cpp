// Any bytes through the JPEG decoder wrapper: a damaged stream must come back as a
// refusal, never as a jump out of the decoder or a short picture.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParsedImage image;
  ImageError error;
  bool ok = ParseJpg(data, size, "fuzz.jpg", image, error);
  CheckParsedImage(ok, image, error);
  if (ok) FuzzCheck(image.bytesPerPixel == 4);
  return 0;
}
