#include "assets/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cctype>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <vector>

#include "assets/image_parse.h"
#include "core/files.h"
#include "platform/platform.h"

namespace {

bool IsPowerOfTwo(int n) {
  return n > 0 && (n & (n - 1)) == 0;
}

bool UploadedAsItIs(int width, int height) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  return IsPowerOfTwo(width) && IsPowerOfTwo(height) && width <= maxSize && height <= maxSize;
}

// Uploads the top `shownHeight` rows' first `shownWidth` pixels of a width x height
// picture (all of it when they are its sizes).
uint32_t Upload(int width, int height, TextureFormat format, const uint8_t* pixels, GLint filter,
                int shownWidth, int shownHeight) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  // Not a mipmap filter: only the base level is ever sampled.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  // Rows are packed without padding (a 3-byte row need not be a multiple of 4).
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLint internal = format == TextureFormat::RGBA ? GL_RGBA : 3;
  const GLenum layout = format == TextureFormat::RGBA ? GL_RGBA : GL_RGB;
  if (shownWidth != width || shownHeight != height) {
    // Rows are stored bottom first: the top rows are the last ones.
    glPixelStorei(GL_UNPACK_ROW_LENGTH, width);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, height - shownHeight);
    glTexImage2D(GL_TEXTURE_2D, 0, internal, shownWidth, shownHeight, 0, layout, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  } else if (UploadedAsItIs(width, height)) {
    // The picture is the base level as it is; the smaller levels would never be
    // sampled, so they are not made (a quarter less memory, and no time spent).
    glTexImage2D(GL_TEXTURE_2D, 0, internal, width, height, 0, layout, GL_UNSIGNED_BYTE, pixels);
  } else {
    // Other sizes are scaled to the nearest size the driver takes, as GLU does it.
    gluBuild2DMipmaps(GL_TEXTURE_2D, internal, width, height, layout, GL_UNSIGNED_BYTE, pixels);
  }
  return name;
}

// How many texels `fraction` of `size` texels is, when that is a whole number
// from 1 to size; 0 otherwise.
int WholeTexels(float fraction, int size) {
  const double texels = static_cast<double>(fraction) * size;
  const int whole = static_cast<int>(texels);
  return whole == texels && whole >= 1 && whole <= size ? whole : 0;
}

void Show(const std::string& text, const std::string& caption) {
  PlatformMessageBox(text.c_str(), caption.c_str(), MessageIcon::None);
}

uint32_t UploadParsed(const ParsedImage& image, bool sharp, TexturePart* part) {
  TextureFormat format = image.bytesPerPixel == 4 ? TextureFormat::RGBA : TextureFormat::RGB;
  const GLint filter = sharp ? GL_NEAREST : GL_LINEAR;
  int shownWidth = image.width, shownHeight = image.height;
  if (part != nullptr && UploadedAsItIs(image.width, image.height) && TexturesOfAnySize()) {
    const int w = WholeTexels(part->uRight, image.width);
    const int h = WholeTexels(part->vBottom, image.height);
    if (w != 0 && h != 0) {
      shownWidth = w;
      shownHeight = h;
      *part = TexturePart{1, 1};
    }
  }
  return Upload(image.width, image.height, format, image.pixels.data(), filter, shownWidth, shownHeight);
}

std::string UpperTail(const std::string& name) {
  std::string tail = name.size() >= 4 ? name.substr(name.size() - 4) : name;
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail;
}

void LoadByExtension(const std::string& fileName, uint32_t& texture, bool sharp, TexturePart* part) {
  std::string tail = UpperTail(fileName);
  // Every picture is bounded in size, but the memory for it may still run out:
  // the player hears about that picture, and loading goes on without it.
  try {
    if (tail == ".BMP")
      LoadBmpTexture(fileName, texture, sharp, part);
    else if (tail == ".JPG")
      LoadJpgTexture(fileName, texture, part);
    else if (tail == ".TGA")
      LoadTgaTexture(fileName, texture, part);
  } catch (const std::bad_alloc&) {
    Show("Not enough memory to load " + fileName, tail == ".TGA" ? TGA_TEXTURE_CAPTION : BMP_CAPTION);
  }
}

} // namespace

uint32_t CreateTexture(int width, int height, TextureFormat format, const uint8_t* pixels) {
  return Upload(width, height, format, pixels, GL_LINEAR, width, height);
}

uint32_t CreateTextureSharp(int width, int height, TextureFormat format, const uint8_t* pixels) {
  return Upload(width, height, format, pixels, GL_NEAREST, width, height);
}

std::string TexturePath(const char* file) {
  return DataPath(std::string("data/textures/") + file);
}

void LoadTexture(const std::string& fileName, uint32_t& texture) {
  LoadByExtension(fileName, texture, false, nullptr);
}

void LoadTextureSharp(const std::string& fileName, uint32_t& texture) {
  LoadByExtension(fileName, texture, true, nullptr);
}

void LoadTexturePart(const std::string& fileName, uint32_t& texture, bool sharp, TexturePart& part) {
  LoadByExtension(fileName, texture, sharp, &part);
}

bool TexturesOfAnySize() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version && version[0] >= '2' && version[0] <= '9') return true;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions && std::strstr(extensions, "GL_ARB_texture_non_power_of_two") != nullptr;
}

bool LoadBmpTexture(const std::string& fileName, uint32_t& texture, bool sharp, TexturePart* part) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(fileName, bytes)) {
    Show("Error opening " + fileName, BMP_CAPTION);
    return false;
  }
  ParsedImage image;
  ImageError error;
  if (!ParseBmpInPlace(bytes, image, error)) {
    Show(error.text, error.caption);
    return false;
  }
  texture = UploadParsed(image, sharp, part);
  return true;
}

bool LoadTgaTexture(const std::string& fileName, uint32_t& texture, TexturePart* part) {
  struct stat st {};
  if (stat(fileName.c_str(), &st) != 0) {
    Show("File not found  - " + fileName, TGA_TEXTURE_CAPTION);
    return false;
  }
  std::vector<uint8_t> bytes;
  std::string why;
  if (!ReadWholeFile(fileName, bytes, &why)) FatalFileError(fileName, "cannot be read (" + why + ")");
  if (bytes.size() < 18) FatalFileError(fileName, "is shorter than its 18-byte header");
  ParsedImage image;
  ImageError error;
  if (!ParseTgaInPlace(bytes, fileName, image, error)) {
    Show(error.text, error.caption);
    return false;
  }
  texture = UploadParsed(image, false, part);
  return true;
}

bool LoadJpgTexture(const std::string& fileName, uint32_t& texture, TexturePart* part) {
  std::vector<uint8_t> bytes;
  ParsedImage image;
  ImageError error;
  if (!ReadWholeFile(fileName, bytes)) bytes.clear();
  if (!ParseJpg(bytes.data(), bytes.size(), fileName, image, error)) {
    Show(error.text, error.caption);
    return false;
  }
  // The compressed file is not needed beside its pixels during the upload.
  std::vector<uint8_t>().swap(bytes);
  texture = UploadParsed(image, false, part);
  return true;
}
