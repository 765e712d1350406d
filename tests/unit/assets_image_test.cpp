// Picture files as the texture loader reads them: BMP, TGA and JPEG decoding to
// bottom-row-first RGB(A) pixels, the player-facing messages, and the refusal of
// damaged headers that would read or write outside the file's bytes.
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "assets/image_parse.h"
#include "assets/textures.h"
#include "core/binio.h"
#include "platform/platform.h"

namespace {

// A 24-bit BMP: 54 header bytes, `paletteBytes` of palette, then `pixels` as stored
// (blue, green, red, bottom row first). `sizeField` goes into the image-size field.
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, const std::vector<uint8_t>& pixels,
                             uint32_t sizeField, uint32_t paletteBytes = 0, uint16_t bits = 24) {
  ByteWriter w(54);
  w.U8(0, 'B');
  w.U8(1, 'M');
  w.U32(2, static_cast<uint32_t>(54 + paletteBytes + pixels.size()));
  w.U32(10, 54 + paletteBytes);
  w.U32(14, 40);
  w.I32(18, width);
  w.I32(22, height);
  w.U16(26, 1);
  w.U16(28, bits);
  w.U32(34, sizeField);
  w.U32(46, paletteBytes);
  std::vector<uint8_t> out = w.Result();
  out.insert(out.end(), paletteBytes, 0x77);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

std::vector<uint8_t> MakeTga(uint8_t imageType, uint8_t colourMapType, uint16_t width, uint16_t height,
                             uint8_t bits, const std::vector<uint8_t>& pixels) {
  ByteWriter w(18);
  w.U8(1, colourMapType);
  w.U8(2, imageType);
  w.U16(12, width);
  w.U16(14, height);
  w.U8(16, bits);
  std::vector<uint8_t> out = w.Result();
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

// Encodes an RGB picture (top row first) as a JPEG in memory.
std::vector<uint8_t> MakeJpeg(int width, int height, const std::vector<uint8_t>& rgbTopFirst,
                              bool progressive = false) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(rgbTopFirst.data()) + info.next_scanline * width * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  free(buffer);
  return out;
}

} // namespace

TEST(BmpParse, SwapsToRgbAndKeepsBottomRowFirst) {
  // 4 x 1 would be trivial; 4 x 2 shows row order. Width 4 x 3 bytes = 12, no padding.
  std::vector<uint8_t> stored;
  for (int i = 0; i < 8; ++i) {
    stored.push_back(static_cast<uint8_t>(10 * i + 1)); // blue
    stored.push_back(static_cast<uint8_t>(10 * i + 2)); // green
    stored.push_back(static_cast<uint8_t>(10 * i + 3)); // red
  }
  std::vector<uint8_t> file = MakeBmp(4, 2, stored, 24);
  ParsedImage image;
  ImageError error;
  ASSERT_TRUE(ParseBmp(file.data(), file.size(), image, error));
  EXPECT_EQ(image.width, 4);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.bytesPerPixel, 3);
  ASSERT_EQ(image.pixels.size(), 24u);
  EXPECT_EQ(image.pixels[0], 3); // first pixel of the first stored row, red first
  EXPECT_EQ(image.pixels[1], 2);
  EXPECT_EQ(image.pixels[2], 1);
  EXPECT_EQ(image.pixels[21], 73);
  EXPECT_EQ(image.pixels[23], 71);
}

TEST(BmpParse, ZeroSizeFieldIsComputedFromTheHeader) {
  std::vector<uint8_t> stored(4 * 4 * 3, 0x40);
  std::vector<uint8_t> file = MakeBmp(4, 4, stored, 0);
  ParsedImage image;
  ImageError error;
  ASSERT_TRUE(ParseBmp(file.data(), file.size(), image, error));
  EXPECT_EQ(image.pixels.size(), 48u);
}

TEST(BmpParse, PaletteBytesAreSkipped) {
  std::vector<uint8_t> stored = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  std::vector<uint8_t> file = MakeBmp(4, 1, stored, 12, 16);
  ParsedImage image;
  ImageError error;
  ASSERT_TRUE(ParseBmp(file.data(), file.size(), image, error));
  EXPECT_EQ(image.pixels[0], 3);
  EXPECT_EQ(image.pixels[11], 10);
}

