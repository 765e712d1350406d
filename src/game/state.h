// The game state: the playfield, the ring of flying stones, the anchor, the
// stone being pulled, the bomb blast, the level meter and the counters of the
// game in progress. All of it is program-wide and lives for the whole run; it is
// reset by StartLevel at every game start. The rules change it once per 10 ms
// tick and on player actions; the scene and the screens only read it.
// No SDL or OpenGL here: the rules are plain data and arithmetic.
#pragma once
#include <cstdint>

// --- playfield ------------------------------------------------------------
// Columns -5..16, rows -5..12. Row 0 is the top row of the play area, row 11 the
// bottom row; row 12 stays empty in the active columns and is the floor.
constexpr int FIELD_MIN_COLUMN = -5;
constexpr int FIELD_MAX_COLUMN = 16;
constexpr int FIELD_MIN_ROW = -5;
constexpr int FIELD_MAX_ROW = 12;
constexpr int FIELD_COLUMNS = 22;
constexpr int FIELD_ROWS = 18;

// Cell values.
constexpr uint8_t CELL_EMPTY = 0;
constexpr uint8_t CELL_TUBE_CLEARING = 30; // tube of a row marked for removal: filled, scores nothing
constexpr uint8_t CELL_TUBE = 40;          // a hole for the line test; bombs leave it
constexpr uint8_t CELL_BOMB = 100;
constexpr uint8_t CELL_HIDDEN = 255; // from a level layout: filled, never drawn

constexpr uint16_t ARCADE_LEVEL = 999;

// Two grids of identical layout, stored column by column (18 cells of a column
// are contiguous). `cells` is the grid of record; `shownCells` is the copy the
// scene draws, taken at every line check.
struct Playfield {
  uint8_t cells[FIELD_COLUMNS * FIELD_ROWS];
  uint8_t shownCells[FIELD_COLUMNS * FIELD_ROWS];
};
extern Playfield Field;

// Index of cell (c, r) in either grid. c in -5..16, r in -5..12.
constexpr int CellIndex(int c, int r) {
  return (c + 5) * FIELD_ROWS + (r + 5);
}
inline uint8_t& Cell(int c, int r) {
  return Field.cells[CellIndex(c, r)];
}
inline uint8_t& ShownCell(int c, int r) {
  return Field.shownCells[CellIndex(c, r)];
}

// --- cylinder size -----------------------------------------------------------
// Columns firstColumn..lastColumn are active: 2..9 for 8, 1..10 for 10, 0..11 for 12.
extern int32_t CylinderSize;       // size of the game in progress (8, 10 or 12)
extern int32_t ArcadeCylinderSize; // chosen on the arcade set-up screen
inline int32_t FirstColumn() {
  return (12 - CylinderSize) / 2;
}
inline int32_t LastColumn() {
  return FirstColumn() + CylinderSize - 1;
}
inline bool IsActiveColumn(int32_t c) {
  return c >= FirstColumn() && c <= LastColumn();
}

// What the front-end asks for when it starts a game (TopMode 100).
extern uint16_t StartLevelIndex; // 0..54 story, ARCADE_LEVEL arcade
extern uint8_t ChosenTheme;      // 1..5

// --- stone templates -------------------------------------------------------
// 17 kinds x 4 rotations x 16 bytes; index 0 unused. Four rows of four bytes, row 0
// on top; byte 0 empty, 1 box, 2 bomb box. Box (x, h) with h counted from the
// bottom row is byte (3 - h) * 4 + x. Kind 17 is the dream stone: writable, and
// empty at the start of every game.
constexpr int STONE_KINDS = 17;
constexpr int DREAM_KIND = 17;
extern uint8_t StoneTemplates[STONE_KINDS + 1][4][16];
// The dream stone's four rotations (the same bytes as StoneTemplates[17]).
inline uint8_t (&DreamStone())[4][16] {
  return StoneTemplates[DREAM_KIND];
}
constexpr int TemplateByte(int x, int h) {
  return (3 - h) * 4 + x;
}
// Builds rotations 1..3 of kinds 1..16 from their rotation-0 tables and empties the
// dream stone. Called once at start-up (and by tests).
void InitStoneTemplates();
// new[row i][col j] = old[row 3-j][col i]: a quarter turn clockwise.
void RotateQuarterClockwise(const uint8_t in[16], uint8_t out[16]);

// --- the ring of flying stones -------------------------------------------------
struct StoneRingState {
  uint8_t kind[4];         // 1..17
  int32_t appearTimer[4];  // ticks until the stone is fully back
  uint8_t dropProgress[4]; // 0 = not dropping
  uint8_t dropLands[4];    // 1 = the last pull landed
  int32_t rotation;        // 0..3, shared by all four stones
  int32_t rotateTimer;     // pending quarter turn clockwise: 10 when asked, -1 idle
  int32_t rotateBackTimer; // pending quarter turn anticlockwise
  float position;          // 0..2000, 100 units per ring slot
  float speed;             // units per tick; the sign is the direction
  int32_t roundedPosition; // Round(position), every tick
};
extern StoneRingState StoneRing;

