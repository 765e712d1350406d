#include "play/game_dialogs.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "assets/catalogue.h"
#include "assets/sound.h"
#include "core/arith.h"
#include "core/input.h"
#include "core/pad.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "game/tick.h"
#include "ui/help_pages.h"
#include "ui/labels.h"
#include "ui/screen2d.h"
#include "ui/text.h"

namespace {

// Every text the screen draws, made once so that a frame allocates nothing.
struct ScreenStrings {
  std::string retry = "Retry?";
  std::string yes = "Yes";
  std::string no = "No";
  std::string gameOver = "GAME OVER";
  std::string ok = "Ok";
  std::string newHighscore = "New Highscore";
  std::string enterName = "please enter your name";
  std::string caret = "I";
  std::string letter = "A";
  std::string exitToMenu = "Exit to main menu?";
  std::string exitToMap = "Exit to level map?";
  std::string play = "play...";
  std::string dontShow = "don't show again...";
  std::string instructions = "Instructions";
  std::string scratch;
  ScreenStrings() { scratch.reserve(64); }
};
ScreenStrings& Strings() {
  static ScreenStrings strings;
  return strings;
}

// `prefix` followed by the decimal value, in the shared scratch string.
const std::string& Labelled(const char* prefix, int32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", value);
  std::string& s = Strings().scratch;
  s.assign(prefix);
  s.append(digits);
  return s;
}

void CloseOverlay() {
  CurrentGame.helpShown = 0;
  PlaySample(SND_SELECT);
}

} // namespace

void DrawGameOverDialog() {
  ScreenStrings& s = Strings();
  ReleaseCursor();
  BeginLabels();
  DimScreen(200);
  if (!IsArcade()) {
    DrawPanel(320, 250, 160, 70, 128, 228, 128);
    DrawCentredShadowedText(398, 259, 20, 255, 255, 255, s.retry);
    DrawHoverText(348, 281, 30, s.yes, DIALOG_YES_ID);
    DrawHoverText(418, 281, 30, s.no, DIALOG_NO_ID);
  } else if (!ScoreQualifies(CurrentGame.score, CylinderSize)) {
    DrawPanel(320, 250, 160, 70, 128, 228, 128);
    DrawCentredShadowedText(398, 259, 20, 255, 255, 255, s.gameOver);
    DrawCentredHoverText(400, 281, 30, s.ok, DIALOG_NO_ID);
  } else {
    NameEntryActive = 1;
    DrawPanel(300, 250, 200, 157, 128, 228, 128);
    DrawCentredShadowedText(398, 259, 30, 255, 255, 255, s.newHighscore);
    DrawCentredShadowedText(398, 289, 20, 255, 255, 255, s.enterName);
    DrawPanel(310, 315, 180, 50, 128, 128, 228);
    DrawCentredText(400, 325, 30, 255, 255, 255, PlayerName);
    const int caretX = 400 + TextWidth(PlayerName, 30) / 2;
    if (PadsConnected > 0 && PlayerName.size() < 12) {
      // With a game controller the caret is the letter it adds next, in yellow.
      s.letter[0] = PadNameLetter == ' ' ? '_' : PadNameLetter;
      DrawText(caretX, 325, 30, 255, 255, 0, s.letter);
    } else if (CurrentGame.tick % 50 >= 25) {
      DrawText(caretX, 325, 30, 255, 255, 255, s.caret);
    }
    DrawCentredHoverText(400, 370, 30, s.ok, DIALOG_NO_ID);
  }
  DrawPointer();
}

void DrawPauseDialog() {
  ScreenStrings& s = Strings();
  BeginLabels();
  DimScreen(160);
  DrawPanel(320, 250, 160, 70, 128, 128, 228);
  if (IsArcade())
    DrawShadowedText(332, 259, 20, 255, 255, 255, s.exitToMenu);
  else
    DrawShadowedText(337, 259, 20, 255, 255, 255, s.exitToMap);
  DrawHoverText(348, 281, 30, s.yes, DIALOG_YES_ID);
  DrawHoverText(418, 281, 30, s.no, DIALOG_NO_ID);
  DrawPointer();
}

void DrawLevelClear() {
  const int32_t t = CurrentGame.clearTicks;
  const int p = t >= 50 ? 400 : Round(std::sin(t / 100.0 * kPi) * 400.0);
  DrawImagePartTinted(Tex.clear, 145, p - 300.0f, 512, 256, 0, 0, 1, 1, 255, 255, 255);
  if (t > 50) {
    DrawPanel(300, 285, 200, 70, 100, 255, 50);
    DrawText(320, 290, 30, 255, 255, 255, Labelled("Score = ", CurrentGame.shownLevelScore));
    DrawText(383, 317, 30, 255, 255, 255, Labelled("= ", CurrentGame.shownMoney));
    DrawImagePartTinted(Tex.coin, 343, 317, 32, 32, 0, 0, 1, 1, 255, 255, 255);
  }
}

void DrawHelpOverlay() {
  ScreenStrings& s = Strings();
  BeginLabels();
  DimScreen(128);
  DrawPanel(310, 70, 180, 40, 128, 128, 228);
  DrawPanel(30, 107, 740, 382, 128, 128, 228);
  DrawPanel(400, 486, 150, 40, 128, 128, 228);
  DrawPanel(250, 486, 150, 40, 128, 128, 228);
  DrawHoverText(308, 494, 21, s.play, HELP_PLAY_ID);
  DrawHoverText(409, 494, 21, s.dontShow, HELP_DONT_SHOW_ID);
  DrawCentredText(400, 73, 30, 255, 255, 0, s.instructions);
  DrawInstructionPage(CurrentGame.helpPage, 800, -33);
  DrawPointer();
}

void HelpOverlayClick() {
  ReleaseCursor();
  switch (HoverId) {
  case HELP_PLAY_ID:
    CloseOverlay();
    break;
  case HELP_DONT_SHOW_ID:
    Options[OPT_SHOW_HELP] = 0;
    WriteOptionsFile();
    CloseOverlay();
    break;
  case HELP_PREVIOUS_ID:
    CurrentGame.helpPage = static_cast<uint8_t>(CurrentGame.helpPage - 1);
    PlaySample(SND_SELECT);
    break;
  case HELP_NEXT_ID:
    CurrentGame.helpPage = static_cast<uint8_t>(CurrentGame.helpPage + 1);
    PlaySample(SND_SELECT);
    break;
  default:
    break;
  }
}

void PauseDialogClick() {
  if (HoverId == DIALOG_YES_ID)
    AnswerPause(true);
  else if (HoverId == DIALOG_NO_ID)
    AnswerPause(false);
}

void RetryDialogClick() {
  if (HoverId == DIALOG_NO_ID)
    AnswerRetry(false);
  else if (HoverId == DIALOG_YES_ID)
    AnswerRetry(true);
}
