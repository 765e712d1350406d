#include "play/game_screen.h"

#include <GL/gl.h>

#include "game/state.h"
#include "play/backdrop.h"
#include "play/banners_draw.h"
#include "play/dream_editor.h"
#include "play/game_dialogs.h"
#include "play/hud.h"
#include "render/effects_draw.h"
#include "render/gl_state.h"
#include "render/scene.h"
#include "ui/pointer_targets.h"
#include "ui/screen2d.h"

void DrawGameScene() {
  const int q = FieldHalfWidth(CylinderSize);

  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ClearPointerTargets();
  BeginScreenSpace();
  DrawBackdrop(q);
  DrawHud(q);
  EndScreenSpace();

  // The 3D pass, seen through the perspective camera.
  glLoadIdentity();
  glEnable(GL_LIGHTING);
  glTranslatef(0.0f, 4.0f, -25.0f);
  DrawFlyingStones();
  DrawPlayfield();
  DrawStars();
  DrawDust();
  DrawSuitDrops();
  DrawExplosions();
  SetFieldLighting();
  DrawAnchorAndAim();

  glDisable(GL_LIGHTING);
  BeginScreenSpace();
  const uint32_t back = BackPicture();
  DrawImagePartMasked(back, 326.0f - q, 520, 64, 64, 0, 0.875f, 0.125f, 1);
  DrawImagePartMasked(back, 410.0f + q, 520, 64, 64, 0.875f, 0.875f, 1, 1);
  DrawMultiLineBanner();
  DrawLevelUpBanner();
  if (CurrentGame.dreamTimer > 0)
    DrawDreamEditor();
  else
    DreamEditorShown = 0; // a game left with the editor open must not keep the pointer
  if (CurrentGame.gameOver >= 50) DrawGameOverDialog();
  if (CurrentGame.paused == 1)
    DrawPauseDialog();
  else if (DreamEditorShown == 1)
    DrawPointer();
  if (CurrentGame.levelCleared == 1) DrawLevelClear();
  if (CurrentGame.helpShown == 1) DrawHelpOverlay();
  EndScreenSpace();

  // Boxes thrown off the cylinder and debris fly in front of the HUD.
  glEnable(GL_LIGHTING);
  DrawFallingBoxes();
  DrawDebris();

  if (CurrentGame.startDelay > 0) {
    BeginScreenSpace();
    DimScreen(static_cast<uint8_t>(-10 * CurrentGame.startDelay));
    EndScreenSpace();
  }
  if (CurrentGame.levelCleared == 1 && CurrentGame.shownLevelScore == 0 && CurrentGame.clearEndTicks <= 200) {
    BeginScreenSpace();
    DrawIrisWipe(400, 300, 800 - 4 * CurrentGame.clearEndTicks);
    EndScreenSpace();
  }
}
