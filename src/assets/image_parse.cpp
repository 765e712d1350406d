#include "assets/image_parse.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>
#include <jpeglib.h>

#include "core/binio.h"

namespace {

constexpr size_t BMP_FILE_HEADER = 14;
constexpr size_t BMP_INFO_HEADER = 40;
constexpr size_t TGA_HEADER = 18;

bool Fail(ImageError& error, std::string text, const char* caption) {
  error.text = std::move(text);
  error.caption = caption;
  return false;
}

bool SideOk(int64_t side) {
  return side > 0 && side <= MAX_IMAGE_SIDE;
}

// Turns the file's bytes into the pixels where they lie: the width x height
// pixels from `start` move to the front, the rest goes, and the first and third
// byte of each pixel swap (blue-green-red to red-green-blue; a fourth byte, alpha,
// stays). The file's buffer becomes out.pixels, so the picture is never held twice.
void TakeSwapped(std::vector<uint8_t>& bytes, size_t start, ParsedImage& out) {
  const size_t count = static_cast<size_t>(out.width) * out.height;
  const size_t length = count * out.bytesPerPixel;
  std::memmove(bytes.data(), bytes.data() + start, length);
  bytes.resize(length);
  uint8_t* p = bytes.data();
  for (size_t i = 0; i < count; ++i, p += out.bytesPerPixel) std::swap(p[0], p[2]);
  out.pixels = std::move(bytes);
  bytes = std::vector<uint8_t>();
}

} // namespace

bool ParseBmp(const uint8_t* data, size_t size, ParsedImage& out, ImageError& error) {
  std::vector<uint8_t> bytes(data, data + size);
  return ParseBmpInPlace(bytes, out, error);
}

bool ParseTga(const uint8_t* data, size_t size, const std::string& fileName, ParsedImage& out,
              ImageError& error) {
  std::vector<uint8_t> bytes(data, data + size);
  return ParseTgaInPlace(bytes, fileName, out, error);
}

bool ParseBmpInPlace(std::vector<uint8_t>& bytes, ParsedImage& out, ImageError& error) {
  ByteReader r(bytes.data(), bytes.size());
  const size_t info = BMP_FILE_HEADER;
  const size_t headers = BMP_FILE_HEADER + BMP_INFO_HEADER;
  if (!r.Has(0, headers)) return Fail(error, "Error reading bitmap data", BMP_CAPTION);
  int64_t width = r.I32(info + 4);
  int64_t height = r.I32(info + 8);
  int64_t bits = r.U16(info + 14);
  int64_t imageSize = r.U32(info + 20);
  int64_t paletteBytes = r.U32(info + 32);

  if (!r.Has(headers, static_cast<size_t>(paletteBytes)))
    return Fail(error, "Error reading palette", BMP_CAPTION);
  size_t pixelStart = headers + static_cast<size_t>(paletteBytes);

  // A damaged header must not make us read past the file or hand OpenGL fewer
  // bytes than width x height x 3.
  if (!SideOk(width) || !SideOk(height)) return Fail(error, "Error reading bitmap data", BMP_CAPTION);
  int64_t stored = imageSize != 0 ? imageSize : width * height * bits / 8;
  int64_t needed = width * height * 3;
  if (stored < needed || !r.Has(pixelStart, static_cast<size_t>(stored)))
    return Fail(error, "Error reading bitmap data", BMP_CAPTION);

  out.width = static_cast<uint16_t>(width);
  out.height = static_cast<uint16_t>(height);
  out.bytesPerPixel = 3;
  TakeSwapped(bytes, pixelStart, out);
  return true;
}

