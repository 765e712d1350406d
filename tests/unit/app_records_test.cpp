// The two files the program writes (the 7-byte options record and the 1092-byte
// high-score record with the player's profile), the save at exit, and the stone
// rotation tables built at start-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "app/program.h"
#include "core/files.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "platform/platform.h"

namespace {
std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

// Runs `write` while the process may open no more files, so that the temporary
// file of a save cannot be made (the superuser ignores permissions, so a
// read-only folder would not do).
bool WithoutFreeFileDescriptors(bool (*write)()) {
  rlimit saved{};
  getrlimit(RLIMIT_NOFILE, &saved);
  int lowestFree = dup(0);
  close(lowestFree);
  rlimit none = saved;
  none.rlim_cur = static_cast<rlim_t>(lowestFree);
  setrlimit(RLIMIT_NOFILE, &none);
  bool result = write();
  setrlimit(RLIMIT_NOFILE, &saved);
  return result;
}

// A data folder of its own for every test: <tmp>/data/misc.
class PlayerFiles : public testing::Test {
protected:
  std::string root;
  std::string savedBaseDir;
  void SetUp() override {
    PlatformShowMessageBoxes(false);
    char pattern[] = "/tmp/quorbels-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = std::string(pattern) + "/";
    mkdir((root + "data").c_str(), 0755);
    mkdir((root + "data/misc").c_str(), 0755);
    savedBaseDir = BaseDir;
    BaseDir = root;
  }
  void TearDown() override {
    BaseDir = savedBaseDir;
    std::string command = "rm -rf '" + root + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  std::string OptionsPath() const { return root + "data/misc/opt.dat"; }
  // The names in data/misc, sorted, each followed by a blank.
  std::string MiscFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root + "data/misc"))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string all;
    for (const std::string& name : names) all += name + " ";
    return all;
  }
  std::string SavePath() const { return root + "data/misc/hsc.dat"; }

  // A 1092-byte record with every field set to something recognisable.
  static std::vector<uint8_t> SampleSave() {
    std::vector<uint8_t> b(1092, 0);
    for (int t = 0; t < 3; ++t) {
      for (int i = 0; i < 10; ++i) {
        size_t off = static_cast<size_t>(t) * 360 + static_cast<size_t>(i) * 36;
        int32_t score = (t + 1) * 1000 + i * 10;
        std::memcpy(&b[off], &score, 4); // little-endian on this machine
        b[off + 4] = 3;
        b[off + 5] = static_cast<uint8_t>('A' + t);
        b[off + 6] = static_cast<uint8_t>('0' + i);
        b[off + 7] = 'Z';
        b[off + 35] = 0;
      }
    }
    b[1080] = 0x2A; // progress 42
    b[1081] = 0x00;
    b[1082] = 5;
    b[1083] = 0;
    b[1084] = 8;
    b[1088] = 0x39; // money 12345 = 0x3039
    b[1089] = 0x30;
    return b;
  }
};
} // namespace

TEST_F(PlayerFiles, OptionsAreTheFirstSevenBytesOfTheFile) {
  WriteBytes(OptionsPath(), {1, 1, 0, 1, 4, 7, 7, 9, 9, 9});
  std::memset(Options, 0xEE, sizeof Options);
  ReadOptionsFile();
  const uint8_t expected[7] = {1, 1, 0, 1, 4, 7, 7};
  EXPECT_EQ(std::memcmp(Options, expected, 7), 0);
  // Reading never changes the file.
  EXPECT_EQ(ReadBytes(OptionsPath()).size(), 10u);
}

