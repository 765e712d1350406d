#include "game/state.h"

#include <cstring>

Playfield Field;
int32_t CylinderSize = 12;
int32_t ArcadeCylinderSize = 12;
uint16_t StartLevelIndex = ARCADE_LEVEL;
uint8_t ChosenTheme = 1;
uint8_t StoneTemplates[STONE_KINDS + 1][4][16];
StoneRingState StoneRing = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, -1, -1, 0.0f, 0.0f, 0};
AnchorState Anchor;
PulledStoneState PulledStone;
BombBlastState BombBlast;
LevelMeterState LevelMeter;
CurrentGameState CurrentGame;
float WobblePhase1 = 0.0f;
float WobblePhase2 = 0.0f;
float FuseGlow = 0.5f;
float LightSwing = 0.0f;
uint8_t ItemSlots[3];

const char* const ItemDescriptions[ITEM_KINDS] = {
    "One Line - Removes one line of colored blocks",
    "Two Lines - Removes two lines of colored blocks",
    "One Tube - Removes one line of tubes",
    "Two Tubes - Removes two lines of tubes",
    "Aimhelp - Helps you to see where the stone drops",
    "Hourglass - Play in slowmotion for some seconds",
    "Dreambox - Design your boxes during gameplay",
    "Potion - Fill up the level-meter",
};

namespace {
// Rotation 0 of the 16 shipped kinds, four rows of four bytes, row 0 on top.
// Kinds 9..16 are kinds 1..8 with one box replaced by a bomb box (2).
const char* const BaseShapes[16][4] = {
    {"0000", "1111", "0000", "0000"}, {"0110", "0010", "0110", "0000"}, {"0000", "0111", "0100", "0000"},
    {"0000", "0100", "0111", "0000"}, {"0000", "0110", "0110", "0000"}, {"0010", "0110", "0010", "0000"},
    {"0100", "0110", "0010", "0000"}, {"0010", "0110", "0100", "0000"}, {"0000", "1121", "0000", "0000"},
    {"0110", "0020", "0110", "0000"}, {"0000", "0211", "0100", "0000"}, {"0000", "0100", "0211", "0000"},
    {"0000", "0120", "0110", "0000"}, {"0010", "0210", "0010", "0000"}, {"0200", "0110", "0010", "0000"},
    {"0010", "0210", "0100", "0000"},
};
} // namespace

void RotateQuarterClockwise(const uint8_t in[16], uint8_t out[16]) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) out[i * 4 + j] = in[(3 - j) * 4 + i];
}

void InitStoneTemplates() {
  std::memset(StoneTemplates, 0, sizeof StoneTemplates);
  for (int k = 0; k < 16; ++k) {
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 4; ++col)
        StoneTemplates[k + 1][0][row * 4 + col] = static_cast<uint8_t>(BaseShapes[k][row][col] - '0');
    for (int r = 1; r < 4; ++r)
      RotateQuarterClockwise(StoneTemplates[k + 1][r - 1], StoneTemplates[k + 1][r]);
  }
}
