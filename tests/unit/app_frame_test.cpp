// The frame driver: held keys become player actions, the TopMode switch, and the
// fixed 10 ms game step computed from elapsed time. The modules the driver hands
// work to are replaced by recorders, so these tests watch the driver alone.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/program.h"
#include "app/window.h"
#include "core/input.h"
#include "game/highscore.h"
#include "game/state.h"
#include "platform/platform.h"
#include "play/actions.h"
#include "render/gl_state.h"
#include "ui/text.h"

namespace {
struct Record {
  std::vector<int> actions;
  std::vector<int> nameKeys;
  std::vector<int> samples;
  int ticks = 0;
  int draws = 0;
  int menuFrames = 0;
  int frontEndEntries = 0;
  int starts = 0;
  uint16_t startedLevel = 0;
  int32_t startTime = 0;
  uint32_t frontEndTime = 0;
  int leaveGameAtTick = -1; // the tick that asks to go back to the front-end
  int32_t hoverAfterDraw = 0;
};
Record Rec;

// A game tick as the frame driver relies on it: one more tick, the two repeat
// timers run down, and the game's mode request reaches TopMode.
void RecordTick() {
  ++Rec.ticks;
  CurrentGame.tick += 1;
  if (SpaceRepeatTimer > 0) --SpaceRepeatTimer;
  if (CtrlRepeatTimer > 0) --CtrlRepeatTimer;
  if (Rec.ticks == Rec.leaveGameAtTick) TopMode = MODE_ENTER_FRONTEND;
}
void RecordStart(uint16_t level, int32_t startTime) {
  ++Rec.starts;
  Rec.startedLevel = level;
  Rec.startTime = startTime;
  CurrentGame.startTime = startTime;
  CurrentGame.tick = 0;
  SpaceRepeatTimer = 0;
  CtrlRepeatTimer = 0;
  PrevGameHoverId = 0;
}
void RecordDraw() {
  ++Rec.draws;
  HoverId = Rec.hoverAfterDraw;
}
void RecordEnterFrontEnd(uint32_t now) {
  ++Rec.frontEndEntries;
  Rec.frontEndTime = now;
}
void RecordMenuFrame(uint32_t) {
  ++Rec.menuFrames;
}
void RecordMenuClick() {}
void RecordAction(uint8_t code) {
  Rec.actions.push_back(code);
}
void RecordNameKey(int vk) {
  Rec.nameKeys.push_back(vk);
}
void RecordSample(int n) {
  Rec.samples.push_back(n);
}
void RecordPadButton(PadButton) {}
void RecordPause() {}

class FrameDriver : public testing::Test {
protected:
  void SetUp() override {
    Rec = Record{};
    ShellCalls = {RecordStart,     RecordTick,      RecordDraw,      RecordEnterFrontEnd,
                  RecordMenuFrame, RecordMenuClick, RecordAction,    RecordNameKey,
                  RecordSample,    RecordPadButton, RecordPadButton, RecordPause};
    std::memset(Keys, 0, sizeof Keys);
    TopMode = MODE_GAME;
    LoadingActive = 0;
    DisplaySwitchRequested = 0;
    RestartPending = 0;
    SpaceRepeatTimer = 0;
    CtrlRepeatTimer = 0;
    PrevGameHoverId = 0;
    HoverId = 0;
    NameEntryActive = 0;
    MultisampleEnabled = 0;
    CurrentGame.startTime = 0;
    CurrentGame.tick = 0;
  }
  void TearDown() override {
    ResetShellCalls();
    std::memset(Keys, 0, sizeof Keys);
    TopMode = MODE_GAME;
  }
  // Runs a game whose clock started at `start` ms.
  void GameStartedAt(int32_t start) {
    TopMode = MODE_GAME;
    CurrentGame.startTime = start;
    CurrentGame.tick = 0;
  }
};
} // namespace

TEST_F(FrameDriver, AFrameAfterThreeSecondsOfSilenceRunsThreeHundredTicks) {
  GameStartedAt(1000);
  GameFrame(4000);
  EXPECT_EQ(Rec.ticks, 300);
  EXPECT_EQ(CurrentGame.tick, 300);
  EXPECT_EQ(Rec.draws, 1);

  // Only whole 10 ms periods count; the tick count catches up with the clock.
  GameFrame(4009);
  EXPECT_EQ(CurrentGame.tick, 300);
  GameFrame(4010);
  EXPECT_EQ(CurrentGame.tick, 301);
  GameFrame(4355);
  EXPECT_EQ(CurrentGame.tick, 335);
  EXPECT_EQ(Rec.draws, 4);
}

