// Pure decoding of the three picture formats the game loads (BMP, TGA, JPEG) from
// the bytes of a whole file into checked pixels ready for upload. No OpenGL, no
// message boxes: a failure comes back as the exact message and caption the
// texture loader shows the player. The file name is only used inside messages.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Pixels as OpenGL receives them: rows from the bottom of the picture to the top,
// packed without padding, 3 bytes (red, green, blue) or 4 (plus alpha) each.
struct ParsedImage {
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t bytesPerPixel = 0; // 3 or 4
  std::vector<uint8_t> pixels;
};

struct ImageError {
  std::string text;
  std::string caption;
};

// Sides longer than this are refused: OpenGL receives sizes as 16-bit values.
constexpr int64_t MAX_IMAGE_SIDE = 65535;

// Uncompressed 24-bit BMP (14-byte file header, 40-byte information header, the
// palette bytes skipped, pixels straight after). Messages: "Error reading palette"
// and "Error reading bitmap data", caption "BMP Unit". A picture whose sizes are not
// positive, exceed MAX_IMAGE_SIDE or need more bytes than the file holds is refused
// with "Error reading bitmap data".
bool ParseBmp(const uint8_t* data, size_t size, ParsedImage& out, ImageError& error);

// Uncompressed true-colour TGA, 24 or 32 bits (18-byte header, pixels straight
// after, rows in file order). Messages with caption "TGA File Error":
// compressed, colour-mapped, below 24 bits, or too short ("Couldn't read file").
// A zero width or height is refused as unreadable. The caller checks beforehand that
// the file exists and holds the 18 header bytes.
bool ParseTga(const uint8_t* data, size_t size, const std::string& fileName, ParsedImage& out,
              ImageError& error);

// The same two parsers on a whole file's bytes, converting them into the pixels
// where they lie: on success `bytes` has become out.pixels and is left empty, so
// the picture is never in memory twice (the texture loader's way); on failure it
// is left as it was. The forms above copy the bytes and call these.
bool ParseBmpInPlace(std::vector<uint8_t>& bytes, ParsedImage& out, ImageError& error);
bool ParseTgaInPlace(std::vector<uint8_t>& bytes, const std::string& fileName, ParsedImage& out,
                     ImageError& error);

// Largest JPEG accepted, in pixels: a JPEG is tiny beside its picture, so its size
// fields alone must not decide how much memory the game claims.
constexpr uint64_t MAX_JPEG_PIXELS = 4096 * 4096;

// Most scans a progressive JPEG may have. Real encoders write about ten; a few
// kilobytes of empty scans would otherwise make the decoder walk the whole picture
// thousands of times and hang the loading screen.
constexpr int MAX_JPEG_SCANS = 500;

// Any JPEG the decoder understands, as RGBA with alpha 255, bottom row first.
// Pictures above `maxPixels` or with more than MAX_JPEG_SCANS scans are refused like
// a damaged file. Failure: "Couldn't load JPG - \"<name>\"", caption "BMP Unit".
bool ParseJpg(const uint8_t* data, size_t size, const std::string& fileName, ParsedImage& out,
              ImageError& error, uint64_t maxPixels = MAX_JPEG_PIXELS);

// The three texture captions.
constexpr const char* BMP_CAPTION = "BMP Unit";
constexpr const char* TGA_FILE_CAPTION = "TGA File Error";
constexpr const char* TGA_TEXTURE_CAPTION = "TGA Texture";
