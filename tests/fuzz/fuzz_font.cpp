// Any bytes as the font width table. The table is read whole (a short file never
// reaches the decoder); every width, however large, must give a text width without
// overflow trouble for every character.
#include <cstring>
#include <string>

#include "assets/font.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 512) return 0;
  uint16_t widths[256];
  DecodeFontWidths(data, widths);
  for (int i = 0; i < 256; ++i) FuzzCheck(widths[i] == (data[2 * i] | data[2 * i + 1] << 8));
  std::memcpy(FontWidths, widths, sizeof widths);
  std::string all(256, ' ');
  for (int i = 0; i < 256; ++i) all[i] = static_cast<char>(i);
  for (int textSize : {1, 12, 20, 40, 255}) {
    volatile int w = TextWidth(all, textSize);
    (void)w;
  }
  return 0;
}