TEST_F(PlayerFiles, EveryOptionIsBroughtIntoTheRangeTheScreenOffers) {
  // Switches become 0 or 1 (anything else counts as on), digits at most 9. An
  // instructions switch of 2 would open an overlay that is never drawn and that
  // takes every click, so no game could be played.
  struct Case {
    std::vector<uint8_t> file, held;
  };
  for (const Case& c : {Case{{2, 255, 7, 0, 12, 10, 200}, {1, 1, 1, 0, 9, 9, 9}},
                        Case{{0, 1, 0, 1, 9, 0, 9}, {0, 1, 0, 1, 9, 0, 9}},
                        Case{{128, 0, 1, 64, 0, 255, 10}, {1, 0, 1, 1, 0, 9, 9}}}) {
    WriteBytes(OptionsPath(), c.file);
    ReadOptionsFile();
    EXPECT_EQ(std::vector<uint8_t>(Options, Options + 7), c.held);
    EXPECT_EQ(ReadBytes(OptionsPath()), c.file) << "reading never changes the file";
  }
}

TEST_F(PlayerFiles, AMissingOptionsFileEndsTheProgramNamingIt) {
  EXPECT_EXIT(ReadOptionsFile(), testing::ExitedWithCode(1), "data/misc/opt.dat");
  EXPECT_FALSE(Exists(OptionsPath())); // no defaults are made up and stored
}

TEST_F(PlayerFiles, AShortOptionsFileEndsTheProgramAndStaysAsItIs) {
  WriteBytes(OptionsPath(), {0, 1, 1, 1, 4, 7});
  EXPECT_EXIT(ReadOptionsFile(), testing::ExitedWithCode(1), "opt.dat.*too short");
  EXPECT_EQ(ReadBytes(OptionsPath()), (std::vector<uint8_t>{0, 1, 1, 1, 4, 7}));
}

