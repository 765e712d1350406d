// The player's save and options survive anything that can happen while they are
// written: the program killed at any moment, a folder nobody may write, a full disk.
// Each leaves either the old or the new record, whole, and a failed write is
// reported rather than passed off as saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/files.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  std::fclose(f);
}

// A save whose every value follows from one generation number, so that a record
// mixing two saves, or cut short, is recognised.
HighScoreRecord GenerationRecord(int32_t generation) {
  HighScoreRecord r{};
  for (int t = 0; t < 3; ++t)
    for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) {
      HighScoreEntry& e = r.tables[t][i];
      e.score = generation * 100 + t * 10 + i;
      e.nameLength = static_cast<uint8_t>(1 + (generation + i) % 30);
      for (int k = 0; k < HIGHSCORE_NAME_MAX; ++k)
        e.name[k] = static_cast<char>('A' + (generation + k + t) % 26);
    }
  r.profile.storyProgress = static_cast<uint16_t>(1 + generation % 55);
  r.profile.money = generation;
  for (int s = 0; s < 3; ++s) r.slots[s] = static_cast<uint8_t>((generation + s) % 9);
  return r;
}

bool IsWholeGenerationRecord(const std::vector<uint8_t>& bytes, int32_t* generation) {
  if (bytes.size() != HIGHSCORE_FILE_SIZE) return false;
  HighScoreRecord r = DecodeHighScores(bytes.data());
  *generation = r.profile.money;
  return EncodeHighScores(GenerationRecord(r.profile.money)) == bytes;
}

class SaveDurability : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/quorbels-durability-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    // Open to every user: one test writes as an unprivileged user.
    chmod(root.c_str(), 0755);
    misc = root + "/data/misc/";
    fs::create_directories(misc);
    savedBaseDir = BaseDir;
    BaseDir = root + "/";
    PlatformShowMessageBoxes(false);
    savedHighScores = HighScores;
    std::memcpy(savedSlots, ItemSlots, sizeof savedSlots);
    std::memcpy(savedOptions, Options, sizeof savedOptions);
  }
  void TearDown() override {
    if (!mountPoint.empty()) umount2(mountPoint.c_str(), MNT_DETACH);
    chmod(misc.c_str(), 0755);
    BaseDir = savedBaseDir;
    HighScores = savedHighScores;
    std::memcpy(ItemSlots, savedSlots, sizeof savedSlots);
    std::memcpy(Options, savedOptions, sizeof savedOptions);
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }

  // Puts generation `g` into HighScores and ItemSlots, as the game holds it before saving.
  static void HoldGeneration(int32_t g) {
    HighScores = GenerationRecord(g);
    std::memcpy(ItemSlots, HighScores.slots, 3);
  }

  // Nothing but the save itself (and no leftover temporary) in the folder.
  void ExpectOnlyFile(const char* name) {
    for (const auto& entry : fs::directory_iterator(misc))
      EXPECT_EQ(entry.path().filename().string(), name) << "stray file after a failed or killed save";
  }

  std::string root, misc, savedBaseDir, mountPoint;
  HighScoreRecord savedHighScores{};
  uint8_t savedSlots[3]{};
  uint8_t savedOptions[OPTIONS_SIZE]{};
};

TEST_F(SaveDurability, KilledAtRandomMomentsWhileSavingLeavesOldOrNewRecordWhole) {
  const std::string path = misc + "hsc.dat";
  WriteBytes(path, EncodeHighScores(GenerationRecord(0)));
  std::mt19937 pick(2026);
  int lastSeen = 0, advanced = 0, unchanged = 0;
  for (int round = 0; round < 200; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Saves newer and newer generations until it is killed.
      for (int32_t g = lastSeen + 1;; ++g) {
        HoldGeneration(g);
        if (!SaveHighScoreFile()) _exit(3);
      }
    }
    usleep(static_cast<useconds_t>(pick() % 8000));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped on its own, status " << status;

    int32_t generation = -1;
    std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_TRUE(IsWholeGenerationRecord(bytes, &generation))
        << "round " << round << ": " << bytes.size() << " bytes, not a whole save";
    ASSERT_GE(generation, lastSeen) << "round " << round << ": an older save came back";
    (generation == lastSeen ? unchanged : advanced) += 1;
    lastSeen = generation;
    // What the next start of the game reads is that same record.
    HighScores = HighScoreRecord{};
    LoadHighScoreFile();
    EXPECT_EQ(HighScores.profile.money, generation);
  }
  // The kills must really have landed among the saves, not only before the first.
  EXPECT_GE(advanced, 10);
  RecordProperty("kills", 200);
  RecordProperty("roundsWithNewSave", advanced);
  RecordProperty("roundsKeepingOldSave", unchanged);
}