TEST(BmpParse, TruncatedFilesAreRefusedWithTheirMessages) {
  std::vector<uint8_t> stored(4 * 4 * 3, 0x40);
  std::vector<uint8_t> file = MakeBmp(4, 4, stored, 0);
  file.resize(file.size() - 1);
  ParsedImage image;
  ImageError error;
  EXPECT_FALSE(ParseBmp(file.data(), file.size(), image, error));
  EXPECT_EQ(error.text, "Error reading bitmap data");
  EXPECT_EQ(error.caption, "BMP Unit");

  std::vector<uint8_t> noPalette = MakeBmp(4, 1, {}, 12, 0);
  noPalette[46] = 200; // claims 200 palette bytes, none present
  EXPECT_FALSE(ParseBmp(noPalette.data(), noPalette.size(), image, error));
  EXPECT_EQ(error.text, "Error reading palette");
  EXPECT_EQ(error.caption, "BMP Unit");

  std::vector<uint8_t> headerOnly(30, 0);
  EXPECT_FALSE(ParseBmp(headerOnly.data(), headerOnly.size(), image, error));
  EXPECT_EQ(error.text, "Error reading bitmap data");
}

TEST(BmpParse, DamagedSizesAreRefusedInsteadOfOverrunningTheBuffer) {
  ParsedImage image;
  ImageError error;
  std::vector<uint8_t> stored(48, 1);
  // Image-size field smaller than width x height x 3: the colour swap would run past it.
  std::vector<uint8_t> smallField = MakeBmp(4, 4, stored, 12);
  EXPECT_FALSE(ParseBmp(smallField.data(), smallField.size(), image, error));
  EXPECT_EQ(error.text, "Error reading bitmap data");
  // 8 bits per pixel with a computed size: far fewer bytes than 3 per pixel.
  std::vector<uint8_t> eightBit = MakeBmp(4, 4, std::vector<uint8_t>(16, 1), 0, 0, 8);
  EXPECT_FALSE(ParseBmp(eightBit.data(), eightBit.size(), image, error));
  // Non-positive and absurd sizes.
  for (auto [w, h] : {std::pair{0, 4}, {4, 0}, {4, -4}, {-4, 4}, {70000, 1}, {65536, 65536}}) {
    std::vector<uint8_t> file = MakeBmp(w, h, stored, 0);
    EXPECT_FALSE(ParseBmp(file.data(), file.size(), image, error)) << w << " x " << h;
    EXPECT_EQ(error.text, "Error reading bitmap data");
  }
  // Sizes whose product overflows 32 bits must not wrap round to a small number.
  std::vector<uint8_t> wrap = MakeBmp(65535, 65535, stored, 0, 0, 24);
  EXPECT_FALSE(ParseBmp(wrap.data(), wrap.size(), image, error));
}

TEST(TgaParse, TwentyFourBitGivesRgbAndThirtyTwoKeepsAlpha) {
  ParsedImage image;
  ImageError error;
  std::vector<uint8_t> rgb = MakeTga(2, 0, 2, 1, 24, {10, 20, 30, 40, 50, 60});
  ASSERT_TRUE(ParseTga(rgb.data(), rgb.size(), "a.tga", image, error));
  EXPECT_EQ(image.bytesPerPixel, 3);
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{30, 20, 10, 60, 50, 40}));

  std::vector<uint8_t> rgba = MakeTga(2, 0, 1, 2, 32, {10, 20, 30, 5, 40, 50, 60, 250});
  ASSERT_TRUE(ParseTga(rgba.data(), rgba.size(), "b.tga", image, error));
  EXPECT_EQ(image.bytesPerPixel, 4);
  EXPECT_EQ(image.width, 1);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{30, 20, 10, 5, 60, 50, 40, 250}));
}

