// Font metrics: the width file and the width of a label, which every centred label
// depends on (ties round to even, unlike the per-glyph truncation of drawing).
#include <gtest/gtest.h>

#include "assets/font.h"
#include "core/binio.h"

namespace {
void SetWidths(std::initializer_list<std::pair<char, uint16_t>> widths) {
  for (uint16_t& w : FontWidths) w = 0;
  for (auto [c, w] : widths) FontWidths[static_cast<unsigned char>(c)] = w;
}
} // namespace

TEST(FontWidthFile, IsTwoHundredFiftySixLittleEndianWords) {
  ByteWriter w(512);
  for (int c = 0; c < 256; ++c) w.U16(2 * c, static_cast<uint16_t>(c * 257));
  uint16_t out[256];
  DecodeFontWidths(w.Result().data(), out);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 257);
  EXPECT_EQ(out[65], 65 * 257);
  EXPECT_EQ(out[255], 65535);
}

TEST(TextWidth, RoundsTiesToEven) {
  SetWidths({{'a', 12}, {'b', 14}});
  EXPECT_EQ(TextWidth("aa", 30), 22); // 24 / 32 x 30 = 22.5
  EXPECT_EQ(TextWidth("bb", 30), 26); // 28 / 32 x 30 = 26.25
  EXPECT_EQ(TextWidth("ab", 30), 24); // 26 / 32 x 30 = 24.375
  SetWidths({{'a', 1}});
  EXPECT_EQ(TextWidth("aaa", 16), 2);     // 1.5 -> 2
  EXPECT_EQ(TextWidth("aaaaa", 16), 2);   // 2.5 -> 2
  EXPECT_EQ(TextWidth("aaaaaaa", 16), 4); // 3.5 -> 4
}

TEST(TextWidth, EmptyAndZeroWidthTextsAreZero) {
  SetWidths({{'a', 16}});
  EXPECT_EQ(TextWidth("", 30), 0);
  EXPECT_EQ(TextWidth("zzz", 30), 0);
  EXPECT_EQ(TextWidth("a", 32), 16);
  // Characters above 127 have their own widths.
  FontWidths[0xE4] = 32;
  EXPECT_EQ(TextWidth("\xE4", 20), 20);
}

TEST(TextWidth, CentringTruncatesTowardsZero) {
  SetWidths({{'a', 12}});
  // Width 22 (ties to even from 22.5): centred on 400 starts at 389.
  EXPECT_EQ(CentredX(400, "aa", 30), 389);
  SetWidths({{'a', 32}});
  EXPECT_EQ(CentredX(0, "aaa", 1), -1); // 3 div 2 = 1
}