TEST_F(PlayerFiles, WritingTheOptionsReplacesTheFileWithExactlySevenBytes) {
  WriteBytes(OptionsPath(), {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  const uint8_t values[7] = {0, 0, 1, 1, 9, 0, 3};
  std::memcpy(Options, values, 7);
  ASSERT_TRUE(WriteOptionsFile());
  EXPECT_EQ(ReadBytes(OptionsPath()), (std::vector<uint8_t>{0, 0, 1, 1, 9, 0, 3}));
  EXPECT_EQ(MiscFiles(), "opt.dat ") << "no temporary file is left";
}

TEST_F(PlayerFiles, AFailedOptionsWriteIsReportedAndKeepsTheOldFile) {
  WriteBytes(OptionsPath(), {1, 0, 0, 0, 0, 0, 0});
  int messages = PlatformMessageCount();
  std::memset(Options, 5, sizeof Options);
  EXPECT_FALSE(WithoutFreeFileDescriptors(WriteOptionsFile));
  EXPECT_EQ(PlatformMessageCount(), messages + 1);
  EXPECT_NE(std::string(PlatformLastMessageText()).find("opt.dat"), std::string::npos);
  EXPECT_EQ(ReadBytes(OptionsPath()), (std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 0}));
}

TEST_F(PlayerFiles, TheSaveRecordIsReadFromItsFixedOffsets) {
  std::vector<uint8_t> bytes = SampleSave();
  bytes[720 + 9 * 36 + 4] = 40; // a name length beyond 30
  HighScoreRecord r = DecodeHighScores(bytes.data());
  EXPECT_EQ(r.tables[0][0].score, 1000);
  EXPECT_EQ(r.tables[1][9].score, 2090);
  EXPECT_EQ(r.tables[2][3].score, 3030);
  EXPECT_EQ(EntryName(r.tables[1][4]), "B4Z");
  EXPECT_EQ(r.profile.storyProgress, 42);
  EXPECT_EQ(r.profile.money, 12345);
  EXPECT_EQ(r.slots[0], 5);
  EXPECT_EQ(r.slots[1], 0);
  EXPECT_EQ(r.slots[2], 8);
  // The stored length is kept, but a name never reads past its 30 characters.
  EXPECT_EQ(r.tables[2][9].nameLength, 40);
  EXPECT_EQ(EntryName(r.tables[2][9]).size(), 30u);
  // And it is written back exactly as it was read.
  EXPECT_EQ(EncodeHighScores(r), bytes);
}

TEST_F(PlayerFiles, NegativeScoresAndMoneyAreSignedLittleEndian) {
  std::vector<uint8_t> bytes(1092, 0);
  bytes[0] = 0xFF; // score of entry 0 of the first table: -1
  bytes[1] = 0xFF;
  bytes[2] = 0xFF;
  bytes[3] = 0xFF;
  bytes[1088] = 0x00; // money -256
  bytes[1089] = 0xFF;
  bytes[1090] = 0xFF;
  bytes[1091] = 0xFF;
  bytes[1080] = 0x34; // progress 0x1234
  bytes[1081] = 0x12;
  HighScoreRecord r = DecodeHighScores(bytes.data());
  EXPECT_EQ(r.tables[0][0].score, -1);
  EXPECT_EQ(r.profile.money, -256);
  EXPECT_EQ(r.profile.storyProgress, 0x1234);
}

TEST_F(PlayerFiles, LoadingTheSaveFillsTheItemSlots) {
  std::vector<uint8_t> bytes = SampleSave();
  bytes.resize(1200, 0x77); // bytes beyond the record are ignored
  WriteBytes(SavePath(), bytes);
  ItemSlots[0] = ItemSlots[1] = ItemSlots[2] = 1;
  LoadHighScoreFile();
  EXPECT_EQ(ItemSlots[0], 5);
  EXPECT_EQ(ItemSlots[1], 0);
  EXPECT_EQ(ItemSlots[2], 8);
  EXPECT_EQ(HighScores.profile.storyProgress, 42);
  EXPECT_EQ(HighScores.tables[0][0].score, 1000);
}

TEST_F(PlayerFiles, AShortSaveEndsTheProgramNamingIt) {
  WriteBytes(SavePath(), std::vector<uint8_t>(1091, 0));
  EXPECT_EXIT(LoadHighScoreFile(), testing::ExitedWithCode(1), "data/misc/hsc.dat");
  EXPECT_EXIT(
      {
        unlink(SavePath().c_str());
        LoadHighScoreFile();
      },
      testing::ExitedWithCode(1), "hsc.dat");
}

TEST_F(PlayerFiles, LoadedMoneyIsBroughtIntoZeroToTheCap) {
  struct Case {
    int32_t stored, held;
  };
  for (Case c : {Case{12345, 12345}, Case{MONEY_CAP, MONEY_CAP}, Case{MONEY_CAP + 1, MONEY_CAP},
                 Case{INT32_MAX, MONEY_CAP}, Case{-256, 0}, Case{INT32_MIN, 0}}) {
    std::vector<uint8_t> bytes = SampleSave();
    std::memcpy(&bytes[1088], &c.stored, 4); // little-endian on this machine
    WriteBytes(SavePath(), bytes);
    LoadHighScoreFile();
    EXPECT_EQ(HighScores.profile.money, c.held) << c.stored;
    EXPECT_EQ(HighScores.profile.storyProgress, 42) << "other values stay as read";
  }
}

TEST_F(PlayerFiles, SavingWritesTheRecordWithTheLiveItemSlots) {
  WriteBytes(SavePath(), SampleSave());
  LoadHighScoreFile();
  ItemSlots[0] = 0;
  ItemSlots[1] = 2;
  ItemSlots[2] = 7;
  HighScores.profile.money = 99;
  ASSERT_TRUE(SaveHighScoreFile());
  std::vector<uint8_t> expected = SampleSave();
  expected[1082] = 0;
  expected[1083] = 2;
  expected[1084] = 7;
  expected[1088] = 99;
  expected[1089] = 0;
  EXPECT_EQ(ReadBytes(SavePath()), expected);
  EXPECT_EQ(MiscFiles(), "hsc.dat ") << "no temporary file is left";
}

TEST_F(PlayerFiles, AFailedSaveIsReportedAndTheOldSaveSurvives) {
  WriteBytes(SavePath(), SampleSave());
  LoadHighScoreFile();
  HighScores.profile.money = 1;
  int messages = PlatformMessageCount();
  EXPECT_FALSE(WithoutFreeFileDescriptors(SaveHighScoreFile));
  EXPECT_EQ(PlatformMessageCount(), messages + 1);
  EXPECT_NE(std::string(PlatformLastMessageText()).find("hsc.dat"), std::string::npos);
  EXPECT_EQ(ReadBytes(SavePath()), SampleSave());
}

TEST_F(PlayerFiles, ExitSavesOnceButNotWhileADisplaySwitchClosesTheWindow) {
  WriteBytes(SavePath(), SampleSave());
  LoadHighScoreFile();
  HighScores.profile.storyProgress = 55;

  RestartPending = 1;
  ShutdownGame();
  EXPECT_EQ(ReadBytes(SavePath()), SampleSave());
  EXPECT_EQ(RestartPending, 1);

  RestartPending = 0;
  ShutdownGame();
  std::vector<uint8_t> saved = ReadBytes(SavePath());
  ASSERT_EQ(saved.size(), 1092u);
  EXPECT_EQ(saved[1080], 55);
  EXPECT_EQ(saved[1081], 0);
  EXPECT_EQ(RestartPending, 0);
}

TEST(StoneRotations, BombKindsAreTheShapesOfKindsOneToEightWithOneBomb) {
  InitStoneTemplates();
  for (int kind = 1; kind <= 8; ++kind) {
    for (int r = 0; r < 4; ++r) {
      int bombs = 0;
      for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(StoneTemplates[kind][r][i] != 0, StoneTemplates[kind + 8][r][i] != 0)
            << "kind " << kind << " rotation " << r << " byte " << i;
        EXPECT_LE(StoneTemplates[kind][r][i], 1);
        bombs += StoneTemplates[kind + 8][r][i] == 2;
      }
      EXPECT_EQ(bombs, 1) << "kind " << kind + 8 << " rotation " << r;
    }
  }
}

