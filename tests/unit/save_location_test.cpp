// Where the options and the save file are kept: beside the program when its data
// folder may be written, in the player's own data folder when it is installed
// read-only, copied from the installed defaults on the first start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "core/files.h"
#include "game/highscore.h"
#include "game/options.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Remembers and restores one environment variable.
struct EnvGuard {
  std::string name, value;
  bool had = false;
  explicit EnvGuard(const char* n) : name(n) {
    const char* v = std::getenv(n);
    had = v != nullptr;
    if (had) value = v;
  }
  ~EnvGuard() {
    if (had)
      setenv(name.c_str(), value.c_str(), 1);
    else
      unsetenv(name.c_str());
  }
};

class SaveLocation : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/quorbels-saves-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    misc = root + "/game/data/misc/";
    fs::create_directories(misc);
    WriteText(misc + "opt.dat", OPTIONS_DEFAULT);
    WriteText(misc + "hsc.dat", std::string(HIGHSCORE_FILE_SIZE, '\x05'));
    savedBaseDir = BaseDir;
    BaseDir = root + "/game/";
    xdg = root + "/home/.data";
    setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    setenv("HOME", (root + "/home").c_str(), 1);
  }
  void TearDown() override {
    BaseDir = savedBaseDir;
    if (fs::exists(misc)) chmod(misc.c_str(), 0755);
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  // Marks the data folder as an install's: no write bit for anyone.
  void MakeInstalled() { ASSERT_EQ(chmod(misc.c_str(), 0555), 0); }

  static inline const std::string OPTIONS_DEFAULT{"\x00\x01\x01\x01\x04\x07\x07", 7};
  EnvGuard keepXdg{"XDG_DATA_HOME"}, keepHome{"HOME"};
  std::string root, misc, xdg, savedBaseDir;
};

TEST_F(SaveLocation, WritableDataFolderKeepsTheSavesBesideTheProgram) {
  EXPECT_EQ(SavePath("opt.dat"), misc + "opt.dat");
  EXPECT_EQ(SavePath("hsc.dat"), misc + "hsc.dat");
  EXPECT_FALSE(fs::exists(xdg)) << "nothing is written to the personal folder";

  ReadOptionsFile();
  Options[OPT_MOUSE_SPEED] = 9;
  ASSERT_TRUE(WriteOptionsFile());
  EXPECT_EQ(static_cast<uint8_t>(ReadText(misc + "opt.dat")[OPT_MOUSE_SPEED]), 9);
  EXPECT_FALSE(fs::exists(xdg));
}

TEST_F(SaveLocation, ReadOnlyInstallCopiesTheDefaultsOnceIntoThePersonalFolder) {
  MakeInstalled();
  const std::string personal = xdg + "/quorbels/";
  EXPECT_EQ(SavePath("opt.dat"), personal + "opt.dat");
  ASSERT_TRUE(fs::is_directory(personal)) << "the personal folder and its parents are created";
  EXPECT_EQ(ReadText(personal + "opt.dat"), OPTIONS_DEFAULT);
  EXPECT_EQ(fs::status(personal).permissions() & fs::perms::all, fs::perms::owner_all)
      << "a new personal folder is private";

  // Later starts use the player's copy, never the default again.
  WriteText(personal + "opt.dat", std::string("\x01\x00\x00\x00\x09\x02\x03", 7));
  EXPECT_EQ(SavePath("opt.dat"), personal + "opt.dat");
  ReadOptionsFile();
  EXPECT_EQ(Options[OPT_FULLSCREEN], 1);
  EXPECT_EQ(Options[OPT_MOUSE_SPEED], 9);

  Options[OPT_SOUND_VOLUME] = 0;
  ASSERT_TRUE(WriteOptionsFile());
  EXPECT_EQ(ReadText(personal + "opt.dat")[OPT_SOUND_VOLUME], 0);
  EXPECT_EQ(ReadText(misc + "opt.dat"), OPTIONS_DEFAULT) << "the installed default is never written";
  EXPECT_FALSE(fs::exists(misc + "opt.dat.tmp"));
}

TEST_F(SaveLocation, ProgressOfAReadOnlyInstallIsSavedPerPlayer) {
  MakeInstalled();
  LoadHighScoreFile();
  HighScores.profile.money = 1234;
  HighScores.profile.storyProgress = 7;
  ASSERT_TRUE(SaveHighScoreFile());

  const std::string personal = xdg + "/quorbels/hsc.dat";
  ASSERT_EQ(fs::file_size(personal), HIGHSCORE_FILE_SIZE);
  EXPECT_EQ(ReadText(misc + "hsc.dat"), std::string(HIGHSCORE_FILE_SIZE, '\x05'));
  HighScores = HighScoreRecord{};
  LoadHighScoreFile();
  EXPECT_EQ(HighScores.profile.money, 1234);
  EXPECT_EQ(HighScores.profile.storyProgress, 7);
}

TEST_F(SaveLocation, WithoutXdgDataHomeTheHomeFolderIsUsed) {
  MakeInstalled();
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(SavePath("hsc.dat"), root + "/home/.local/share/quorbels/hsc.dat");
  EXPECT_EQ(fs::file_size(root + "/home/.local/share/quorbels/hsc.dat"), HIGHSCORE_FILE_SIZE);

  // A relative XDG_DATA_HOME is not a valid base folder and is ignored too.
  setenv("XDG_DATA_HOME", "relative/place", 1);
  EXPECT_EQ(SavePath("opt.dat"), root + "/home/.local/share/quorbels/opt.dat");
  EXPECT_FALSE(fs::exists("relative/place"));
}

TEST_F(SaveLocation, MissingInstalledDefaultIsReportedUnderItsOwnName) {
  ASSERT_EQ(std::remove((misc + "opt.dat").c_str()), 0);
  MakeInstalled();
  EXPECT_EQ(SavePath("opt.dat"), misc + "opt.dat");
  EXPECT_FALSE(fs::exists(xdg + "/quorbels/opt.dat"));
  EXPECT_EXIT(ReadOptionsFile(), ::testing::ExitedWithCode(1), "data/misc/opt.dat");
}

TEST_F(SaveLocation, NoPlaceToWriteEndsTheStartWithAMessageNamingBoth) {
  MakeInstalled();
  WriteText(root + "/blocker", "a file where the folder should be");
  setenv("XDG_DATA_HOME", (root + "/blocker/data").c_str(), 1);
  EXPECT_EXIT(SavePath("hsc.dat"), ::testing::ExitedWithCode(1), "blocker/data/quorbels/hsc.dat.*data/misc/");
}

} // namespace