TEST_F(FrameDriver, TheTickCountFollowsTheClockAcrossItsWrapAround) {
  // Started 256 ms before the 32-bit millisecond clock wrapped; 512 ms have passed.
  GameStartedAt(static_cast<int32_t>(0xFFFFFF00u));
  GameFrame(0x100u);
  EXPECT_EQ(CurrentGame.tick, 51);
}

TEST_F(FrameDriver, AClockBehindTheStartRunsNoTickButStillDraws) {
  GameStartedAt(5000);
  GameFrame(4000);
  EXPECT_EQ(Rec.ticks, 0);
  EXPECT_EQ(Rec.draws, 1);
  // Ticks already done are not run again.
  CurrentGame.tick = 50;
  GameFrame(5300);
  EXPECT_EQ(Rec.ticks, 0);
}

TEST_F(FrameDriver, TicksKeepRunningWhenOneOfThemLeavesTheGame) {
  GameStartedAt(0);
  Rec.leaveGameAtTick = 5;
  DispatchFrame(200);
  EXPECT_EQ(Rec.ticks, 20);
  EXPECT_EQ(TopMode, MODE_ENTER_FRONTEND);
  EXPECT_EQ(Rec.draws, 1);
  EXPECT_EQ(Rec.menuFrames, 0);

  // The next frame enters the front-end at a fresh clock reading and runs its frame.
  uint32_t before = PlatformTicks();
  DispatchFrame(210);
  EXPECT_EQ(TopMode, MODE_FRONTEND);
  EXPECT_EQ(Rec.frontEndEntries, 1);
  EXPECT_GE(Rec.frontEndTime, before);
  EXPECT_EQ(Rec.menuFrames, 1);
  EXPECT_EQ(Rec.draws, 1);
  EXPECT_EQ(Rec.ticks, 20);
}

TEST_F(FrameDriver, AStartRequestTakesEffectAtTheNextFrameWhichRunsNoTick) {
  TopMode = MODE_START_GAME;
  StartLevelIndex = 7;
  uint32_t now = PlatformTicks();
  FrameUpdate(now);
  EXPECT_EQ(TopMode, MODE_GAME);
  EXPECT_EQ(Rec.starts, 1);
  EXPECT_EQ(Rec.startedLevel, 7);
  EXPECT_GE(static_cast<uint32_t>(Rec.startTime), now);
  EXPECT_EQ(Rec.ticks, 0);
  EXPECT_EQ(Rec.draws, 1);
  EXPECT_EQ(Rec.menuFrames, 0);

  StartLevelIndex = ARCADE_LEVEL;
  TopMode = MODE_START_GAME;
  FrameUpdate(PlatformTicks());
  EXPECT_EQ(Rec.startedLevel, ARCADE_LEVEL);
}

TEST_F(FrameDriver, TheFrontEndRunsItsOwnFramesAndNoGameFrame) {
  TopMode = MODE_FRONTEND;
  FrameUpdate(1234);
  FrameUpdate(1240);
  EXPECT_EQ(Rec.menuFrames, 2);
  EXPECT_EQ(Rec.draws, 0);
  EXPECT_EQ(Rec.ticks, 0);
}

TEST_F(FrameDriver, LoadingSkipsTheWholeFrame) {
  LoadingActive = 1;
  Keys[32] = 1;
  Keys[112] = 1;
  TopMode = MODE_START_GAME;
  FrameUpdate(1000);
  DispatchFrame(1000);
  EXPECT_TRUE(Rec.actions.empty());
  EXPECT_EQ(Rec.starts, 0);
  EXPECT_EQ(TopMode, MODE_START_GAME);
  EXPECT_EQ(SpaceRepeatTimer, 0);
  LoadingActive = 0;
}

