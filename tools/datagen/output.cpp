// Every file the generator writes goes through here: atomically, with the path and
// the reason printed when it cannot be written.
#include <cstdio>

#include "core/files.h"
#include "datagen.h"

bool WriteDataFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string why;
  if (!WriteFileAtomic(path, bytes.data(), bytes.size(), &why)) {
    std::fprintf(stderr, "datagen: %s: %s\n", path.c_str(), why.c_str());
    return false;
  }
  return true;
}
