#include "game/tick.h"

#include <cmath>
#include <cstring>

#include "assets/sound.h"
#include "core/input.h"
#include "core/modes.h"
#include "game/banners.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "game/lines.h"
#include "game/meter.h"
#include "game/options.h"
#include "game/pull.h"
#include "game/state.h"
#include "game/stones.h"
#include "platform/platform.h"

namespace {
constexpr int32_t LEAVE_GAME = 200;
constexpr int32_t CLEAR_COUNT_START = 70;
constexpr int32_t CLEAR_END_TICKS = 198;
constexpr int32_t DREAM_BUILD_TICK = 30;
constexpr int32_t DREAM_CLEAR_TICK = 799;
constexpr int32_t PUZZLE_END_APPEAR = 90;

bool TemplatesBuilt() {
  for (uint8_t b : StoneTemplates[1][0])
    if (b != 0) return true;
  return false;
}

void StartArcade() {
  CurrentGame.dangerHeight = 11;
  StoneRing.speed = 2.0f;
  LevelMeter.value = 100.0f;
  LevelMeter.drainPerTick = 0.003f;
  LevelMeter.gainPerDrop = 1.5f;
  // Only 8, 10 and 12 columns exist; anything else would leave no play area.
  CylinderSize = ArcadeCylinderSize == 8 || ArcadeCylinderSize == 10 ? ArcadeCylinderSize : 12;
  CurrentGame.linesToRefill = 5;
  CurrentGame.aimHelp = Options[OPT_ARCADE_AIMHELP];
  CurrentGame.bombChance = 5;
  CurrentGame.linesLeft = 0;
}

void StartStory(uint16_t level) {
  const LevelRecord& record = LevelTable[level];
  CurrentGame.puzzle = record.puzzle;
  CurrentGame.dangerHeight = static_cast<uint8_t>(12 - record.height);
  StoneRing.speed = static_cast<float>(record.speed) / 14.0f;
  LevelMeter.value = 100.0f;
  LevelMeter.drainPerTick = static_cast<float>(record.drain) * 0.0012f;
  LevelMeter.gainPerDrop = 1.5f;
  CurrentGame.levelNumber = level;
  CylinderSize = CylinderSizeForCode(record.sizeCode, CylinderSize);
  CurrentGame.linesToRefill = record.puzzle ? record.lines : 5;
  CurrentGame.linesLeft = record.lines;
  CurrentGame.aimHelp = level < 10 ? 1 : 0;
  CurrentGame.bombChance = record.bombChance;
  for (int k = 0; k < LAYOUT_SIZE; ++k)
    for (int l = 0; l < LAYOUT_SIZE; ++l) Cell(k, l) = record.layout[k * LAYOUT_SIZE + l];
}

// Money and level score count in parallel after a pause, then the map returns.
void TickLevelClear() {
  CurrentGame.clearTicks += 1;
  if (CurrentGame.clearTicks <= CLEAR_COUNT_START) return;
  const int32_t money = HighScores.profile.money;
  if (CurrentGame.shownMoney < money) {
    CurrentGame.shownMoney += 2;
    if (CurrentGame.tick % 2 == 0) PlaySample(SND_COIN);
  }
  if (CurrentGame.shownMoney > money) CurrentGame.shownMoney = money;
  if (CurrentGame.shownLevelScore > 0) {
    CurrentGame.shownLevelScore -= 2;
    if (CurrentGame.shownLevelScore < 0) CurrentGame.shownLevelScore = 0;
  }
  if (CurrentGame.shownLevelScore == 0) {
    CurrentGame.clearEndTicks += 1;
    if (CurrentGame.clearEndTicks == CLEAR_END_TICKS) {
      CurrentGame.pendingMode = LEAVE_GAME;
      MenuScreen = SCREEN_MAP;
      SlidePos = 60;
      SlideTarget = 0;
      ReleaseCursor();
    }
  }
}

void TickDreamEditor() {
  if (CurrentGame.dreamTimer <= 0) return;
  CurrentGame.dreamTimer -= 1;
  if (CurrentGame.dreamTimer == DREAM_BUILD_TICK) {
    for (int r = 1; r < 4; ++r) RotateQuarterClockwise(DreamStone()[r - 1], DreamStone()[r]);
    CurrentGame.dreamPending = 1;
  }
  if (CurrentGame.dreamTimer == DREAM_CLEAR_TICK) std::memset(DreamStone(), 0, sizeof(uint8_t[4][16]));
}

// Appear timers run while not paused; a puzzle whose four stones are all empty
// ends when the last pulled one has been away for 110 ticks.
void TickAppearTimers() {
  if (CurrentGame.paused) return;
  for (int i = 0; i < 4; ++i) {
    if (StoneRing.appearTimer[i] <= 0) continue;
    StoneRing.appearTimer[i] -= 1;
    if (StoneRing.appearTimer[i] != PUZZLE_END_APPEAR) continue;
    bool allEmpty = true;
    for (uint8_t k : StoneRing.kind)
      if (k != DREAM_KIND) allEmpty = false;
    if (allEmpty && CurrentGame.gameOver == 0 && CurrentGame.levelCleared == 0) CurrentGame.gameOver = 1;
  }
}

void LeaveGame(uint8_t screen) {
  CurrentGame.pendingMode = LEAVE_GAME;
  MenuScreen = screen;
  SlidePos = 60;
  SlideTarget = 0;
}
} // namespace

