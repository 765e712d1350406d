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

// The most bytes each kind of data file may hold. A picture never needs more than
// the largest one the game takes (4096 x 4096 at 4 bytes a pixel) and its headers;
// a model's geometry alone (65535 vertices and triangles) is under 6 MB, the rest
// of the file (groups, materials, animation) is allowed as much again and more; a
// save file is a small record. Sounds have their own bound (assets/sound.h).
constexpr size_t PICTURE_FILE_LIMIT = 4096u * 4096u * 4u + 65536u;
constexpr size_t MODEL_FILE_LIMIT = 16u * 1024u * 1024u;
constexpr size_t SAVE_FILE_LIMIT = 65536;

// Reads the whole file, which must be a regular file (reached through links or
// not: an install may link its data files) of at most `limit` bytes. A FIFO, a
// device or a folder is refused without waiting for it. False when the file
// cannot be opened or read, is not a regular file, is larger than `limit`, or
// memory runs out; `error` says why.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* error = nullptr,
                   size_t limit = PICTURE_FILE_LIMIT);

// Opens a regular file for reading, as ReadWholeFile does, for readers that take
// a file descriptor (music streams). -1 on failure; `error` says why.
int OpenRegularFile(const std::string& path, std::string* error);

// Reads the first `size` bytes of a required data file; nothing beyond them is
// read. A missing file, one that is not a regular file or one shorter than `size`
// ends the program: one message naming the file, exit code 1, no file created or
// changed.
std::vector<uint8_t> ReadRequiredRecord(const std::string& path, size_t size);

// Replaces `path` with `data` so that a crash or a full disk at any moment leaves
// either the old or the new content: a temporary file of its own beside it
// (`<name>.tmp-XXXXXX`, made new for every write, so two writers never share one
// and no link at that name is ever followed) is written, flushed to disk and
// renamed over the old name, then the folder is synced. The rename replaces a link
// at `path` itself, never the file it points to. The file keeps the permissions it
// had; a new file gets the usual ones (0666 less the umask).
// False (old file untouched, temporary removed) on any failure; `error` says why.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size, std::string* error = nullptr);

// One running copy of the game per save folder.
enum class FolderLock {
  Taken,      // this process holds the folder
  InUse,      // another process holds it
  Unavailable // the folder cannot be opened or the file system keeps no locks
};
// Takes an advisory lock on the folder `dir` itself (or, where the file system
// refuses locks on folders, on `dir`/.quorbels.lock). On Taken `*fd` holds the lock
// until it is closed or the process ends; `error` says why for the other results.
FolderLock LockFolder(const std::string& dir, int* fd, std::string* error);

// Removes what saves killed part-way left in `dir`: regular files named
// `<name>.tmp` or `<name>.tmp-XXXXXX` for the given file names, nothing else.
void RemoveStaleTemporaries(const std::string& dir, const std::vector<std::string>& names);

// Makes this run the only one that uses the save folder (where SavePath keeps the
// options and the save): locks it for the rest of the run, then removes stale
// temporaries there. False when another running copy of the game holds it: the
// player has been told (message box and stderr), and nothing was read or written.
// A file system without locks is noted on stderr and the game runs.
bool ClaimSaveFolder();
// Gives the folder up again (tests).
void ReleaseSaveFolder();

// Shows an input/output error naming the file and ends the program with exit code 1.
[[noreturn]] void FatalFileError(const std::string& path, const std::string& reason);