TEST(StoneRotations, EachRotationIsAQuarterTurnOfTheOneBefore) {
  InitStoneTemplates();
  // Kind 3 (an L): rows 0000 / 0111 / 0100 / 0000 turned clockwise stand upright.
  const uint8_t expected[16] = {0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0};
  EXPECT_EQ(std::memcmp(StoneTemplates[3][1], expected, 16), 0);
  for (int kind = 1; kind <= 16; ++kind) {
    uint8_t turned[16];
    for (int r = 0; r < 4; ++r) {
      RotateQuarterClockwise(StoneTemplates[kind][r], turned);
      EXPECT_EQ(std::memcmp(turned, StoneTemplates[kind][(r + 1) % 4], 16), 0)
          << "kind " << kind << " rotation " << r;
    }
  }
  // The dream stone starts empty.
  for (int r = 0; r < 4; ++r)
    for (int i = 0; i < 16; ++i) EXPECT_EQ(StoneTemplates[DREAM_KIND][r][i], 0);
}

TEST(StoneRotations, FourQuarterTurnsGiveTheSameStone) {
  uint8_t any[16];
  for (int i = 0; i < 16; ++i) any[i] = static_cast<uint8_t>(i * 7 % 3);
  uint8_t a[16], b[16];
  std::memcpy(a, any, 16);
  for (int k = 0; k < 4; ++k) {
    RotateQuarterClockwise(a, b);
    std::memcpy(a, b, 16);
  }
  EXPECT_EQ(std::memcmp(a, any, 16), 0);
  // One turn of a single box at the top left carries it to the top right.
  uint8_t corner[16] = {1};
  RotateQuarterClockwise(corner, b);
  EXPECT_EQ(b[3], 1);
}