// --- the anchor -----------------------------------------------------------------
struct AnchorState {
  int32_t column;          // always an active column
  int32_t prevSoundColumn; // column of the previous tick, for the change sound
  int32_t prevLeanColumn;  // column of the tick before, for the lean
  float windowLeft;        // left edge of the mouse window, in mouse pixels
  int32_t lean;            // +-20 on a column change, decays by 1 per tick
};
extern AnchorState Anchor;

// --- the stone being pulled --------------------------------------------------------
struct PulledStoneState {
  int32_t slot;         // ring index 0..3
  uint8_t anchorColumn; // anchor column at the pull
  uint8_t shape[16];    // template at the pull, column by column: byte x*4 + h
  uint8_t pivotHeight;  // h of the lowest box above the anchor
  int32_t dropLength;   // pivotHeight + 15 (landing: at most 17)
  int32_t landingRow;   // row the pivot box comes to rest in
  int32_t ringColumn;   // ring slot of template column 0 at the pull, minus 10
  float ringColumnF;    // float copy of ringColumn
  float heightOffset;   // -(landing row + pivotHeight), for drawing a fly-back
};
extern PulledStoneState PulledStone;

// --- bomb blast -------------------------------------------------------------------
struct BlastCell {
  int32_t column;
  int32_t row;
  uint8_t value; // former cell value
};
struct BombBlastState {
  uint8_t pending;
  int32_t centreColumn;
  int32_t centreRow;
  BlastCell cells[9];
};
extern BombBlastState BombBlast;

// --- level meter --------------------------------------------------------------------
struct LevelMeterState {
  float value; // 0..100, 100 = full
  float drainPerTick;
  float gainPerDrop;   // 1.5
  int32_t flash;       // 255 when a drop arrives, -55 per tick
  float shake;         // vertical shake of the field while value < 12
  uint8_t warningOn;   // 1 while the warning loop plays
  uint8_t refillFlash; // 254 on a full refill or a tube push, -2 per tick
};
extern LevelMeterState LevelMeter;

// --- the game in progress -------------------------------------------------------------
struct CurrentGameState {
  uint16_t level;      // story level 0..54 or ARCADE_LEVEL
  int32_t levelNumber; // story: level index; arcade: difficulty step from 1
  uint8_t puzzle;
  uint8_t puzzleIndex;
  int32_t score;
  int32_t shownScore;
  int32_t linesLeft; // story: lines still to remove; arcade: lines removed
  int32_t linesToRefill;
  uint8_t bombChance;
  uint8_t dangerHeight;
  uint8_t aimHelp;
  uint8_t dreamPending;
  uint8_t paused;
  uint8_t escBlock;
  uint8_t startDelay;
  int32_t pendingMode; // copied into TopMode at every tick
  int32_t gameOver;    // 0 running, 1..100 counting; Retry live above 50
  uint8_t lineRemovedFlag;
  uint8_t lineTimer[26]; // per row, index r + 5
  int32_t fallTimer;
  int32_t hourglassTimer;
  int32_t dreamTimer;
  int32_t tick;
  int32_t startTime;
  uint8_t levelCleared;
  int32_t clearTicks;
  int32_t clearEndTicks;
  int32_t shownMoney;
  int32_t shownLevelScore;
  uint8_t theme; // 1..5
  uint8_t helpShown;
  uint8_t helpPage;
};
extern CurrentGameState CurrentGame;
inline bool IsArcade() {
  return CurrentGame.level == ARCADE_LEVEL;
}

// Animation values the tick sets for the scene.
extern float WobblePhase1; // tick
extern float WobblePhase2; // tick x 1.1
extern float FuseGlow;     // sin(tick / 50) / 2 + 0.5
extern float LightSwing;   // x of the field light: sin(tick / 300)

// --- items ------------------------------------------------------------------------------
enum ItemKind : uint8_t {
  ITEM_NONE = 0,
  OneLine = 1,
  TwoLines = 2,
  OneTube = 3,
  TwoTubes = 4,
  Aimhelp = 5,
  Hourglass = 6,
  Dreambox = 7,
  Potion = 8,
};
constexpr int ITEM_KINDS = 8;
// The three item slots, F1..F3: an ItemKind or 0. Copied out of the save record
// after loading and back just before saving.
extern uint8_t ItemSlots[3];
// "One Line - Removes one line of colored blocks", ... index = kind - 1.
extern const char* const ItemDescriptions[ITEM_KINDS];