bool ParseTgaInPlace(std::vector<uint8_t>& bytes, const std::string& fileName, ParsedImage& out,
                     ImageError& error) {
  ByteReader r(bytes.data(), bytes.size());
  const std::string quoted = "\"" + fileName + "\"";
  if (!r.Has(0, TGA_HEADER)) return Fail(error, "Couldn't read file " + quoted + ".", TGA_FILE_CAPTION);
  if (r.U8(2) != 2)
    return Fail(error, "Couldn't load " + quoted + ". Compressed TGA files not supported.", TGA_FILE_CAPTION);
  if (r.U8(1) != 0)
    return Fail(error, "Couldn't load " + quoted + ". Colormapped TGA files not supported.",
                TGA_FILE_CAPTION);
  int64_t width = r.U16(12);
  int64_t height = r.U16(14);
  int depth = r.U8(16);
  if (depth < 24)
    return Fail(error, "Couldn't load " + quoted + ". Only 24 bit TGA files supported.", TGA_FILE_CAPTION);
  int64_t stored = width * height * (depth / 8);
  // Every depth but 24 is taken as 4-byte pixels: a depth of 25..31 stores only 3
  // bytes per pixel, which must not make the conversion read past the file.
  int pixelBytes = depth == 24 ? 3 : 4;
  int64_t needed = width * height * pixelBytes;
  if (width == 0 || height == 0 || !r.Has(TGA_HEADER, static_cast<size_t>(stored)) ||
      !r.Has(TGA_HEADER, static_cast<size_t>(needed)))
    return Fail(error, "Couldn't read file " + quoted + ".", TGA_FILE_CAPTION);

  out.width = static_cast<uint16_t>(width);
  out.height = static_cast<uint16_t>(height);
  out.bytesPerPixel = static_cast<uint8_t>(pixelBytes);
  TakeSwapped(bytes, TGA_HEADER, out);
  return true;
}

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: jump
// back to the decoder's caller instead of letting the library end the program.
struct JpegErrorManager {
  jpeg_error_mgr base;
  jmp_buf escape;
};

void JpegErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
  longjmp(manager->escape, 1);
}

void JpegSilence(j_common_ptr, int) {}

// Called by the decoder between pieces of input: a stream with too many scans ends
// like any other fatal error.
void JpegLimitScans(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > MAX_JPEG_SCANS) (*info->err->error_exit)(info);
}

// Nothing with a destructor lives in this frame across the jump: the decoded rows
// go straight into `out`, which the caller owns.
bool DecodeJpeg(const uint8_t* data, size_t size, uint64_t maxPixels, ParsedImage& out) {
  jpeg_decompress_struct info;
  JpegErrorManager errors;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = JpegLimitScans;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JpegErrorExit;
  errors.base.emit_message = JpegSilence;
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  info.progress = &progress;
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  // A few hundred bytes can announce a picture of gigabytes; refuse it before the
  // decoder sets up its buffers for it.
  if (static_cast<uint64_t>(info.image_width) * info.image_height > maxPixels) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3 || !SideOk(info.output_width) || !SideOk(info.output_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  size_t width = info.output_width;
  size_t height = info.output_height;
  out.width = static_cast<uint16_t>(width);
  out.height = static_cast<uint16_t>(height);
  out.bytesPerPixel = 4;
  out.pixels.assign(width * height * 4, 255);
  // The row buffer belongs to the decoder, so a jump out of it loses nothing.
  JSAMPARRAY rows = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                              static_cast<JDIMENSION>(width * 3), 1);
  const uint8_t* row = rows[0];
  while (info.output_scanline < info.output_height) {
    // The decoder yields the top row first; the texture wants the bottom row first.
    size_t destRow = height - 1 - info.output_scanline;
    jpeg_read_scanlines(&info, rows, 1);
    uint8_t* dst = out.pixels.data() + destRow * width * 4;
    for (size_t x = 0; x < width; ++x) {
      dst[x * 4 + 0] = row[x * 3 + 0];
      dst[x * 4 + 1] = row[x * 3 + 1];
      dst[x * 4 + 2] = row[x * 3 + 2];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

} // namespace

bool ParseJpg(const uint8_t* data, size_t size, const std::string& fileName, ParsedImage& out,
              ImageError& error, uint64_t maxPixels) {
  if (size == 0 || !DecodeJpeg(data, size, maxPixels, out)) {
    out = ParsedImage{};
    return Fail(error, "Couldn't load JPG - \"" + fileName + "\"", BMP_CAPTION);
  }
  return true;
}
