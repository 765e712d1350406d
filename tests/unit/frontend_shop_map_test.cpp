// The shop's trade rules, the level map's spot geometry and pulse, the title logos'
// drop-in and the hall of fame's highlight: the arithmetic behind the drawings.
#include <gtest/gtest.h>

#include <vector>

#include "assets/sound.h"
#include "core/input.h"
#include "frontend/hall_of_fame.h"
#include "frontend/level_map.h"
#include "frontend/menu.h"
#include "frontend/menu_screens.h"
#include "frontend/shop.h"
#include "game/highscore.h"
#include "game/state.h"
#include "support/sound_log.h"

namespace {
class Shop : public ::testing::Test {
protected:
  void SetUp() override {
    ListenToSounds();
    HighScores = HighScoreRecord{};
    HighScores.profile.storyProgress = 10;
    ItemSlots[0] = ItemSlots[1] = ItemSlots[2] = 0;
    MenuScreen = SCREEN_SHOP;
    HoverId = HoverSpot = 0;
    StoryIntroSeen = 1;
  }
  void TearDown() override { SetSoundObserver(nullptr); }
  void Click(int32_t id) {
    HoverId = id;
    MenuClick();
  }
};

TEST_F(Shop, PricesFollowTheCatalogue) {
  const int32_t expected[8] = {100, 200, 200, 400, 500, 50, 300, 700};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(ItemPrices[k], expected[k]);
}

TEST_F(Shop, BuyingFillsTheFirstEmptySlotAndCostsThePrice) {
  HighScores.profile.money = 1000;
  ItemSlots[1] = Hourglass;
  Click(2); // Two Lines into F1
  EXPECT_EQ(ItemSlots[0], TwoLines);
  EXPECT_EQ(HighScores.profile.money, 800);
  Click(8); // Potion into F3, F2 being full
  EXPECT_EQ(ItemSlots[2], Potion);
  EXPECT_EQ(HighScores.profile.money, 100);
  EXPECT_EQ(Played(SND_BUY), 2);

  Click(31); // sell F2
  EXPECT_EQ(ItemSlots[1], 0);
  EXPECT_EQ(HighScores.profile.money, 150);
  EXPECT_EQ(Played(SND_SELL), 1);
  Click(1);
  EXPECT_EQ(ItemSlots[1], OneLine);
  EXPECT_EQ(HighScores.profile.money, 50);
  EXPECT_EQ(MenuScreen, SCREEN_SHOP);
}

TEST_F(Shop, WithEverySlotFullABuyDoesNothingAtAll) {
  HighScores.profile.money = 5000;
  ItemSlots[0] = OneLine;
  ItemSlots[1] = OneTube;
  ItemSlots[2] = Aimhelp;
  Click(4);
  EXPECT_EQ(HighScores.profile.money, 5000);
  EXPECT_EQ(ItemSlots[0], OneLine);
  EXPECT_EQ(ItemSlots[1], OneTube);
  EXPECT_EQ(ItemSlots[2], Aimhelp);
  EXPECT_TRUE(SoundLog().empty());
}

TEST_F(Shop, SellingAlwaysReturnsFifty) {
  HighScores.profile.money = 700;
  Click(8);
  ASSERT_EQ(HighScores.profile.money, 0);
  Click(30);
  EXPECT_EQ(HighScores.profile.money, 50);
  EXPECT_EQ(ItemSlots[0], 0);
}

TEST_F(Shop, RepeatedClicksBeforeTheNextFrameNeverGoIntoDebtOrSellTwice) {
  // Both clicks act on the label drawn while the money still covered the price.
  HighScores.profile.money = 500;
  Click(5);
  Click(5);
  EXPECT_EQ(HighScores.profile.money, 0);
  EXPECT_EQ(ItemSlots[0], Aimhelp);
  EXPECT_EQ(ItemSlots[1], 0);
  Click(30);
  Click(30);
  EXPECT_EQ(HighScores.profile.money, 50);
  EXPECT_EQ(Played(SND_SELL), 1);
}

TEST_F(Shop, TradingKeepsTheMoneyWithinWhatTheShopCanShow) {
  // The shop's money panel has room for six digits; a sale at the top of the
  // signed 32-bit range used to wrap around to a negative amount.
  struct Case {
    int32_t money;
    int32_t click; // 30: sell slot 1, 1: buy One Line (100)
    int32_t after;
  };
  for (Case c : {Case{MONEY_CAP - 10, 30, MONEY_CAP}, Case{MONEY_CAP, 30, MONEY_CAP},
                 Case{MONEY_CAP, 1, MONEY_CAP - 100}, Case{100, 1, 0}}) {
    SCOPED_TRACE(c.money);
    HighScores.profile.money = c.money;
    ItemSlots[0] = c.click == 30 ? OneLine : ITEM_NONE;
    Click(c.click);
    EXPECT_EQ(HighScores.profile.money, c.after);
  }
}

TEST_F(Shop, ASlotWithAnUnknownCodeCountsAsEmpty) {
  HighScores.profile.money = 100;
  ItemSlots[0] = 9;
  ItemSlots[1] = 200;
  EXPECT_TRUE(SlotIsEmpty(9));
  EXPECT_TRUE(SlotIsEmpty(0));
  EXPECT_FALSE(SlotIsEmpty(Potion));
  Click(31); // nothing to sell there
  EXPECT_EQ(HighScores.profile.money, 100);
  EXPECT_EQ(ItemSlots[1], 200);
  Click(1);
  EXPECT_EQ(ItemSlots[0], OneLine);
  EXPECT_EQ(HighScores.profile.money, 0);
}

TEST_F(Shop, DescriptionFollowsThePointerAcrossTheCatalogue) {
  EXPECT_EQ(ShopItemUnderPointer(85, 300), 1);
  EXPECT_EQ(ShopItemUnderPointer(167, 300), 1);
  EXPECT_EQ(ShopItemUnderPointer(168, 300), 2);
  EXPECT_EQ(ShopItemUnderPointer(648, 300), 8);
  EXPECT_EQ(ShopItemUnderPointer(719, 300), 8);
  EXPECT_EQ(ShopItemUnderPointer(720, 300), 0);
  EXPECT_EQ(ShopItemUnderPointer(80, 300), 0);
  EXPECT_EQ(ShopItemUnderPointer(300, 210), 0);
  EXPECT_EQ(ShopItemUnderPointer(300, 211), 3);
  EXPECT_EQ(ShopItemUnderPointer(300, 349), 3);
  EXPECT_EQ(ShopItemUnderPointer(300, 350), 0);
}

TEST(LevelMap, SpotHoverRadiusIsUnderTwelvePixels) {
  // Spot 1 lies at (88, 286).
  EXPECT_EQ(SpotUnderPointer(88 + 11, 286, 55), 1);
  EXPECT_EQ(SpotUnderPointer(88 + 12, 286, 55), 0);
  EXPECT_EQ(SpotUnderPointer(88, 286 - 11, 55), 1);
  EXPECT_EQ(SpotUnderPointer(88 + 8, 286 + 8, 55), 1); // 128
  EXPECT_EQ(SpotUnderPointer(88 + 9, 286 + 8, 55), 0); // 145
  EXPECT_EQ(SpotUnderPointer(65535, 65535, 55), 0);    // far outside, no overflow
}

TEST(LevelMap, OnlyUnlockedSpotsAreFound) {
  // Spot 21 lies at (137, 288), spot 54 at (327, 314).
  EXPECT_EQ(SpotUnderPointer(137, 288, 20), 0);
  EXPECT_EQ(SpotUnderPointer(137, 288, 21), 21);
  EXPECT_EQ(SpotUnderPointer(327, 314, 55), 54);
  EXPECT_EQ(SpotUnderPointer(327, 314, 53), 0);
  EXPECT_EQ(SpotUnderPointer(298, 337, 55), 55);
  EXPECT_EQ(SpotUnderPointer(298, 337, 500), 55); // never past the table
}

TEST(LevelMap, DamagedProgressShowsAtMostTheMapsSpots) {
  HighScores = HighScoreRecord{};
  HighScores.profile.storyProgress = 0;
  EXPECT_EQ(ShownSpotCount(), 0);
  HighScores.profile.storyProgress = 1;
  EXPECT_EQ(ShownSpotCount(), 1);
  HighScores.profile.storyProgress = 55;
  EXPECT_EQ(ShownSpotCount(), 55);
  HighScores.profile.storyProgress = 65535;
  EXPECT_EQ(ShownSpotCount(), 55);
  EXPECT_EQ(HighScores.profile.storyProgress, 65535); // the value itself is kept
}

TEST(LevelMap, SpotsPulseBetweenTheirTwoColours) {
  uint8_t rgb[3];
  SpotPulseColour(0, false, rgb); // s = 0.5
  EXPECT_EQ(rgb[0], 255);
  EXPECT_EQ(rgb[1], 238); // 237.5 rounds to the even 238
  EXPECT_EQ(rgb[2], 175);
  SpotPulseColour(0, true, rgb);
  EXPECT_EQ(rgb[0], 130);
  EXPECT_EQ(rgb[1], 130);
  EXPECT_EQ(rgb[2], 255);
  SpotPulseColour(157, false, rgb); // sin(1.57) = 0.99999968: nearly the high colour
  EXPECT_EQ(rgb[1], 255);
  EXPECT_EQ(rgb[2], 200);
  SpotPulseColour(471, true, rgb); // sin(4.71) = -0.99999: the low colour
  EXPECT_EQ(rgb[0], 160);
  EXPECT_EQ(rgb[2], 255);
}

TEST(TitleScreen, LogosDropInAndRest) {
  // First logo: hidden at -270 until tick 101, resting at 30 from tick 200.
  EXPECT_EQ(LogoDropY(0, 101, 30), -270);
  EXPECT_EQ(LogoDropY(100, 101, 30), -270);
  EXPECT_EQ(LogoDropY(150, 101, 30), -58); // 300 cos(pi/4) - 300 = -87.87
  EXPECT_EQ(LogoDropY(199, 101, 30), 30);  // cos(pi/200) leaves -0.0037
  EXPECT_EQ(LogoDropY(200, 101, 30), 30);
  EXPECT_EQ(LogoDropY(101, 101, 30), -265); // 300 cos(0.99 pi/2) - 300 = -295.29
  // Second logo: hidden at -290 until tick 186, resting at 10 from tick 285.
  EXPECT_EQ(LogoDropY(185, 186, 10), -290);
  EXPECT_EQ(LogoDropY(235, 186, 10), -78);
  EXPECT_EQ(LogoDropY(10000, 186, 10), 10);
}

TEST(TitleScreen, ThemesUnlockWithTheStoryRegions) {
  EXPECT_EQ(ThemeUnlockProgress(1), 0);
  EXPECT_EQ(ThemeUnlockProgress(3), 0);
  EXPECT_EQ(ThemeUnlockProgress(4), 16);
  EXPECT_EQ(ThemeUnlockProgress(5), 41);
}

TEST(HallOfFame, HighlightPulsesBetweenRedAndWhite) {
  EXPECT_EQ(HighlightPulse(0), 128);  // 127.5 rounds to the even 128
  EXPECT_EQ(HighlightPulse(79), 255); // sin(1.58) = 0.99996
  EXPECT_EQ(HighlightPulse(236), 0);  // sin(4.72) = -0.99996
}

TEST(HallOfFame, OnlyAnInsertionInRangeIsHighlighted) {
  int table = -1, index = -1;
  LastInsertSize = -1;
  LastInsertIndex = -1;
  EXPECT_FALSE(HighlightedEntry(&table, &index));
  LastInsertSize = 10;
  LastInsertIndex = 4;
  ASSERT_TRUE(HighlightedEntry(&table, &index));
  EXPECT_EQ(table, 1);
  EXPECT_EQ(index, 4);
  LastInsertSize = 12;
  LastInsertIndex = 10;
  EXPECT_FALSE(HighlightedEntry(&table, &index));
  LastInsertSize = 9;
  LastInsertIndex = 0;
  EXPECT_FALSE(HighlightedEntry(&table, &index));
  LastInsertSize = -1;
  LastInsertIndex = -1;
}
} // namespace
