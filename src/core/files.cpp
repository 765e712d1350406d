#include "core/files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <pwd.h>
#include <sys/file.h>
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
  if (!ReadWholeFile(installed, defaults, nullptr, SAVE_FILE_LIMIT)) return installed;

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

int OpenRegularFile(const std::string& path, std::string* error) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer. Links are followed.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = std::strerror(errno);
    return -1;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    if (error) *error = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
    close(fd);
    return -1;
  }
  // A regular file never blocks; reads go on as usual.
  int flags = fcntl(fd, F_GETFL);
  if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

namespace {

// Reads from `fd` until the end of the file or until `limit` bytes are in `out`;
// `more` tells whether the file goes on beyond them.
bool ReadUpTo(int fd, size_t limit, std::vector<uint8_t>& out, bool* more, std::string* error) {
  *more = false;
  struct stat st {};
  if (fstat(fd, &st) == 0 && st.st_size > 0) out.reserve(std::min(static_cast<size_t>(st.st_size), limit));
  uint8_t chunk[65536];
  for (;;) {
    size_t want = std::min(sizeof chunk, limit - out.size() + 1);
    ssize_t got = read(fd, chunk, want);
    if (got < 0) {
      if (errno == EINTR) continue;
      if (error) *error = std::strerror(errno);
      return false;
    }
    if (got == 0) return true;
    size_t take = std::min(static_cast<size_t>(got), limit - out.size());
    out.insert(out.end(), chunk, chunk + take);
    if (take < static_cast<size_t>(got)) {
      *more = true;
      return true;
    }
  }
}

} // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* error, size_t limit) {
  out.clear();
  int fd = OpenRegularFile(path, error);
  if (fd < 0) return false;
  bool ok = false, more = false;
  try {
    ok = ReadUpTo(fd, limit, out, &more, error);
    if (ok && more) {
      ok = false;
      if (error) *error = "it is larger than " + std::to_string(limit) + " bytes";
    }
  } catch (const std::bad_alloc&) {
    if (error) *error = "not enough memory to read it";
  }
  close(fd);
  if (!ok) std::vector<uint8_t>().swap(out);
  return ok;
}

std::vector<uint8_t> ReadRequiredRecord(const std::string& path, size_t size) {
  std::string why;
  int fd = OpenRegularFile(path, &why);
  if (fd < 0) FatalFileError(path, "cannot be read (" + why + ")");
  std::vector<uint8_t> bytes;
  bool more = false, ok = false;
  try {
    ok = ReadUpTo(fd, size, bytes, &more, &why);
  } catch (const std::bad_alloc&) {
    why = "not enough memory to read it";
  }
  close(fd);
  if (!ok) FatalFileError(path, "cannot be read (" + why + ")");
  if (bytes.size() < size)
    FatalFileError(path, "is too short: " + std::to_string(bytes.size()) + " bytes instead of " +
                             std::to_string(size));
  return bytes;
}

namespace {

// The process's file-creation mask. Reading it means setting it for a moment; no
// other thread of the game creates files meanwhile.
mode_t CurrentUmask() {
  mode_t mask = umask(0);
  umask(mask);
  return mask;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

} // namespace

bool WriteFileAtomic(const std::string& path, const void* data, size_t size, std::string* error) {
  auto fail = [&](const char* step) {
    if (error) *error = std::string(step) + ": " + std::strerror(errno);
    return false;
  };
  // The permissions the file has now carry over to the new content. A link at the
  // name is not looked through: its target is never written.
  struct stat old {};
  const bool replacing = lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  const mode_t mode = replacing ? (old.st_mode & 0777) : (0666 & ~CurrentUmask());

  // A new file of its own for every write: created exclusively, so neither a link
  // nor another writer's temporary at that name can be used.
  std::string tmp = path + ".tmp-XXXXXX";
  int fd = mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) return fail("cannot create temporary file");
  auto abandon = [&](const char* step) {
    int saved = errno;
    if (fd >= 0) close(fd);
    unlink(tmp.c_str());
    errno = saved;
    return fail(step);
  };
  if (fchmod(fd, mode) != 0) return abandon("cannot set permissions");
  const uint8_t* p = static_cast<const uint8_t*>(data);
  size_t left = size;
  while (left > 0) {
    ssize_t put = write(fd, p, left);
    if (put < 0) {
      if (errno == EINTR) continue;
      return abandon("cannot write");
    }
    p += put;
    left -= static_cast<size_t>(put);
  }
  if (fsync(fd) != 0) return abandon("cannot flush");
  int closed = close(fd);
  fd = -1;
  if (closed != 0) return abandon("cannot close");
  if (rename(tmp.c_str(), path.c_str()) != 0) return abandon("cannot replace");
  // Make the rename itself durable.
  int dfd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    fsync(dfd);
    close(dfd);
  }
  return true;
}

