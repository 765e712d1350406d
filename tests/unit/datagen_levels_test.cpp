// The generated story levels, read back with the game's own level decoder: 55
// titled levels whose tuning climbs through the regions, sensible starting
// layouts, puzzles with enough stones to finish, and empty spare records.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/font.h"
#include "core/files.h"
#include "frontend/menu.h"
#include "game/levels.h"
#include "game/meter.h"
#include "game/state.h"
#include "game/tick.h"
#include "support/generated_data.h"
#include "support/headless_game.h"

namespace {

// Boxes of rotation 0 of stone kinds 1..16 (bomb stones count their bomb box too).
int StoneBoxes(int kind) {
  return kind == 2 || kind == 10 ? 5 : 4;
}

class GeneratedLevels : public ::testing::Test {
protected:
  void SetUp() override {
    std::string dir = GeneratedDataDir();
    if (dir.empty()) GTEST_SKIP() << "QUORBELS_DATA names no generated data folder";
    ASSERT_TRUE(ReadWholeFile(dir + "misc/levels.qrb", bytes));
    ASSERT_TRUE(ReadWholeFile(dir + "misc/font.dat", font));
    ASSERT_TRUE(DecodeLevelFile(bytes.data(), bytes.size()));
  }
  static int Size(const LevelRecord& r) { return 8 + 2 * r.sizeCode; }
  static int First(const LevelRecord& r) { return (12 - Size(r)) / 2; }
  static uint8_t At(const LevelRecord& r, int column, int row) {
    return r.layout[column * LAYOUT_SIZE + row];
  }
  static bool Normal(int n) { return LevelTable[n].puzzle == 0; }
  std::vector<uint8_t> bytes, font;
};

TEST_F(GeneratedLevels, FileHoldsExactlyOneHundredRecords) {
  EXPECT_EQ(bytes.size(), 93500u);
}

TEST_F(GeneratedLevels, SpareRecordsAreZero) {
  for (size_t i = STORY_LEVELS * LEVEL_RECORD_SIZE; i < bytes.size(); ++i)
    ASSERT_EQ(bytes[i], 0) << "byte " << i << " of record " << i / LEVEL_RECORD_SIZE + 1;
}

TEST_F(GeneratedLevels, EveryStoryLevelHasATitleThatFitsItsSpeechBubble) {
  DecodeFontWidths(font.data(), FontWidths);
  for (int n = 0; n < STORY_LEVELS; ++n) {
    const LevelRecord& r = LevelTable[n];
    ASSERT_NE(std::memchr(r.text, 0, LEVEL_TEXT_SIZE), nullptr) << "level " << n + 1;
    std::string title = LevelText(r);
    EXPECT_GE(title.size(), 4u) << "level " << n + 1;
    // The map's bubble spans from x = 598 - width to 642: it must stay on screen.
    int width = TextWidth(title, 20);
    EXPECT_GT(width, 0) << title;
    EXPECT_LE(width, 560) << title;
    for (unsigned char c : title) EXPECT_TRUE(c >= 32 && c < 127) << title;
  }
}

TEST_F(GeneratedLevels, CylinderWidensFromRegionToRegion) {
  for (int n = 0; n < STORY_LEVELS; ++n) {
    int expected = n < 20 ? 0 : n < 40 ? 1 : 2;
    EXPECT_EQ(LevelTable[n].sizeCode, expected) << "level " << n + 1;
  }
}

// Normal levels in story order (puzzles stand apart): stones only get faster, the
// potion only drains sooner, bombs only come more often and the danger line only
// comes down, each by a small step. The line target rises by at most one and falls
// only where the cylinder widens, and even there the boxes to clear do not fall.
TEST_F(GeneratedLevels, NormalLevelsGrowHarderStepByStep) {
  const LevelRecord* last = nullptr;
  for (int n = 0; n < STORY_LEVELS; ++n) {
    if (!Normal(n)) continue;
    const LevelRecord& r = LevelTable[n];
    SCOPED_TRACE("level " + std::to_string(n + 1));
    EXPECT_GE(r.speed, 20);
    EXPECT_LE(r.speed, 40);
    EXPECT_GE(r.drain, 1) << "the potion drains in every normal level";
    EXPECT_LE(r.drain, 10);
    EXPECT_GE(r.lines, 5);
    EXPECT_LE(r.lines, 40);
    EXPECT_GE(12 - r.height, 8) << "room to build";
    EXPECT_LE(r.bombChance, 20);
    for (uint8_t kind : r.sequence) EXPECT_EQ(kind, 0) << "random stones only";
    if (last != nullptr) {
      EXPECT_GE(r.speed, last->speed);
      EXPECT_LE(r.speed, last->speed + 1);
      EXPECT_GE(r.drain, last->drain);
      EXPECT_LE(r.drain, last->drain + 1);
      EXPECT_GE(r.height, last->height) << "the danger line never goes back up";
      EXPECT_LE(r.height, last->height + 1);
      EXPECT_GE(r.bombChance, last->bombChance);
      EXPECT_LE(r.bombChance, last->bombChance + 3);
      EXPECT_LE(r.lines, last->lines + 1);
      if (Size(r) == Size(*last)) {
        EXPECT_GE(r.lines, last->lines);
      }
      EXPECT_GE(r.lines * Size(r), last->lines * Size(*last)) << "boxes to clear";
    }
    last = &r;
  }
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->speed, 40) << "the last level is as fast as the game gets";
  EXPECT_EQ(last->drain, 10);
  EXPECT_EQ(12 - last->height, 8);
}

