// What the game does with files that are not what they should be, and with other
// writers: a link where a save or its temporary file goes, two copies of the game
// on one save folder, a FIFO, a device, a folder or a huge sparse file where a data
// file should be, memory that runs out, and the save's own permissions.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "assets/model.h"
#include "core/files.h"
#include "platform/platform.h"
#include "support/alloc_counter.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
  std::vector<uint8_t> bytes;
  ReadWholeFile(path, bytes);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

// Runs `body` in a child process that may take `seconds` at most; returns its exit
// code, or -1 when it was still running (a read that waits for ever) or crashed.
template <typename Body> int InChild(Body body, unsigned seconds = 10) {
  std::fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    alarm(seconds);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FileSafety : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/quorbels-safety-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = std::string(pattern) + "/";
    misc = root + "data/misc/";
    fs::create_directories(misc);
    savedBaseDir = BaseDir;
    BaseDir = root;
    PlatformShowMessageBoxes(false);
  }
  void TearDown() override {
    ReleaseSaveFolder();
    FailAllocationsLargerThan(0);
    BaseDir = savedBaseDir;
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(misc)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string root, misc, savedBaseDir;
};

TEST_F(FileSafety, ASaveNeverWritesThroughALinkAtItsTemporaryOrItsOwnName) {
  // A data folder unpacked from an archive can carry links of any name.
  for (const char* linkName : {"hsc.dat.tmp", "hsc.dat"}) {
    SCOPED_TRACE(linkName);
    const std::string victim = root + "victim";
    WriteText(victim, "the player's other file");
    WriteText(misc + "hsc.dat", "old save");
    fs::remove(misc + linkName);
    fs::create_symlink(victim, misc + linkName);

    std::string why;
    ASSERT_TRUE(WriteFileAtomic(misc + "hsc.dat", "new save", 8, &why)) << why;
    EXPECT_EQ(ReadText(victim), "the player's other file");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(misc + "hsc.dat")));
    EXPECT_EQ(ReadText(misc + "hsc.dat"), "new save");
    fs::remove(misc + "hsc.dat.tmp");
  }
}

TEST_F(FileSafety, ASaveKeepsItsPermissionsAndANewFileGetsTheUsualOnes) {
  struct Case {
    mode_t before; // 0: no file yet
    mode_t umask;
    mode_t after;
  };
  for (Case c : {Case{0600, 022, 0600}, Case{0640, 077, 0640}, Case{0664, 022, 0664}, Case{0, 022, 0644},
                 Case{0, 077, 0600}}) {
    SCOPED_TRACE(testing::Message() << std::oct << "mode " << c.before << " umask " << c.umask);
    const std::string path = misc + "opt.dat";
    fs::remove(path);
    if (c.before) {
      WriteText(path, "1234567");
      chmod(path.c_str(), c.before);
    }
    mode_t old = umask(c.umask);
    EXPECT_TRUE(WriteFileAtomic(path, "7654321", 7));
    umask(old);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, c.after);
  }
}

TEST_F(FileSafety, TwoWritersAtOnceNeverFailFalselyAndLeaveOneWholeRecord) {
  // Each writer's record is 1092 copies of its own letter.
  const std::string path = misc + "hsc.dat";
  WriteText(path, std::string(1092, 'O'));
  auto writer = [&](char letter) {
    return InChild(
        [&] {
          const std::string record(1092, letter);
          for (int i = 0; i < 300; ++i)
            if (!WriteFileAtomic(path, record.data(), record.size())) return 1;
          return 0;
        },
        60);
  };
  std::fflush(nullptr);
  pid_t second = fork();
  if (second == 0) _exit(writer('B'));
  int first = writer('A');
  int status = 0;
  waitpid(second, &status, 0);
  EXPECT_EQ(first, 0) << "a write reported failure while the other writer was saving";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other writer reported a failure";
  const std::string saved = ReadText(path);
  EXPECT_TRUE(saved == std::string(1092, 'A') || saved == std::string(1092, 'B')) << saved.size() << " bytes";
  EXPECT_EQ(Listing(), std::vector<std::string>{"hsc.dat"});
}

TEST_F(FileSafety, ASecondCopyOnTheSameSavesIsToldAndTouchesNothing) {
  WriteText(misc + "opt.dat", "1234567");
  WriteText(misc + "hsc.dat.tmp-a1B2c3", "left by a killed save");
  ASSERT_TRUE(ClaimSaveFolder());
  WriteText(misc + "hsc.dat.tmp-Zz9Yy8", "the running copy's save in progress");
  const std::vector<std::string> before = Listing();

  // A second process: it is refused and says why, and the running copy's
  // temporary file stays where it is.
  int refused = InChild([] {
    int messages = PlatformMessageCount();
    bool claimed = ClaimSaveFolder();
    bool told = PlatformMessageCount() == messages + 1 &&
                std::strstr(PlatformLastMessageText(), "already running") != nullptr;
    return !claimed && told ? 7 : 1;
  });
  EXPECT_EQ(refused, 7);
  EXPECT_EQ(Listing(), before);

  // Once the first copy has ended, the next start gets the folder.
  ReleaseSaveFolder();
  EXPECT_EQ(InChild([] { return ClaimSaveFolder() ? 0 : 1; }), 0);
}