TEST_F(FrameDriver, HeldSpaceFiresOnceThenEachTimeFortyTicksHavePassed) {
  GameStartedAt(0);
  Keys[32] = 1;
  FrameUpdate(0);
  EXPECT_EQ(Rec.actions, (std::vector<int>{2}));
  EXPECT_EQ(SpaceRepeatTimer, 40);
  FrameUpdate(390); // 39 ticks: one more needed
  FrameUpdate(399);
  EXPECT_EQ(Rec.actions.size(), 1u);
  FrameUpdate(400); // the 40th tick runs after this frame's key check
  EXPECT_EQ(Rec.actions.size(), 1u);
  FrameUpdate(400);
  EXPECT_EQ(Rec.actions, (std::vector<int>{2, 2}));
  FrameUpdate(800);
  FrameUpdate(801);
  EXPECT_EQ(Rec.actions, (std::vector<int>{2, 2, 2}));
}

TEST_F(FrameDriver, HeldCtrlFiresEveryTwentyTicks) {
  GameStartedAt(0);
  Keys[17] = 1;
  std::vector<uint32_t> fired;
  for (uint32_t now = 0; now <= 1000; now += 10) {
    size_t before = Rec.actions.size();
    FrameUpdate(now);
    if (Rec.actions.size() > before) fired.push_back(now);
  }
  // The first frame runs no tick; from then on one tick per 10 ms frame, and the
  // key is checked before the frame's ticks run down the timer.
  EXPECT_EQ(fired, (std::vector<uint32_t>{0, 210, 410, 610, 810}));
  EXPECT_EQ(Rec.actions, (std::vector<int>{3, 3, 3, 3, 3}));
}

TEST_F(FrameDriver, InTheFrontEndHeldSpaceFiresOnceUntilAGameStarts) {
  TopMode = MODE_FRONTEND;
  Keys[32] = 1;
  for (int i = 0; i < 10; ++i) FrameUpdate(1000 + i * 100);
  EXPECT_EQ(Rec.actions, (std::vector<int>{2}));
  EXPECT_EQ(SpaceRepeatTimer, 40);

  // The start of a game zeroes the timer, so the next frame fires again.
  TopMode = MODE_START_GAME;
  FrameUpdate(PlatformTicks());
  EXPECT_EQ(Rec.actions, (std::vector<int>{2}));
  FrameUpdate(PlatformTicks());
  EXPECT_EQ(Rec.actions, (std::vector<int>{2, 2}));
}

TEST_F(FrameDriver, FunctionKeysAndEscFireOnEveryFrameInTheirOrder) {
  GameStartedAt(0);
  for (int vk : {120, 119, 118, 117, 116, 27, 114, 113, 112}) Keys[vk] = 1;
  FrameUpdate(0);
  EXPECT_EQ(Rec.actions, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12}));

  Rec.actions.clear();
  std::memset(Keys, 0, sizeof Keys);
  Keys[112] = 1; // F1
  Keys[115] = 1; // F4 has no action
  Keys[121] = 1; // F10 neither
  for (int i = 0; i < 3; ++i) FrameUpdate(static_cast<uint32_t>(i));
  EXPECT_EQ(Rec.actions, (std::vector<int>{4, 4, 4}));
}

TEST_F(FrameDriver, SpaceAndCtrlComeBeforeTheFunctionKeys) {
  GameStartedAt(0);
  Keys[27] = 1;
  Keys[17] = 1;
  Keys[32] = 1;
  FrameUpdate(0);
  EXPECT_EQ(Rec.actions, (std::vector<int>{2, 3, 7}));
}

TEST_F(FrameDriver, NameEntryGetsEveryHeldKeyInAscendingOrder) {
  TopMode = MODE_GAME;
  Keys[90] = 1;
  Keys[8] = 1;
  Keys[65] = 1;
  Keys[13] = 1;
  FrameUpdate(0);
  EXPECT_TRUE(Rec.nameKeys.empty()); // only while the dialog takes names

  NameEntryActive = 1;
  FrameUpdate(0);
  EXPECT_EQ(Rec.nameKeys, (std::vector<int>{8, 13, 65, 90}));
  NameEntryActive = 0;
}

