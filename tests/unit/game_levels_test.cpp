// The level record layout, the level file and story progression.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/files.h"
#include "game/highscore.h"
#include "game/levels.h"

TEST(LevelRecordLayout, FieldsSitAtTheirOffsets) {
  std::vector<uint8_t> bytes(LEVEL_RECORD_SIZE, 0);
  const char text[] = "Stack them high";
  std::memcpy(bytes.data(), text, sizeof text);
  bytes[768] = 28;
  bytes[769] = 5;
  bytes[770] = 12;
  bytes[771] = 2;
  bytes[772] = 1;
  bytes[773] = 9;
  bytes[774] = 1;
  for (int i = 0; i < 16; ++i) bytes[775 + i] = static_cast<uint8_t>(i + 1);
  bytes[791 + 3 * 12 + 11] = 40; // column 3, row 11
  bytes[934] = 255;              // column 11, row 11
  LevelRecord r = DecodeLevelRecord(bytes.data());
  EXPECT_EQ(LevelText(r), "Stack them high");
  EXPECT_EQ(r.speed, 28);
  EXPECT_EQ(r.drain, 5);
  EXPECT_EQ(r.lines, 12);
  EXPECT_EQ(r.height, 2);
  EXPECT_EQ(r.sizeCode, 1);
  EXPECT_EQ(r.bombChance, 9);
  EXPECT_EQ(r.puzzle, 1);
  EXPECT_EQ(r.sequence[0], 1);
  EXPECT_EQ(r.sequence[15], 16);
  EXPECT_EQ(r.layout[3 * 12 + 11], 40);
  EXPECT_EQ(r.layout[143], 255);

  std::vector<uint8_t> again(LEVEL_RECORD_SIZE, 0xAA);
  EncodeLevelRecord(r, again.data());
  EXPECT_EQ(again, bytes);
}

TEST(LevelRecordLayout, TextWithoutTerminatorStopsAt768) {
  LevelRecord r{};
  std::memset(r.text, 'x', sizeof r.text);
  EXPECT_EQ(LevelText(r).size(), 768u);
}

TEST(LevelRecordLayout, SequenceKindsOutsideTheTemplatesCountAsNoStone) {
  LevelRecord r{};
  r.sequence[0] = 17;
  r.sequence[1] = 18;
  r.sequence[2] = 0;
  r.sequence[3] = 1;
  EXPECT_EQ(PuzzleSequenceKind(r, 0), 17);
  EXPECT_EQ(PuzzleSequenceKind(r, 1), 0);
  EXPECT_EQ(PuzzleSequenceKind(r, 2), 0);
  EXPECT_EQ(PuzzleSequenceKind(r, 3), 1);
  EXPECT_EQ(PuzzleSequenceKind(r, 16), 0);
  EXPECT_EQ(PuzzleSequenceKind(r, -1), 0);
}

TEST(LevelRecordLayout, SizeCodes) {
  EXPECT_EQ(CylinderSizeForCode(0, 12), 8);
  EXPECT_EQ(CylinderSizeForCode(1, 12), 10);
  EXPECT_EQ(CylinderSizeForCode(2, 8), 12);
  EXPECT_EQ(CylinderSizeForCode(3, 10), 10);
  EXPECT_EQ(CylinderSizeForCode(255, 8), 8);
}

TEST(LevelFile, DecodesAllHundredRecordsAndRejectsShortData) {
  std::vector<uint8_t> bytes(LEVEL_FILE_SIZE, 0);
  for (int n = 0; n < LEVEL_RECORDS; ++n) bytes[n * LEVEL_RECORD_SIZE + 770] = static_cast<uint8_t>(n);
  ASSERT_TRUE(DecodeLevelFile(bytes.data(), bytes.size()));
  EXPECT_EQ(LevelTable[0].lines, 0);
  EXPECT_EQ(LevelTable[54].lines, 54);
  EXPECT_EQ(LevelTable[99].lines, 99);
  LevelTable[54].lines = 7;
  EXPECT_FALSE(DecodeLevelFile(bytes.data(), bytes.size() - 1));
  EXPECT_EQ(LevelTable[54].lines, 7) << "a short buffer leaves the table alone";
}

class LevelFileOnDisk : public ::testing::Test {
protected:
  void SetUp() override {
    saved = BaseDir;
    char pattern[] = "/tmp/quorbels-levels-XXXXXX";
    dir = mkdtemp(pattern);
    mkdir((dir + "/data").c_str(), 0755);
    mkdir((dir + "/data/misc").c_str(), 0755);
    BaseDir = dir + "/";
  }
  void TearDown() override {
    std::remove((dir + "/data/misc/levels.qrb").c_str());
    rmdir((dir + "/data/misc").c_str());
    rmdir((dir + "/data").c_str());
    rmdir(dir.c_str());
    BaseDir = saved;
  }
  void Write(size_t size, uint8_t lines3) {
    std::vector<uint8_t> bytes(size, 0);
    if (size > 3 * LEVEL_RECORD_SIZE + 770) bytes[3 * LEVEL_RECORD_SIZE + 770] = lines3;
    std::ofstream(dir + "/data/misc/levels.qrb", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::string dir;
  std::string saved;
};

TEST_F(LevelFileOnDisk, ReadsTheFileBesideTheProgram) {
  Write(LEVEL_FILE_SIZE + 10, 33);
  LoadLevelFile();
  EXPECT_EQ(LevelTable[3].lines, 33);
}

TEST_F(LevelFileOnDisk, MissingFileEndsTheProgramNamingIt) {
  EXPECT_EXIT(LoadLevelFile(), ::testing::ExitedWithCode(1), "levels.qrb");
}

TEST_F(LevelFileOnDisk, ShortFileEndsTheProgramNamingIt) {
  Write(LEVEL_FILE_SIZE - 1, 1);
  EXPECT_EXIT(LoadLevelFile(), ::testing::ExitedWithCode(1), "levels.qrb");
}

TEST(StoryProgress, ClearingTheNewestLevelOpensTheNextUpTo55) {
  HighScores = HighScoreRecord{};
  HighScores.profile.storyProgress = 1;
  RecordStoryLevelCleared(0);
  EXPECT_EQ(HighScores.profile.storyProgress, 2);
  RecordStoryLevelCleared(0);
  EXPECT_EQ(HighScores.profile.storyProgress, 2) << "an older level opens nothing";
  HighScores.profile.storyProgress = 54;
  RecordStoryLevelCleared(53);
  EXPECT_EQ(HighScores.profile.storyProgress, 55);
  RecordStoryLevelCleared(54);
  EXPECT_EQ(HighScores.profile.storyProgress, 55);
}