// The story's balance, printed as a table (one row per level, then one per region;
// boxes are lines times the cylinder width): no region holds more than 35 % of the
// lines to remove, and from the second region on a full potion runs dry within five
// minutes in every normal level. A level's region is the theme its map spot plays
// in, which is also the part of the drawn map the spot lies in. The potion's time
// is measured with the game's own meter step, tick by tick, from the start of the
// level until it pushes a tube line in.
TEST_F(GeneratedLevels, LinesSpreadOverTheRegionsAndThePotionMattersFromTheSecondRegion) {
  const char* const regionNames[5] = {"Forest", "City", "Desert", "Beach", "Mountain"};
  constexpr int32_t METER_LIMIT = 30000; // ticks of 10 ms: five minutes
  int regionLines[5] = {}, regionBoxes[5] = {}, regionLevels[5] = {};
  int totalLines = 0, totalBoxes = 0;
  const int firstRegion = ThemeForSpot(1);
  bool secondRegion = false;
  std::printf("level region   puzzle lines boxes meter_s speed danger size bombs  title\n");
  for (int n = 0; n < STORY_LEVELS; ++n) {
    const LevelRecord& r = LevelTable[n];
    const int region = ThemeForSpot(n + 1);
    ASSERT_GE(region, 1);
    ASSERT_LE(region, 5);
    secondRegion |= region != firstRegion;
    const int boxes = r.lines * Size(r);
    regionLines[region - 1] += r.lines;
    regionBoxes[region - 1] += boxes;
    regionLevels[region - 1] += 1;
    totalLines += r.lines;
    totalBoxes += boxes;

    ResetHeadlessGame(1);
    StartLevel(static_cast<uint16_t>(n), 0);
    int32_t meterTicks = 0;
    for (int32_t t = 1; t <= 10 * METER_LIMIT && meterTicks == 0; ++t) {
      UpdateMeter();
      if (LevelMeter.refillFlash != 0) meterTicks = t; // the tube line came in
    }
    char meter[16] = "never";
    if (meterTicks > 0) std::snprintf(meter, sizeof meter, "%.1f", meterTicks / 100.0);
    std::printf("%5d %-8s %-6s %5d %5d %7s %5d %6d %4d %5d  %s\n", n + 1, regionNames[region - 1],
                r.puzzle ? "yes" : "", r.lines, boxes, meter, r.speed, 12 - r.height, Size(r), r.bombChance,
                LevelText(r).c_str());
    if (secondRegion && Normal(n)) {
      EXPECT_GT(meterTicks, 0) << "level " << n + 1;
      EXPECT_LE(meterTicks, METER_LIMIT) << "level " << n + 1 << ": a full potion lasts too long";
    }
  }
  std::printf("region   levels lines share boxes share\n");
  for (int k = 0; k < 5; ++k) {
    const double lineShare = 100.0 * regionLines[k] / totalLines;
    std::printf("%-8s %6d %5d %4.1f%% %5d %4.1f%%\n", regionNames[k], regionLevels[k], regionLines[k],
                lineShare, regionBoxes[k], 100.0 * regionBoxes[k] / totalBoxes);
    EXPECT_GT(regionLevels[k], 0) << regionNames[k];
    EXPECT_LE(lineShare, 35.0) << regionNames[k] << " holds too many of the story's lines";
  }
}

