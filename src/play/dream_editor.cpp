#include "play/dream_editor.h"

#include <cmath>
#include <cstdlib>

#include "assets/catalogue.h"
#include "assets/sound.h"
#include "core/arith.h"
#include "core/input.h"
#include "game/state.h"
#include "ui/pointer_targets.h"
#include "ui/screen2d.h"

uint8_t DreamEditorShown = 0;

int DreamSlideOffset(int32_t dreamTimer) {
  if (dreamTimer >= 750)
    return Round(std::cos(std::abs(750 - dreamTimer) / 50.0 * kPi / 2.0) * 428.0 - 428.0);
  if (dreamTimer >= 50) return 0;
  return Round(std::cos(std::abs(50 - dreamTimer) / 50.0 * kPi / 2.0) * 428.0 - 428.0);
}

void DrawDreamEditor() {
  const int b = DreamSlideOffset(CurrentGame.dreamTimer);
  DreamEditorShown = b == 0 ? 1 : 0;
  DrawImagePartMasked(Tex.dreambox, 272, b + 172.0f, 256, 256, 0, 0, 1, 1);
  const uint8_t* cells = DreamStone()[0];
  BeginImageRun(Tex.dbox);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (cells[r * 4 + c] != 0) ImageRunPart(303.0f + 49 * c, 201.0f + 49 * r + b, 48, 48, 0, 0, 1, 1);
  EndImageRun();
  if (DreamEditorShown == 1) {
    // The cells a click can change (the corners never hold a box) and the done
    // button, for a game controller's d-pad.
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c)
        if ((c != 0 && c != 3) || (r != 0 && r != 3)) AddPointerTarget(304 + 49 * c, 202 + 49 * r, 48, 48, 0);
    AddPointerTarget(369, 406, 63, 17, 0);
  }
  const bool overOk = MouseX > 368 && MouseX < 432 && MouseY > 405 && MouseY < 423;
  if (overOk)
    DrawImagePartMasked(Tex.ok, 367, b + 398.0f, 64, 32, 0, 0.5f, 1, 1);
  else
    DrawImagePartMasked(Tex.ok, 367, b + 398.0f, 64, 32, 0, 0, 1, 0.5f);
}

void DreamEditorClick() {
  if (MouseX > 368 && MouseX < 432 && MouseY >= 406 && MouseY <= 422) {
    CurrentGame.dreamTimer = 50;
    PlaySample(SND_SELECT);
    return;
  }
  if (MouseX >= 304 && MouseX <= 497 && MouseY >= 202 && MouseY <= 395) {
    const int c = (MouseX - 303) / 49;
    const int r = (MouseY - 201) / 49;
    uint8_t& cell = DreamStone()[0][r * 4 + c];
    const bool corner = (c == 0 || c == 3) && (r == 0 || r == 3);
    if (corner) {
      cell = 0;
      return;
    }
    cell = cell != 0 ? 0 : 1;
    PlaySample(SND_DC);
  }
}
