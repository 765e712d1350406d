// The data generator: writes the complete data/ folder the game loads, every
// file deterministic (fixed seeds), in exactly the formats the loaders read.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes one data file atomically (no half-written file is ever left behind);
// on failure prints the path and the reason and returns false.
bool WriteDataFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Each writer fills its part of `dataDir` (which ends in '/'), creating folders as
// needed, and returns false after printing what went wrong.
bool WriteRecords(const std::string& dataDir);  // misc/opt.dat, misc/hsc.dat
bool WriteLevels(const std::string& dataDir);   // misc/levels.qrb
bool WriteFont(const std::string& dataDir);     // textures/font.tga, misc/font.dat
bool WritePictures(const std::string& dataDir); // textures/*, the logo
// The small pictures (panel, digits, cursor, icons, effects...), called by WritePictures.
bool WritePieces(const std::string& dataDir);
bool WriteModels(const std::string& dataDir); // 3d/*.ms3d
bool WriteSounds(const std::string& dataDir); // sound/*.wav
bool WriteMusic(const std::string& dataDir);  // music/*.ogg
