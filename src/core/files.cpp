#include "core/files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/platform.h"

std::string BaseDir;

std::string DataPath(const std::string& relative) { return BaseDir + relative; }

namespace {

// True when saves may be written into `dir`. access() alone is not enough: it
// succeeds for the superuser on every folder of a writable mount, so for the
// superuser a folder also needs a write bit for someone, which is how an install
// marks its data read-only.
bool SaveFolderWritable(const std::string& dir) {
  struct stat st {};
  if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  if (access(dir.c_str(), W_OK) != 0) return false;
  if (geteuid() == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return true;
}

// The player's own data folder for the game, ending in '/'; empty when neither
// XDG_DATA_HOME nor a home folder is known. A relative XDG_DATA_HOME is ignored,
// as the base-directory convention asks.
std::string PersonalSaveFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/quorbels/";
  const char* home = std::getenv("HOME");
  std::string base = home && home[0] == '/' ? home : "";
  if (base.empty()) {
    const passwd* pw = getpwuid(getuid());
    if (pw && pw->pw_dir && pw->pw_dir[0] == '/') base = pw->pw_dir;
  }
  if (base.empty()) return "";
  return base + "/.local/share/quorbels/";
}

// mkdir -p; new folders are private to the player.
bool MakeFolders(const std::string& dir, std::string* error) {
  for (size_t slash = dir.find('/', 1); slash != std::string::npos; slash = dir.find('/', slash + 1)) {
    std::string part = dir.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      *error = part + ": " + std::strerror(errno);
      return false;
    }
  }
  struct stat st {};
  if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    *error = dir + " is not a folder";
    return false;
  }
  return true;
}

} // namespace

std::string SavePath(const std::string& fileName) {
  const std::string installedDir = DataPath("data/misc/");
  const std::string installed = installedDir + fileName;
  if (SaveFolderWritable(installedDir)) return installed;

  const std::string personalDir = PersonalSaveFolder();
  const std::string personal = personalDir + fileName;
  struct stat st {};
  if (!personalDir.empty() && stat(personal.c_str(), &st) == 0) return personal;

  std::vector<uint8_t> defaults;
  if (!ReadWholeFile(installed, defaults)) return installed;

  std::string why;
  if (personalDir.empty())
    why = "no home folder is known (set HOME or XDG_DATA_HOME)";
  else if (MakeFolders(personalDir, &why) &&
           WriteFileAtomic(personal, defaults.data(), defaults.size(), &why))
    return personal;
  FatalFileError(personalDir.empty() ? fileName : personal,
                 "cannot be created: " + installedDir + " is read-only and the personal copy failed (" + why +
                     ")");
}

std::string ProgramDirectory() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  buf[n] = 0;
  std::string path(buf);
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* error) {
  out.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (fstat(fd, &st) == 0 && st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
  uint8_t chunk[65536];
  for (;;) {
    ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      if (error) *error = std::strerror(errno);
      close(fd);
      out.clear();
      return false;
    }
    if (got == 0) break;
    out.insert(out.end(), chunk, chunk + got);
  }
  close(fd);
  return true;
}

std::vector<uint8_t> ReadRequiredRecord(const std::string& path, size_t size) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!ReadWholeFile(path, bytes, &why)) FatalFileError(path, "cannot be read (" + why + ")");
  if (bytes.size() < size)
    FatalFileError(path, "is too short: " + std::to_string(bytes.size()) + " bytes instead of " +
                             std::to_string(size));
  bytes.resize(size);
  return bytes;
}

bool WriteFileAtomic(const std::string& path, const void* data, size_t size, std::string* error) {
  auto fail = [&](const char* step) {
    if (error) *error = std::string(step) + ": " + std::strerror(errno);
    return false;
  };
  std::string tmp = path + ".tmp";
  int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fail("cannot create temporary file");
  const uint8_t* p = static_cast<const uint8_t*>(data);
  size_t left = size;
  while (left > 0) {
    ssize_t put = write(fd, p, left);
    if (put < 0) {
      if (errno == EINTR) continue;
      int saved = errno;
      close(fd);
      unlink(tmp.c_str());
      errno = saved;
      return fail("cannot write");
    }
    p += put;
    left -= static_cast<size_t>(put);
  }
  if (fsync(fd) != 0) {
    int saved = errno;
    close(fd);
    unlink(tmp.c_str());
    errno = saved;
    return fail("cannot flush");
  }
  if (close(fd) != 0) {
    int saved = errno;
    unlink(tmp.c_str());
    errno = saved;
    return fail("cannot close");
  }
  if (rename(tmp.c_str(), path.c_str()) != 0) {
    int saved = errno;
    unlink(tmp.c_str());
    errno = saved;
    return fail("cannot replace");
  }
  // Make the rename itself durable.
  size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    fsync(dfd);
    close(dfd);
  }
  return true;
}

void FatalFileError(const std::string& path, const std::string& reason) {
  std::string text = "Input/output error: the data file " + path + " " + reason + ".";
  PlatformMessageBox(text.c_str(), "Error", MessageIcon::Error);
  std::exit(1);
}