TEST(TgaParse, RefusalsCarryTheExactMessages) {
  ParsedImage image;
  ImageError error;
  const std::string name = "/data/textures/x.tga";
  std::vector<uint8_t> sixteen = MakeTga(2, 0, 1, 1, 16, {1, 2});
  EXPECT_FALSE(ParseTga(sixteen.data(), sixteen.size(), name, image, error));
  EXPECT_EQ(error.text, "Couldn't load \"/data/textures/x.tga\". Only 24 bit TGA files supported.");
  EXPECT_EQ(error.caption, "TGA File Error");

  // Run-length encoded and colour-mapped at once: the compression is named first.
  std::vector<uint8_t> rle = MakeTga(10, 1, 1, 1, 24, {1, 2, 3});
  EXPECT_FALSE(ParseTga(rle.data(), rle.size(), name, image, error));
  EXPECT_EQ(error.text, "Couldn't load \"/data/textures/x.tga\". Compressed TGA files not supported.");
  EXPECT_EQ(error.caption, "TGA File Error");

  std::vector<uint8_t> mapped = MakeTga(2, 1, 1, 1, 24, {1, 2, 3});
  EXPECT_FALSE(ParseTga(mapped.data(), mapped.size(), name, image, error));
  EXPECT_EQ(error.text, "Couldn't load \"/data/textures/x.tga\". Colormapped TGA files not supported.");

  std::vector<uint8_t> shortData = MakeTga(2, 0, 2, 2, 32, std::vector<uint8_t>(15, 0));
  EXPECT_FALSE(ParseTga(shortData.data(), shortData.size(), name, image, error));
  EXPECT_EQ(error.text, "Couldn't read file \"/data/textures/x.tga\".");
  EXPECT_EQ(error.caption, "TGA File Error");

  std::vector<uint8_t> empty = MakeTga(2, 0, 0, 5, 24, {});
  EXPECT_FALSE(ParseTga(empty.data(), empty.size(), name, image, error));
  EXPECT_EQ(error.text, "Couldn't read file \"/data/textures/x.tga\".");
}

TEST(TgaParse, DepthsAbove24AreFourBytePixelsAndMustBeThere) {
  ParsedImage image;
  ImageError error;
  // 28 bits: 3 stored bytes per pixel, but the pixels are taken 4 bytes at a time.
  std::vector<uint8_t> odd = MakeTga(2, 0, 2, 2, 28, std::vector<uint8_t>(12, 1));
  EXPECT_FALSE(ParseTga(odd.data(), odd.size(), "o.tga", image, error));
  EXPECT_EQ(error.text, "Couldn't read file \"o.tga\".");
  // 40 bits: 5 bytes stored per pixel; the first 4 x pixel-count bytes are the pixels.
  std::vector<uint8_t> wide = MakeTga(2, 0, 2, 1, 40, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  ASSERT_TRUE(ParseTga(wide.data(), wide.size(), "w.tga", image, error));
  EXPECT_EQ(image.bytesPerPixel, 4);
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{3, 2, 1, 4, 7, 6, 5, 8}));
}

// The texture loader converts a file's own bytes (no second copy of the picture):
// the same pixels as the copying parse, the bytes used up on success and left as
// they were on a refusal.
TEST(PictureParseInPlace, GivesTheSamePixelsAndKeepsARefusedFile) {
  // Four pixels and one byte more than they need, after six palette bytes.
  const std::vector<uint8_t> pixels{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  const struct {
    const char* name;
    bool tga, accepted;
    std::vector<uint8_t> file;
  } cases[] = {
      {"bmp after a palette, longer than its pixels", false, true, MakeBmp(2, 2, pixels, 0, 6)},
      {"bmp cut short", false, false, MakeBmp(4, 4, std::vector<uint8_t>(20, 1), 0)},
      {"tga 32 bits", true, true, MakeTga(2, 0, 1, 2, 32, {10, 20, 30, 5, 40, 50, 60, 250})},
      {"tga compressed", true, false, MakeTga(10, 0, 1, 1, 24, {1, 2, 3})},
  };
  for (const auto& c : cases) {
    ParsedImage copied, taken;
    ImageError copyError, takeError;
    const bool copyOk = c.tga ? ParseTga(c.file.data(), c.file.size(), "t.tga", copied, copyError)
                              : ParseBmp(c.file.data(), c.file.size(), copied, copyError);
    std::vector<uint8_t> bytes = c.file;
    const bool takeOk = c.tga ? ParseTgaInPlace(bytes, "t.tga", taken, takeError)
                              : ParseBmpInPlace(bytes, taken, takeError);
    ASSERT_EQ(copyOk, c.accepted) << c.name;
    ASSERT_EQ(takeOk, copyOk) << c.name;
    EXPECT_EQ(taken.pixels, copied.pixels) << c.name;
    EXPECT_EQ(taken.width * 10 + taken.height, copied.width * 10 + copied.height) << c.name;
    EXPECT_EQ(takeError.text, copyError.text) << c.name;
    EXPECT_EQ(bytes, takeOk ? std::vector<uint8_t>{} : c.file) << c.name;
  }
}

TEST(JpgParse, DecodesToOpaqueRgbaBottomRowFirst) {
  // 8 x 8: top half red, bottom half blue.
  std::vector<uint8_t> rgb;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      rgb.push_back(y < 4 ? 255 : 0);
      rgb.push_back(0);
      rgb.push_back(y < 4 ? 0 : 255);
    }
  std::vector<uint8_t> file = MakeJpeg(8, 8, rgb);
  ParsedImage image;
  ImageError error;
  ASSERT_TRUE(ParseJpg(file.data(), file.size(), "p.jpg", image, error));
  EXPECT_EQ(image.bytesPerPixel, 4);
  ASSERT_EQ(image.pixels.size(), 8u * 8 * 4);
  const uint8_t* bottom = &image.pixels[0];
  const uint8_t* top = &image.pixels[7 * 8 * 4];
  EXPECT_LT(bottom[0], 40);
  EXPECT_GT(bottom[2], 215);
  EXPECT_GT(top[0], 215);
  EXPECT_LT(top[2], 40);
  for (size_t i = 3; i < image.pixels.size(); i += 4) ASSERT_EQ(image.pixels[i], 255);
}