TEST_F(FileSafety, AStartRemovesOnlyTheTemporariesThatKilledSavesLeft) {
  for (const char* name : {"opt.dat", "hsc.dat", "hsc.dat.tmp", "opt.dat.tmp-Ab12Cd", "hsc.dat.tmp-zzzzzz",
                           "hsc.dat.tmp-abc", "hsc.dat.tmp-abcdefg", "font.dat.tmp-Ab12Cd", "notes.txt"})
    WriteText(misc + name, "x");
  fs::create_directory(misc + "hsc.dat.tmp-Dir123");
  fs::create_symlink(root + "elsewhere", misc + "opt.dat.tmp-Link12");
  ASSERT_TRUE(ClaimSaveFolder());
  EXPECT_EQ(Listing(), (std::vector<std::string>{"font.dat.tmp-Ab12Cd", "hsc.dat", "hsc.dat.tmp-Dir123",
                                                 "hsc.dat.tmp-abc", "hsc.dat.tmp-abcdefg", "notes.txt",
                                                 "opt.dat", "opt.dat.tmp-Link12"}));
}

TEST_F(FileSafety, OnlyRegularFilesAreReadAndNeverBeyondTheirBound) {
  const std::string fifo = misc + "fifo", folder = misc + "folder", sparse = misc + "sparse";
  const std::string regular = misc + "regular", link = misc + "link", zero = misc + "zero";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  fs::create_directory(folder);
  WriteText(regular, "ten bytes!");
  fs::create_symlink(regular, link); // an install may link its data files
  fs::create_symlink("/dev/zero", zero);
  {
    int fd = open(sparse.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t{4} << 30), 0); // 4 GB of nothing
    close(fd);
  }
  struct Case {
    std::string path;
    bool read;
    const char* why;
  };
  for (const Case& c : {Case{fifo, false, "not a regular file"}, Case{zero, false, "not a regular file"},
                        Case{folder, false, "folder"}, Case{sparse, false, "larger than 1048576 bytes"},
                        Case{regular, true, ""}, Case{link, true, ""}}) {
    SCOPED_TRACE(c.path);
    int result = InChild([&] {
      std::vector<uint8_t> bytes;
      std::string why;
      bool read = ReadWholeFile(c.path, bytes, &why, 1 << 20);
      if (read != c.read) return 1;
      if (read) return bytes.size() == 10 ? 0 : 2;
      return why.find(c.why) != std::string::npos && bytes.capacity() == 0 ? 0 : 3;
    });
    EXPECT_EQ(result, 0) << "1: wrong result, 2: wrong bytes, 3: wrong reason, -1: hung or crashed";
  }

  // A record reads only its own bytes, however long the file; anything but a
  // regular file ends the program naming it.
  EXPECT_EQ(InChild([&] { return ReadRequiredRecord(sparse, 7) == std::vector<uint8_t>(7, 0) ? 0 : 1; }), 0);
  for (const std::string& bad : {fifo, zero, folder})
    EXPECT_EXIT(
        {
          alarm(10);
          ReadRequiredRecord(bad, 7);
        },
        testing::ExitedWithCode(1), bad + " cannot be read");
}

TEST_F(FileSafety, MemoryRunningOutEndsInTheFilesOwnMessage) {
  const std::string levels = misc + "levels.qrb", model = misc + "model.ms3d";
  WriteText(levels, std::string(93500, 'L'));
  // A model file of 61 KB whose 4095 vertices take 80 KB in memory.
  WriteText(model, std::string("MS3D000000\x04\x00\x00\x00\xff\x0f", 16) + std::string(4095 * 15 + 2, '\0'));

  FailAllocationsLargerThan(50000);
  std::vector<uint8_t> bytes;
  std::string why;
  EXPECT_FALSE(ReadWholeFile(levels, bytes, &why));
  EXPECT_NE(why.find("memory"), std::string::npos);
  EXPECT_EXIT(ReadRequiredRecord(levels, 93500), testing::ExitedWithCode(1),
              "levels.qrb cannot be read.*memory");

  // The model is read, its vertices find no room: it stays empty, as a damaged one does.
  FailAllocationsLargerThan(70000);
  EXPECT_EQ(TModel(model).vertexCount, 0);
  FailAllocationsLargerThan(0);
  EXPECT_EQ(TModel(model).vertexCount, 4095);
}

} // namespace