TEST_F(GeneratedLevels, StartingLayoutsArePlayable) {
  int withBoxes = 0, withTubes = 0;
  for (int n = 0; n < STORY_LEVELS; ++n) {
    const LevelRecord& r = LevelTable[n];
    SCOPED_TRACE("level " + std::to_string(n + 1));
    int top = 12;
    bool boxes = false, tubes = false;
    for (int c = 0; c < LAYOUT_SIZE; ++c) {
      for (int row = 0; row < LAYOUT_SIZE; ++row) {
        uint8_t v = At(r, c, row);
        if (v == 0) continue;
        EXPECT_TRUE((v >= 1 && v <= 9) || v == 40 || v == 100 || v == 255) << int(v);
        // A box outside the cylinder would only fall off on the first tick.
        EXPECT_TRUE(c >= First(r) && c < First(r) + Size(r)) << "column " << c;
        top = std::min(top, row);
        boxes |= v >= 1 && v <= 9;
        tubes |= v == 40;
      }
    }
    // No row is complete at the start, and the construction starts below the danger line.
    for (int row = 0; row < LAYOUT_SIZE; ++row) {
      bool complete = true;
      for (int c = First(r); c < First(r) + Size(r); ++c)
        complete &= At(r, c, row) != 0 && At(r, c, row) != 40;
      EXPECT_FALSE(complete) << "row " << row;
    }
    int dangerHeight = 12 - r.height;
    EXPECT_LT(12 - top, dangerHeight + 1);
    if (Normal(n)) {
      withBoxes += boxes;
      withTubes += tubes;
    }
  }
  EXPECT_GE(withBoxes, 4) << "a few levels start with boxes in place";
  EXPECT_GE(withTubes, 3) << "a few levels start with tube rows";
}

TEST_F(GeneratedLevels, PuzzlesHaveEnoughStonesToClearTheirRows) {
  int puzzles = 0;
  for (int n = 0; n < STORY_LEVELS; ++n) {
    const LevelRecord& r = LevelTable[n];
    if (!r.puzzle) continue;
    ++puzzles;
    SCOPED_TRACE("level " + std::to_string(n + 1));
    EXPECT_GE(r.lines, 1);
    EXPECT_EQ(r.drain, 0);
    EXPECT_EQ(r.bombChance, 0);
    // Kinds 1..17 in order, then zeros only (a zero would otherwise hand out an
    // empty stone in the middle of the sequence).
    int stones = 0, boxes = 0;
    bool ended = false;
    for (int i = 0; i < PUZZLE_SEQUENCE_LENGTH; ++i) {
      uint8_t kind = r.sequence[i];
      if (kind == 0) {
        ended = true;
        continue;
      }
      EXPECT_FALSE(ended) << "stone after the end of the sequence";
      EXPECT_GE(kind, 1);
      EXPECT_LE(kind, 16) << "the dream stone is empty in a puzzle";
      ++stones;
      boxes += StoneBoxes(kind);
    }
    EXPECT_GE(stones, 2);
    // The rows to clear are the lowest rows that are not tube rows; every hole in
    // them needs a box from the sequence.
    int holes = 0, rows = 0;
    for (int row = 11; row >= 0 && rows < r.lines; --row) {
      bool tubeRow = false;
      for (int c = First(r); c < First(r) + Size(r); ++c) tubeRow |= At(r, c, row) == 40;
      if (tubeRow) continue;
      for (int c = First(r); c < First(r) + Size(r); ++c) holes += At(r, c, row) == 0;
      ++rows;
    }
    EXPECT_EQ(rows, r.lines);
    EXPECT_GE(boxes, holes);
  }
  EXPECT_GE(puzzles, 8);
}

} // namespace
