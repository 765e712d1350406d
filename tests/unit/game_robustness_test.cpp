// Damaged level records and wild input never break the rules' invariants: every
// stone kind is a template, the anchor stays over the play area, the meter stays
// in 0..100, the shown score never passes the score. Run under the sanitizers this
// also proves that no cell or table is indexed out of range.
#include <random>

#include "game_support.h"

using namespace gametest;

namespace {
void CheckInvariants(int record, int t) {
  for (uint8_t k : StoneRing.kind) {
    ASSERT_GE(k, 1) << "record " << record << " tick " << t;
    ASSERT_LE(k, 17) << "record " << record << " tick " << t;
  }
  ASSERT_TRUE(IsActiveColumn(Anchor.column)) << "record " << record << " tick " << t;
  ASSERT_GE(LevelMeter.value, 0.0f);
  ASSERT_LE(LevelMeter.value, 100.0f);
  ASSERT_LE(CurrentGame.shownScore, CurrentGame.score);
  ASSERT_GE(StoneRing.rotation, 0);
  ASSERT_LE(StoneRing.rotation, 3);
  ASSERT_GE(StoneRing.position, 0.0f);
  ASSERT_LE(StoneRing.position, 2000.0f);
  for (const PieceRecord& p : SuitDrops) ASSERT_LT(p.kind, 4);
}
} // namespace

using Robustness = GameTest;

TEST_F(Robustness, RandomLevelRecordsAndRandomInputKeepTheInvariants) {
  std::mt19937 noise(4711);
  for (int record = 0; record < 120; ++record) {
    LevelRecord r;
    uint8_t* bytes = reinterpret_cast<uint8_t*>(&r);
    for (size_t i = 0; i < sizeof r; ++i) bytes[i] = static_cast<uint8_t>(noise());
    // Mostly sparse layouts so that games last, with odd values sprinkled in.
    for (uint8_t& cell : r.layout) cell = noise() % 4 == 0 ? static_cast<uint8_t>(noise()) : 0;
    r.height = static_cast<uint8_t>(noise() % 14);
    HighScores.profile.storyProgress = static_cast<uint16_t>(noise() % 60);
    ItemSlots[0] = static_cast<uint8_t>(noise() % 10);
    ItemSlots[1] = static_cast<uint8_t>(noise() % 10);
    ItemSlots[2] = static_cast<uint8_t>(noise() % 10);
    LevelTable[30] = r;
    StartLevel(30, 0);
    for (int t = 0; t < 600; ++t) {
      MouseX = static_cast<int32_t>(noise() % 1200) - 200;
      HoverId = static_cast<int32_t>(noise() % 60);
      if (noise() % 4 == 0) DispatchAction(static_cast<uint8_t>(noise() % 13));
      if (noise() % 300 == 0) DreamStone()[0][noise() % 16] = static_cast<uint8_t>(1 + noise() % 2);
      if (CurrentGame.pendingMode == 200) break;
      GameTick();
      CheckInvariants(record, t);
      if (HasFatalFailure()) return;
    }
  }
}

TEST_F(Robustness, LongArcadeGamesOnEverySize) {
  std::mt19937 noise(99);
  for (int size : {8, 10, 12}) {
    StartArcade(size);
    CurrentGame.bombChance = 60;
    LevelMeter.drainPerTick = 0.2f;
    for (int t = 0; t < 5000; ++t) {
      MouseX = static_cast<int32_t>(noise() % 800);
      if (noise() % 3 == 0) DispatchAction(static_cast<uint8_t>(noise() % 4));
      if (CurrentGame.gameOver > 60) {
        HoverId = 44;
        DispatchAction(0);
        LevelMeter.drainPerTick = 0.2f;
      }
      GameTick();
      CheckInvariants(size, t);
      if (HasFatalFailure()) return;
      ASSERT_EQ(CylinderSize, size);
    }
  }
}
