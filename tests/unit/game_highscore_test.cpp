// Name entry for a new high score and insertion into the hall of fame.
#include "game_support.h"
#include "play/name_entry.h"

using namespace gametest;

namespace {
void SetTable(int t, const int (&scores)[10]) {
  for (int i = 0; i < 10; ++i) {
    HighScores.tables[t][i] = HighScoreEntry{};
    HighScores.tables[t][i].score = scores[i];
    HighScores.tables[t][i].nameLength = 1;
    HighScores.tables[t][i].name[0] = static_cast<char>('a' + i);
  }
}
} // namespace

using HighScoreInsert = GameTest;

TEST_F(HighScoreInsert, FreshTableTakesAScoreOfZeroAtTheTop) {
  CylinderSize = 8;
  EXPECT_TRUE(ScoreQualifies(0, 8));
  InsertHighScore("ZED", 0);
  EXPECT_EQ(LastInsertSize, 8);
  EXPECT_EQ(LastInsertIndex, 9);
  EXPECT_EQ(EntryName(HighScores.tables[0][9]), "ZED");
}

TEST_F(HighScoreInsert, TieRanksTheNewerEntryHigherAndTheLowestDropsOut) {
  CylinderSize = 10;
  SetTable(1, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
  EXPECT_TRUE(ScoreQualifies(50, 10));
  InsertHighScore("NEW", 50);
  const int expected[10] = {20, 30, 40, 50, 50, 60, 70, 80, 90, 100};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(HighScores.tables[1][i].score, expected[i]) << i;
  EXPECT_EQ(EntryName(HighScores.tables[1][3]), "e") << "the old 50";
  EXPECT_EQ(EntryName(HighScores.tables[1][4]), "NEW");
  EXPECT_EQ(LastInsertIndex, 4);
  EXPECT_EQ(LastInsertSize, 10);
  EXPECT_EQ(HighScores.tables[0][0].score, 0) << "other tables untouched";
}

TEST_F(HighScoreInsert, ScoreBelowTheTableChangesNothing) {
  CylinderSize = 12;
  SetTable(2, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
  EXPECT_FALSE(ScoreQualifies(9, 12));
  EXPECT_TRUE(ScoreQualifies(10, 12));
  LastInsertSize = 8;
  LastInsertIndex = 2;
  InsertHighScore("LOW", 9);
  EXPECT_EQ(HighScores.tables[2][0].score, 10);
  EXPECT_EQ(LastInsertSize, 8);
  EXPECT_EQ(LastInsertIndex, 2);
}

TEST_F(HighScoreInsert, BestScoreGoesToTheTopAndNamesAreCutAtThirty) {
  CylinderSize = 12;
  SetTable(2, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
  InsertHighScore(std::string(40, 'Q'), 1000);
  EXPECT_EQ(HighScores.tables[2][9].score, 1000);
  EXPECT_EQ(HighScores.tables[2][9].nameLength, 30);
  EXPECT_EQ(HighScores.tables[2][8].score, 100);
  EXPECT_EQ(HighScores.tables[2][0].score, 20);
  EXPECT_EQ(LastInsertIndex, 9);
}

using NameEntry = GameTest;

TEST_F(NameEntry, HeldLetterRepeatsEveryTwentyTicks) {
  StartArcade(12);
  NameEntryActive = 1;
  CurrentGame.gameOver = 60;
  NameEntryKey('A');
  EXPECT_EQ(PlayerName, "A");
  EXPECT_EQ(KeyRepeatDelay[size_t{'A'}], 20);
  for (int k = 0; k < 19; ++k) {
    GameTick();
    NameEntryKey('A');
  }
  EXPECT_EQ(PlayerName, "A");
  GameTick();
  NameEntryKey('A');
  EXPECT_EQ(PlayerName, "AA");
}

TEST_F(NameEntry, BackspaceRepeatsEveryTenTicks) {
  StartArcade(12);
  NameEntryActive = 1;
  PlayerName = "ABCD";
  NameEntryKey(8);
  EXPECT_EQ(PlayerName, "ABC");
  EXPECT_EQ(KeyRepeatDelay[8], 10);
  for (int k = 0; k < 10; ++k) GameTick();
  NameEntryKey(8);
  EXPECT_EQ(PlayerName, "AB");
  PlayerName.clear();
  KeyRepeatDelay[8] = 0;
  NameEntryKey(8);
  EXPECT_TRUE(PlayerName.empty());
}

TEST_F(NameEntry, DelaysOnlyRunWhileTheEntryIsOpen) {
  StartArcade(12);
  KeyRepeatDelay[size_t{'B'}] = 5;
  NameEntryActive = 0;
  GameTick();
  EXPECT_EQ(KeyRepeatDelay[size_t{'B'}], 5);
}

TEST_F(NameEntry, TwelveCharactersAtMostAndOnlyLettersAndBlanks) {
  StartArcade(12);
  NameEntryActive = 1;
  NameEntryKey('1');
  EXPECT_TRUE(PlayerName.empty());
  EXPECT_EQ(KeyRepeatDelay[size_t{'1'}], 20);
  NameEntryKey(' ');
  NameEntryKey('a'); // 97 is a function key code, not a letter
  EXPECT_EQ(PlayerName, " ");
  PlayerName = "ABCDEFGHIJKL";
  NameEntryKey('M');
  NameEntryKey(' ');
  EXPECT_EQ(PlayerName, "ABCDEFGHIJKL");
  NameEntryKey(8);
  EXPECT_EQ(PlayerName, "ABCDEFGHIJK");
}

TEST_F(NameEntry, EnterConfirmsLikeOkAndInsertsEvenAnEmptyName) {
  StartArcade(8);
  NameEntryActive = 1;
  CurrentGame.gameOver = 100;
  CurrentGame.score = 40;
  NameEntryKey(13);
  EXPECT_EQ(HoverId, 3);
  EXPECT_EQ(NameEntryActive, 0);
  EXPECT_EQ(CurrentGame.pendingMode, 200);
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  EXPECT_EQ(HighScores.tables[0][9].score, 40);
  EXPECT_EQ(HighScores.tables[0][9].nameLength, 0);
  EXPECT_EQ(LastInsertIndex, 9);
}

TEST_F(NameEntry, FullNameStillAcceptsEnter) {
  StartArcade(10);
  NameEntryActive = 1;
  CurrentGame.gameOver = 100;
  CurrentGame.score = 5;
  PlayerName = "ABCDEFGHIJKL";
  NameEntryKey(13);
  EXPECT_EQ(EntryName(HighScores.tables[1][9]), "ABCDEFGHIJKL");
}
