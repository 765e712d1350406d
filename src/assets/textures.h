// Textures: one call turns a BMP, TGA or JPEG file into an OpenGL 2D texture
// with a full mipmap chain and the modulate environment (drawing code tints with
// the current colour). Problems are shown in a message box and leave the caller's
// texture variable unchanged; loading then continues. Call with a current context.
#pragma once
#include <cstdint>
#include <string>

#include "assets/catalogue.h"

// The path of a picture of the data set: data/textures/<file> in the data folder.
std::string TexturePath(const char* file);

// Dispatch by the last four characters of the upper-cased name: ".BMP", ".JPG",
// ".TGA"; any other name does nothing and shows nothing. Smooth filtering.
void LoadTexture(const std::string& fileName, uint32_t& texture);
// The same with nearest filtering for BMP files; TGA and JPEG stay smooth.
void LoadTextureSharp(const std::string& fileName, uint32_t& texture);

// For a picture of which only the top left `part` is ever drawn (smooth or sharp
// as above). Where the renderer takes textures of any size and the part ends on
// whole texels of a picture that is uploaded as it is, only the part is uploaded
// and `part` becomes the whole texture, (1, 1): every texel lands on the same
// pixel as before, in less memory. Otherwise `part` stays as it was.
void LoadTexturePart(const std::string& fileName, uint32_t& texture, bool sharp, TexturePart& part);

// Whether the renderer takes textures of any size (OpenGL 2.0 and later, or the
// extension), not only powers of two. Needs a current context.
bool TexturesOfAnySize();

enum class TextureFormat : uint8_t { RGB, RGBA };
// Uploads width x height pixels (bottom row first, packed) and returns the new name.
uint32_t CreateTexture(int width, int height, TextureFormat format, const uint8_t* pixels);
uint32_t CreateTextureSharp(int width, int height, TextureFormat format, const uint8_t* pixels);

// Each returns true when it stored a new texture in the variable; `part` as for
// LoadTexturePart (none: the whole picture).
bool LoadBmpTexture(const std::string& fileName, uint32_t& texture, bool sharp, TexturePart* part = nullptr);
bool LoadJpgTexture(const std::string& fileName, uint32_t& texture, TexturePart* part = nullptr);
// A TGA that exists but cannot be read or is shorter than its 18-byte header ends
// the program with the input/output error of a missing data file.
bool LoadTgaTexture(const std::string& fileName, uint32_t& texture, TexturePart* part = nullptr);