TEST_F(FrameDriver, TheHoverSoundPlaysWhenTheLabelUnderThePointerChanges) {
  GameStartedAt(0);
  Rec.hoverAfterDraw = 44;
  GameFrame(0);
  EXPECT_EQ(Rec.samples, (std::vector<int>{16}));
  EXPECT_EQ(PrevGameHoverId, 44);
  GameFrame(0);
  EXPECT_EQ(Rec.samples.size(), 1u); // still the same label
  Rec.hoverAfterDraw = 0;
  GameFrame(0);
  EXPECT_EQ(Rec.samples.size(), 1u); // leaving a label is silent
  Rec.hoverAfterDraw = 3;
  GameFrame(0);
  EXPECT_EQ(Rec.samples, (std::vector<int>{16, 16}));
}

TEST_F(FrameDriver, ADisplaySwitchRequestedTwiceInAFrameSwitchesOnce) {
  ASSERT_TRUE(PlatformInitVideo());
  PlatformEvent event;
  while (PlatformPollEvent(event)) {
  }
  TopMode = MODE_FRONTEND;
  DisplaySwitchRequested = 1;
  DisplaySwitchRequested = 1;
  FrameUpdate(0);
  EXPECT_EQ(DisplaySwitchRequested, 0);
  EXPECT_EQ(RestartPending, 1);
  int toggles = 0;
  while (PlatformPollEvent(event)) toggles += event.type == EventType::ToggleDisplay;
  EXPECT_EQ(toggles, 1);
  FrameUpdate(0);
  while (PlatformPollEvent(event)) toggles += event.type == EventType::ToggleDisplay;
  EXPECT_EQ(toggles, 1);
  RestartPending = 0;
}

TEST_F(FrameDriver, ItemKeysActOnlyInARunningGame) {
  for (int vk : {112, 113, 114}) Keys[vk] = 1;
  for (uint8_t mode : {MODE_FRONTEND, MODE_START_GAME, MODE_ENTER_FRONTEND, MODE_GAME}) {
    SCOPED_TRACE(static_cast<int>(mode));
    Rec.actions.clear();
    TopMode = mode;
    FrameUpdate(0);
    EXPECT_EQ(Rec.actions.size(), mode == MODE_GAME ? 3u : 0u);
  }

  // With the real rules: right after the start the game state is all zero, which
  // reads as story level 1 in play; F1..F3 on the title screen used to spend the
  // items there.
  ShellCalls.dispatchAction = DispatchAction;
  CurrentGame = CurrentGameState{};
  const uint8_t slots[3] = {OneLine, Hourglass, Potion};
  std::memcpy(ItemSlots, slots, 3);
  TopMode = MODE_FRONTEND;
  FrameUpdate(0);
  EXPECT_EQ(std::memcmp(ItemSlots, slots, 3), 0);
}

TEST_F(FrameDriver, AKeyPressedAndReleasedBetweenTwoFramesIsSeenOnce) {
  // A slow frame: the key goes down and up again before the next frame looks.
  struct Case {
    int vk;
    bool nameEntry;
    int expected; // the action, or the key the name entry gets
  };
  for (Case c : {Case{32, false, 2}, Case{17, false, 3}, Case{112, false, 4}, Case{27, false, 7},
                 Case{116, false, 8}, Case{65, true, 65}, Case{13, true, 13}}) {
    SCOPED_TRACE(c.vk);
    GameStartedAt(0);
    SpaceRepeatTimer = CtrlRepeatTimer = 0;
    NameEntryActive = c.nameEntry ? 1 : 0;
    Rec = Record{};
    GameWindowProc(GameWindow, PlatformEvent{EventType::KeyDown, c.vk});
    GameWindowProc(GameWindow, PlatformEvent{EventType::KeyUp, c.vk});
    EXPECT_EQ(Keys[c.vk], 0);
    FrameUpdate(0);
    FrameUpdate(1000); // the next frames see nothing more
    FrameUpdate(2000);
    EXPECT_EQ(c.nameEntry ? Rec.nameKeys : Rec.actions, std::vector<int>{c.expected});
  }
  NameEntryActive = 0;

  // A press during loading belongs to no frame.
  GameWindowProc(GameWindow, PlatformEvent{EventType::KeyDown, 27});
  GameWindowProc(GameWindow, PlatformEvent{EventType::KeyUp, 27});
  LoadingActive = 1;
  FrameUpdate(0);
  LoadingActive = 0;
  Rec = Record{};
  FrameUpdate(0);
  EXPECT_TRUE(Rec.actions.empty());
}
