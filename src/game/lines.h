// Line removal in two stages. CheckLines counts and scores the complete rows,
// plays their effects and blanks them in `shownCells` at once, while `cells`
// keeps them; DropRows removes them from `cells` when the fall timer has run out.
// DropRows also throws boxes off the margin columns and runs the danger test.
#pragma once
#include <cstdint>

// Every active cell of row r holds something other than CELL_EMPTY or CELL_TUBE
// (boxes of any colour, bombs, undrawn layout cells, tubes marked for removal).
bool IsRowComplete(int32_t r);

// Called at a landing moment and by DropRows. In order: plays out a pending bomb
// blast, copies `cells` into `shownCells`, counts the complete rows whose
// lineTimer is 0 (every fifth refills the meter, steps the arcade difficulty and
// marks the bottom tube row for removal), spawns suit drops, debris and stars,
// scores 10/30/60/100 for 1..4 lines with the banner and samples (no banner or
// sample 11 in a puzzle), and in a story level ends the level when its lines are
// done: money grows by the score and the next level may open.
void CheckLines();

// Once per game tick: fall timer, danger test (game over with sample 14), margin
// clean-up (falling boxes, sample 21), and, when the fall timer is 0, the removal
// of complete rows from `cells` followed by CheckLines (sample 10 when boxes fell).
void DropRows();
