// Placeholder until the asset catalogue lands: loads the save and enters the front-end.
#include "assets/loader.h"

#include "app/program.h"
#include "frontend/highscore.h"
#include "frontend/menu.h"
#include "platform/platform.h"

uint8_t FirstLoadDone = 0;

void LoadAssets() {
  if (FirstLoadDone) return;
  LoadHighScoreFile();
  TopMode = MODE_FRONTEND;
  SlidePos = 60;
  SlideTarget = 0;
  MenuScreen = 0;
  EnterFrontEnd(PlatformTicks());
  FirstLoadDone = 1;
}
