// Whole-file reading, atomic replacement and the one fatal data-file error.
// Every data path is BaseDir + a relative path such as "data/misc/opt.dat".
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Directory of the program file, ending in '/'. Set once by RunProgram; tests set it
// to a folder of their own.
extern std::string BaseDir;

// BaseDir + relative path.
std::string DataPath(const std::string& relative);

// Where the save file `fileName` ("opt.dat" or "hsc.dat") is read and written.
// When the program's own data/misc/ folder may be written, the file lives there
// (a build tree or an install in the player's own folders). Otherwise (an install
// shared by every user) it lives in $XDG_DATA_HOME/quorbels/, by default
// ~/.local/share/quorbels/: the folder is created and, on the first start, the
// installed data/misc/ file is copied there (atomically), so every player keeps
// their own progress and the install folder is never written. "May be written"
// means the folder's permissions allow it and, for the superuser (whom no
// permission stops), that its mode grants writing to anyone at all: a folder made
// read-only (chmod a-w) or on a read-only mount counts as an install.
// When the installed default cannot be read, its own path is returned so the
// usual missing-file report names it. When the personal folder cannot be made or
// the copy cannot be written, the program ends with a message naming both places.
std::string SavePath(const std::string& fileName);

// Directory part of the running program's own path, ending in '/'.
std::string ProgramDirectory();

// Reads the whole file. False when it cannot be opened or read; `error` says why.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* error = nullptr);

// Reads the first `size` bytes of a required data file. A missing file or one
// shorter than `size` ends the program: one message naming the file, exit code 1,
// no file created or changed. Bytes beyond `size` are ignored.
std::vector<uint8_t> ReadRequiredRecord(const std::string& path, size_t size);

// Replaces `path` with `data` so that a crash or a full disk at any moment leaves
// either the old or the new content: a temporary file beside it is written,
// flushed to disk and renamed over the old one, then the folder is synced.
// False (old file untouched, temporary removed) on any failure; `error` says why.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size, std::string* error = nullptr);

// Shows an input/output error naming the file and ends the program with exit code 1.
[[noreturn]] void FatalFileError(const std::string& path, const std::string& reason);