TEST(JpgParse, GarbageIsRefusedWithTheLoaderMessage) {
  std::vector<uint8_t> junk(100, 0x5A);
  ParsedImage image;
  ImageError error;
  EXPECT_FALSE(ParseJpg(junk.data(), junk.size(), "/t/p.jpg", image, error));
  EXPECT_EQ(error.text, "Couldn't load JPG - \"/t/p.jpg\"");
  EXPECT_EQ(error.caption, "BMP Unit");
  EXPECT_FALSE(ParseJpg(nullptr, 0, "/t/p.jpg", image, error));
  // A real JPEG cut in half.
  std::vector<uint8_t> cut = MakeJpeg(16, 16, std::vector<uint8_t>(16 * 16 * 3, 128));
  cut.resize(cut.size() / 2);
  EXPECT_FALSE(ParseJpg(cut.data(), 20, "/t/p.jpg", image, error));
}

TEST(JpgParse, PictureAndScanLimitsRefuseAsADamagedFile) {
  const std::vector<uint8_t> grey(16 * 16 * 3, 128);
  std::vector<uint8_t> file = MakeJpeg(16, 16, grey, true);
  ParsedImage image;
  ImageError error;
  ASSERT_TRUE(ParseJpg(file.data(), file.size(), "p.jpg", image, error));
  // A caller's smaller pixel limit is kept to the pixel.
  EXPECT_TRUE(ParseJpg(file.data(), file.size(), "p.jpg", image, error, 256));
  EXPECT_FALSE(ParseJpg(file.data(), file.size(), "p.jpg", image, error, 255));
  EXPECT_EQ(error.text, "Couldn't load JPG - \"p.jpg\"");
  EXPECT_TRUE(image.pixels.empty());

  // The same picture with its last scan repeated: a few repeats still decode, but
  // a stream with more scans than any encoder writes is refused.
  size_t lastScan = 0;
  for (size_t i = 0; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xDA) lastScan = i;
  ASSERT_GT(lastScan, 0u);
  ASSERT_EQ(file[file.size() - 2], 0xFF);
  ASSERT_EQ(file[file.size() - 1], 0xD9);
  const std::vector<uint8_t> scan(file.begin() + static_cast<long>(lastScan), file.end() - 2);
  auto withScans = [&](int extra) {
    std::vector<uint8_t> bytes(file.begin(), file.end() - 2);
    for (int i = 0; i < extra; ++i) bytes.insert(bytes.end(), scan.begin(), scan.end());
    bytes.push_back(0xFF);
    bytes.push_back(0xD9);
    return bytes;
  };
  std::vector<uint8_t> few = withScans(10);
  EXPECT_TRUE(ParseJpg(few.data(), few.size(), "p.jpg", image, error));
  std::vector<uint8_t> many = withScans(MAX_JPEG_SCANS);
  EXPECT_FALSE(ParseJpg(many.data(), many.size(), "many.jpg", image, error));
  EXPECT_EQ(error.text, "Couldn't load JPG - \"many.jpg\"");
  EXPECT_TRUE(image.pixels.empty());
}