void StartLevel(uint16_t level, int32_t startTime) {
  if (!TemplatesBuilt()) InitStoneTemplates();
  if (level != ARCADE_LEVEL && level >= LEVEL_RECORDS) level = ARCADE_LEVEL;

  CurrentGame = CurrentGameState{};
  StartMusic(ChosenTheme);
  CurrentGame.theme = ChosenTheme;
  std::memset(DreamStone(), 0, sizeof(uint8_t[4][16]));

  CurrentGame.helpShown = Options[OPT_SHOW_HELP];
  CurrentGame.helpPage = 0;
  PrevGameHoverId = 0;
  CurrentGame.pendingMode = 0;
  LastInsertSize = -1;
  LastInsertIndex = -1;
  CurrentGame.level = level;
  NameEntryActive = 0;
  PlayerName.clear();

  CurrentGame.puzzleIndex = 0;
  CurrentGame.startDelay = 25;
  if (CurrentGame.helpShown == 0) ConfineCursor();

  CurrentGame.startTime = startTime;
  CurrentGame.tick = 0;
  ResetBanners();
  LevelMeter.warningOn = 0;
  LevelMeter.refillFlash = 0;
  LevelMeter.flash = 0;
  LevelMeter.shake = 0.0f;
  SpaceRepeatTimer = 0;
  CtrlRepeatTimer = 0;
  SuitDropArrived = 0;
  CurrentGame.levelNumber = 1;

  std::memset(Field.cells, CELL_EMPTY, sizeof Field.cells);
  std::memset(Field.shownCells, CELL_EMPTY, sizeof Field.shownCells);
  StoneRing.position = 0.0f;
  StoneRing.roundedPosition = 0;
  StoneRing.rotation = 0;
  for (int i = 0; i < 4; ++i) {
    StoneRing.appearTimer[i] = 0;
    StoneRing.dropProgress[i] = 0;
  }
  BombBlast = BombBlastState{};

  if (level == ARCADE_LEVEL)
    StartArcade();
  else
    StartStory(level);

  // The anchor keeps its place between games; a smaller cylinder must not leave it
  // over a margin column before the first tick places it again.
  if (Anchor.column < FirstColumn()) Anchor.column = FirstColumn();
  if (Anchor.column > LastColumn()) Anchor.column = LastColumn();

  for (int i = 0; i < 4; ++i) StoneRing.kind[i] = NextStoneKind();
}

void GameTick() {
  if (CurrentGame.levelCleared == 1) TickLevelClear();
  if (NameEntryActive == 1)
    for (uint8_t& d : KeyRepeatDelay)
      if (d != 0) d -= 1;
  if (CurrentGame.gameOver > 0 && CurrentGame.gameOver < 100) CurrentGame.gameOver += 1;
  if (CurrentGame.gameOver == 0 && CurrentGame.levelCleared == 0) RestoreMusicVolume(CurrentGame.theme);
  if (CurrentGame.startDelay != 0) CurrentGame.startDelay -= 1;
  TopMode = static_cast<uint8_t>(CurrentGame.pendingMode);
  if (CurrentGame.paused == 0 && CurrentGame.gameOver < 50 && CurrentGame.clearEndTicks < 200 &&
      CurrentGame.helpShown == 0)
    ConfineCursor();
  CurrentGame.tick += 1;
  if (CurrentGame.escBlock != 0) CurrentGame.escBlock -= 1;
  TickDreamEditor();
  if (CurrentGame.tick % 2 == 0 && CurrentGame.shownScore < CurrentGame.score) CurrentGame.shownScore += 1;

  TickAnchorLean();
  if (LevelMeter.refillFlash != 0) LevelMeter.refillFlash = static_cast<uint8_t>(LevelMeter.refillFlash - 2);
  if (SpaceRepeatTimer != 0) SpaceRepeatTimer -= 1;
  if (CtrlRepeatTimer != 0) CtrlRepeatTimer -= 1;
  LightSwing = std::sin(CurrentGame.tick / 300.0f);
  FuseGlow = std::sin(CurrentGame.tick / 50.0f) / 2.0f + 0.5f;

  UpdateMeter();

  TickDust();
  TickFallingBoxes();
  TickDebris();
  TickExplosions();
  TickStars();
  TickSuitDrops();
  TickMultiLineBanner();
  TickLevelUpBanner();
  if (SuitDropArrived) {
    SuitDropArrived = 0;
    GainFromSuitDrop();
  }

  DropRows();
  WobblePhase1 = static_cast<float>(CurrentGame.tick);
  WobblePhase2 = static_cast<float>(CurrentGame.tick) * 1.1f;
  TickFlight();
  TickAppearTimers();
  UpdateAnchorColumn();
  AdvanceDrops();
  TickRotation();
}

void AnswerRetry(bool yes) {
  if (yes) {
    StartLevel(CurrentGame.level, static_cast<int32_t>(PlatformTicks()));
    CurrentGame.gameOver = 0;
    if (Options[OPT_SHOW_HELP] == 0) ConfineCursor();
    return;
  }
  LeaveGame(SCREEN_MAIN);
  if (NameEntryActive == 1) {
    InsertHighScore(PlayerName, CurrentGame.score);
    MenuScreen = SCREEN_SIDE;
    SlidePos = 80;
    SlideTarget = 80;
  }
  if (CurrentGame.level != ARCADE_LEVEL) MenuScreen = SCREEN_MAP;
  NameEntryActive = 0;
  StopSample(SND_STONE);
}

void AnswerPause(bool yes) {
  if (yes) {
    LeaveGame(CurrentGame.level == ARCADE_LEVEL ? SCREEN_MAIN : SCREEN_MAP);
    StopSample(SND_STONE);
    return;
  }
  CurrentGame.paused = 0;
  ConfineCursor();
}