TEST_F(SaveDurability, KilledWhileWritingOptionsLeavesSevenValidBytes) {
  const std::string path = misc + "opt.dat";
  WriteBytes(path, {0, 1, 1, 1, 0, 0, 0});
  std::mt19937 pick(7);
  for (int round = 0; round < 60; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Every record written has all seven bytes equal to its counter.
      for (uint8_t g = 1;; g = static_cast<uint8_t>(g % 9 + 1)) {
        std::memset(Options, g, OPTIONS_SIZE);
        if (!WriteOptionsFile()) _exit(3);
      }
    }
    usleep(static_cast<useconds_t>(pick() % 3000));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), static_cast<size_t>(OPTIONS_SIZE)) << "round " << round;
    bool initial = bytes == std::vector<uint8_t>{0, 1, 1, 1, 0, 0, 0};
    bool uniform = std::all_of(bytes.begin(), bytes.end(), [&](uint8_t b) { return b == bytes[0]; });
    ASSERT_TRUE(initial || uniform) << "round " << round << ": a mixture of two option records";
  }
}

// Runs `write` in a child that may not write into data/misc (an ordinary user
// against a folder without write permission; the superuser ignores permissions,
// so the child drops to an unprivileged user first). The child's exit code is 0
// when the write reported failure and left everything in place.
template <typename Write> void InReadOnlyFolder(const std::string& misc, Write write) {
  ASSERT_EQ(chmod(misc.c_str(), 0555), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(4);
    _exit(write() ? 0 : 5);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  chmod(misc.c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(SaveDurability, ReadOnlyFolderKeepsOldFileAndReportsFailure) {
  const std::string path = misc + "hsc.dat";
  const std::vector<uint8_t> old = EncodeHighScores(GenerationRecord(5));
  WriteBytes(path, old);
  std::vector<uint8_t> fresh = EncodeHighScores(GenerationRecord(6));
  InReadOnlyFolder(misc, [&] {
    std::string why;
    bool saved = WriteFileAtomic(path, fresh.data(), fresh.size(), &why);
    return !saved && !why.empty();
  });
  EXPECT_EQ(ReadBytes(path), old);
  ExpectOnlyFile("hsc.dat");
}

TEST_F(SaveDurability, FileSizeLimitDuringSaveKeepsOldFileAndReportsFailure) {
  // A write that runs out of room part-way, as on a full disk, without needing one:
  // the child may create files of at most 100 bytes.
  const std::string path = misc + "hsc.dat";
  const std::vector<uint8_t> old = EncodeHighScores(GenerationRecord(11));
  WriteBytes(path, old);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{100, 100};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(4);
    HoldGeneration(12);
    int before = PlatformMessageCount();
    bool saved = SaveHighScoreFile();
    bool reported = PlatformMessageCount() == before + 1 &&
                    std::string(PlatformLastMessageText()).find("hsc.dat") != std::string::npos;
    _exit(!saved && reported ? 0 : 5);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save did not report its failure";
  EXPECT_EQ(ReadBytes(path), old);
  ExpectOnlyFile("hsc.dat");
}

TEST_F(SaveDurability, FullDiskKeepsOldSaveAndOptionsAndReportsFailure) {
  // A tiny memory disk holding the save folder, filled to the last byte.
  mountPoint = root + "/data/misc";
  if (mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) {
    mountPoint.clear();
    GTEST_SKIP() << "cannot mount a small disk here (" << std::strerror(errno) << ")";
  }
  const std::vector<uint8_t> oldSave = EncodeHighScores(GenerationRecord(21));
  const std::vector<uint8_t> oldOptions{1, 0, 1, 0, 3, 4, 5};
  WriteBytes(misc + "hsc.dat", oldSave);
  WriteBytes(misc + "opt.dat", oldOptions);
  {
    FILE* filler = std::fopen((misc + "filler").c_str(), "wb");
    ASSERT_NE(filler, nullptr);
    std::vector<char> block(4096, 'x');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
    }
    std::fclose(filler);
    for (;;) {
      FILE* f = std::fopen((misc + "filler").c_str(), "ab");
      if (!f) break;
      bool wrote = std::fputc('x', f) != EOF && std::fflush(f) == 0;
      std::fclose(f);
      if (!wrote) break;
    }
  }
  HoldGeneration(22);
  int before = PlatformMessageCount();
  EXPECT_FALSE(SaveHighScoreFile());
  EXPECT_EQ(PlatformMessageCount(), before + 1);
  EXPECT_NE(std::string(PlatformLastMessageText()).find("hsc.dat"), std::string::npos);

  std::memset(Options, 9, OPTIONS_SIZE);
  EXPECT_FALSE(WriteOptionsFile());
  EXPECT_EQ(PlatformMessageCount(), before + 2);
  EXPECT_NE(std::string(PlatformLastMessageText()).find("opt.dat"), std::string::npos);

  EXPECT_EQ(ReadBytes(misc + "hsc.dat"), oldSave);
  EXPECT_EQ(ReadBytes(misc + "opt.dat"), oldOptions);
  EXPECT_FALSE(fs::exists(misc + "hsc.dat.tmp"));
  EXPECT_FALSE(fs::exists(misc + "opt.dat.tmp"));

  // Once there is room again the same save goes through.
  fs::remove(misc + "filler");
  EXPECT_TRUE(SaveHighScoreFile());
  int32_t generation = -1;
  EXPECT_TRUE(IsWholeGenerationRecord(ReadBytes(misc + "hsc.dat"), &generation));
  EXPECT_EQ(generation, 22);
}

} // namespace