// Missing files never reach OpenGL, so the loader's dispatch and messages can be
// checked without a context.
TEST(TextureDispatch, ExtensionChoosesTheLoaderWhateverItsCase) {
  const std::string base = "/nonexistent-quorbels-dir/pic";
  uint32_t texture = 77;
  int before = PlatformMessageCount();
  LoadTexture(base + ".Bmp", texture);
  EXPECT_EQ(PlatformMessageCount(), before + 1);
  EXPECT_STREQ(PlatformLastMessageText(), (std::string("Error opening ") + base + ".Bmp").c_str());
  EXPECT_STREQ(PlatformLastMessageCaption(), "BMP Unit");

  LoadTextureSharp(base + ".tga", texture);
  EXPECT_STREQ(PlatformLastMessageText(), ("File not found  - " + base + ".tga").c_str());
  EXPECT_STREQ(PlatformLastMessageCaption(), "TGA Texture");

  LoadTexture(base + ".jpg", texture);
  EXPECT_STREQ(PlatformLastMessageText(), ("Couldn't load JPG - \"" + base + ".jpg\"").c_str());
  EXPECT_STREQ(PlatformLastMessageCaption(), "BMP Unit");

  int counted = PlatformMessageCount();
  LoadTexture(base + ".jpeg", texture);
  LoadTexture(base + ".png", texture);
  LoadTexture("bmp", texture);
  EXPECT_EQ(PlatformMessageCount(), counted);
  EXPECT_EQ(texture, 77u);
}

TEST(TextureDispatch, DamagedFilesLeaveTheVariableUnchanged) {
  char dir[] = "/tmp/quorbels-tex-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string path = std::string(dir) + "/cut.bmp";
  std::vector<uint8_t> file = MakeBmp(4, 4, std::vector<uint8_t>(20, 1), 0);
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  uint32_t texture = 5;
  EXPECT_FALSE(LoadBmpTexture(path, texture, false));
  EXPECT_EQ(texture, 5u);
  EXPECT_STREQ(PlatformLastMessageText(), "Error reading bitmap data");

  std::string tga = std::string(dir) + "/rle.tga";
  std::vector<uint8_t> rle = MakeTga(10, 0, 1, 1, 24, {1, 2, 3});
  f = std::fopen(tga.c_str(), "wb");
  std::fwrite(rle.data(), 1, rle.size(), f);
  std::fclose(f);
  EXPECT_FALSE(LoadTgaTexture(tga, texture));
  EXPECT_EQ(texture, 5u);
  EXPECT_STREQ(PlatformLastMessageCaption(), "TGA File Error");
  unlink(path.c_str());
  unlink(tga.c_str());
  rmdir(dir);
}

// Damaged copies of valid files: whatever the loader accepts must hand OpenGL
// exactly width x height pixels, and nothing may be read outside the file (the
// sanitizer builds check the reads).
TEST(DamagedPictures, AcceptedPicturesAlwaysHoldTheirFullPixelCount) {
  std::mt19937 random(1234);
  std::vector<uint8_t> bmp = MakeBmp(8, 4, std::vector<uint8_t>(8 * 4 * 3, 9), 0);
  std::vector<uint8_t> tga = MakeTga(2, 0, 4, 4, 32, std::vector<uint8_t>(4 * 4 * 4, 7));
  std::vector<uint8_t> jpg = MakeJpeg(8, 8, std::vector<uint8_t>(8 * 8 * 3, 100));
  for (int round = 0; round < 3000; ++round) {
    for (const std::vector<uint8_t>* original : {&bmp, &tga, &jpg}) {
      std::vector<uint8_t> file = *original;
      int changes = 1 + static_cast<int>(random() % 4);
      for (int k = 0; k < changes; ++k)
        file[random() % std::min<size_t>(file.size(), 64)] = static_cast<uint8_t>(random());
      if (random() % 3 == 0) file.resize(random() % (file.size() + 1));
      ParsedImage image;
      ImageError error;
      bool ok = original == &bmp   ? ParseBmp(file.data(), file.size(), image, error)
                : original == &tga ? ParseTga(file.data(), file.size(), "t.tga", image, error)
                                   : ParseJpg(file.data(), file.size(), "t.jpg", image, error);
      if (ok) {
        ASSERT_GT(image.width, 0);
        ASSERT_GT(image.height, 0);
        ASSERT_TRUE(image.bytesPerPixel == 3 || image.bytesPerPixel == 4);
        ASSERT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * image.height * image.bytesPerPixel);
      } else {
        ASSERT_FALSE(error.text.empty());
      }
    }
  }
}