FolderLock LockFolder(const std::string& dir, int* fd, std::string* error) {
  *fd = -1;
  int folder = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) {
    if (error) *error = std::strerror(errno);
    return FolderLock::Unavailable;
  }
  int held = folder;
  int result = flock(folder, LOCK_EX | LOCK_NB);
  if (result != 0 && errno != EWOULDBLOCK && errno != EINTR) {
    // Some network file systems lock only files opened for writing.
    close(folder);
    held = open((dir + "/.quorbels.lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (held < 0) {
      if (error) *error = std::strerror(errno);
      return FolderLock::Unavailable;
    }
    result = flock(held, LOCK_EX | LOCK_NB);
  }
  if (result != 0) {
    bool busy = errno == EWOULDBLOCK || errno == EINTR;
    if (error) *error = std::strerror(errno);
    close(held);
    return busy ? FolderLock::InUse : FolderLock::Unavailable;
  }
  *fd = held;
  return FolderLock::Taken;
}

void RemoveStaleTemporaries(const std::string& dir, const std::vector<std::string>& names) {
  DIR* folder = opendir(dir.c_str());
  if (!folder) return;
  auto ours = [&](const std::string& entry) {
    for (const std::string& name : names) {
      const std::string stem = name + ".tmp";
      if (entry == stem) return true; // the fixed name of older versions
      if (entry.size() != stem.size() + 7 || entry.compare(0, stem.size() + 1, stem + "-") != 0) continue;
      return std::all_of(entry.end() - 6, entry.end(),
                         [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
    }
    return false;
  };
  while (const dirent* entry = readdir(folder)) {
    std::string name = entry->d_name;
    if (!ours(name)) continue;
    struct stat st {};
    std::string path = dir + "/" + name;
    if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) unlink(path.c_str());
  }
  closedir(folder);
}

namespace {
int SaveFolderLock = -1;
} // namespace

bool ClaimSaveFolder() {
  ReleaseSaveFolder();
  const std::string dir = FolderOf(SavePath("opt.dat"));
  std::string why;
  switch (LockFolder(dir, &SaveFolderLock, &why)) {
  case FolderLock::Taken:
    RemoveStaleTemporaries(dir, {"opt.dat", "hsc.dat"});
    return true;
  case FolderLock::InUse: {
    std::string text = "Quorbels is already running: another copy of the game is using the saves in " + dir +
                       ". Close it first, then start the game again.";
    PlatformMessageBox(text.c_str(), "Error", MessageIcon::Error);
    return false;
  }
  case FolderLock::Unavailable:
    // A missing folder is reported by the first read; a file system without
    // locks still saves safely, it just cannot tell a second copy apart.
    std::fprintf(
        stderr,
        "Note: the save folder %s cannot be locked (%s); a second copy of the game would not be noticed.\n",
        dir.c_str(), why.c_str());
    return true;
  }
  return true;
}

void ReleaseSaveFolder() {
  if (SaveFolderLock >= 0) close(SaveFolderLock);
  SaveFolderLock = -1;
}

void FatalFileError(const std::string& path, const std::string& reason) {
  std::string text = "Input/output error: the data file " + path + " " + reason + ".";
  PlatformMessageBox(text.c_str(), "Error", MessageIcon::Error);
  std::exit(1);
}
