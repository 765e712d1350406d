// The generated data folder of this build, which ctest names in QUORBELS_DATA.
#pragma once
#include <cstdlib>
#include <string>

// The folder ending in '/', or "" when QUORBELS_DATA is not set (paths then stay
// relative, and the tests that need the files say so).
inline std::string GeneratedDataDir() {
  const char* dir = std::getenv("QUORBELS_DATA");
  return dir ? std::string(dir) + "/" : std::string();
}
