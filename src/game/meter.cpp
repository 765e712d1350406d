#include "game/meter.h"

#include "assets/sound.h"
#include "core/arith.h"
#include "game/state.h"

namespace {
constexpr float WARNING_LEVEL = 12.0f;
constexpr float FULL = 100.0f;

bool AnyStoneDropping() {
  for (uint8_t p : StoneRing.dropProgress)
    if (p != 0) return true;
  return false;
}

bool MeterRuns() {
  return CurrentGame.hourglassTimer == 0 && CurrentGame.dreamTimer == 0 && CurrentGame.paused == 0 &&
         CurrentGame.gameOver == 0 && CurrentGame.levelCleared == 0 && CurrentGame.puzzle == 0 &&
         CurrentGame.helpShown == 0;
}
} // namespace

void UpdateMeter() {
  LevelMeter.flash = LevelMeter.flash > 55 ? LevelMeter.flash - 55 : 0;
  LevelMeter.shake = 0.0f;

  if (LevelMeter.value >= WARNING_LEVEL) {
    LevelMeter.warningOn = 0;
    StopSample(SND_STONE);
  } else {
    if (LevelMeter.warningOn == 0) {
      LevelMeter.warningOn = 1;
      RestartSample(SND_STONE);
    }
    double missing = WARNING_LEVEL - static_cast<double>(LevelMeter.value);
    SetSampleLevel(SND_STONE, Round(missing * 100.0 / 12.0));
    LevelMeter.shake = static_cast<float>(Random(100) / 4000.0 * missing);
  }

  if (MeterRuns()) LevelMeter.value -= LevelMeter.drainPerTick;

  if (LevelMeter.value < 0.0f) {
    LevelMeter.value = 0.0f;
    if (!AnyStoneDropping()) {
      LevelMeter.value = FULL;
      PushTubeLine();
    }
  }
}

void PushTubeLine() {
  LevelMeter.warningOn = 0;
  StopSample(SND_STONE);
  PlaySample(SND_TUBELINE);
  for (int32_t c = FirstColumn(); c <= LastColumn(); ++c) {
    for (int32_t r = -1; r < FIELD_MAX_ROW; ++r) Cell(c, r) = Cell(c, r + 1);
    Cell(c, FIELD_MAX_ROW) = CELL_EMPTY;
    Cell(c, 11) = CELL_TUBE;
  }
  LevelMeter.refillFlash = 254;
  CurrentGame.fallTimer = 0;
}

void ArcadeStep() {
  if (CurrentGame.level != ARCADE_LEVEL) return;
  const int32_t n = CurrentGame.levelNumber;
  float speedStep = 0.0f;
  float drainStep = 0.0024f;
  if (n <= 5) {
    speedStep = 0.07f;
    drainStep = 0.002f;
  } else if (n <= 10) {
    speedStep = 0.08f;
    drainStep = 0.002f;
  } else if (n <= 15) {
    speedStep = 0.05f;
  }
  if (StoneRing.speed > 0.0f) StoneRing.speed += speedStep;
  if (StoneRing.speed < 0.0f) StoneRing.speed -= speedStep;
  LevelMeter.drainPerTick += drainStep;
}

void GainFromSuitDrop() {
  LevelMeter.value += LevelMeter.gainPerDrop;
  PlaySample(SND_TRANKUP);
  LevelMeter.flash = 255;
  if (LevelMeter.value > FULL) LevelMeter.value = FULL;
}
