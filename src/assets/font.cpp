#include "assets/font.h"

#include "core/arith.h"
#include "core/binio.h"

uint16_t FontWidths[256];

void DecodeFontWidths(const uint8_t* bytes, uint16_t out[256]) {
  ByteReader r(bytes, 512);
  for (int c = 0; c < 256; ++c) out[c] = r.U16(2 * static_cast<size_t>(c));
}

int TextWidth(const std::string& text, int size) {
  int64_t sum = 0;
  for (unsigned char c : text) sum += FontWidths[c];
  return Round(static_cast<double>(sum) / 32 * size);
}
