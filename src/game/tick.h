// Starting a game, the fixed 10 ms game tick, and the ways a game ends.
// The frame driver calls StartLevel when TopMode asks for a game and then runs
// GameTick (now - startTime) div 10 - tick times per frame. The dialog answers
// arrive through DispatchAction (actions.h), which calls the Answer* operations.
#pragma once
#include <cstdint>

// Resets the whole game for story level `level` (0..54, from LevelTable) or
// ARCADE_LEVEL and sets CurrentGame.startTime := startTime, tick := 0. Starts the
// chosen theme's music, empties the dream stone and the playfield, zeroes the
// repeat timers, PrevGameHoverId and the name entry, hides the banners, applies the
// level record (the layout goes into `cells` only) and picks the four stones.
// Confines the cursor unless the instruction overlay is shown (options byte 1).
// A level index with no record (other than ARCADE_LEVEL) starts an arcade game,
// and an arcade size other than 8 or 10 plays on 12 columns.
// Builds the stone templates on first use, so it never depends on start-up order.
void StartLevel(uint16_t level, int32_t startTime);

// One 10 ms step of the game, in its fixed order: level-clear counting, name-entry
// key delays, game-over count, music volume, startDelay and TopMode := pendingMode,
// cursor confinement, tick and escBlock, dream editor, shown score, anchor lean and
// flashes, light swing, meter, effects and banners, suit-drop gain, DropRows,
// wobble, flight, appear timers (a puzzle out of stones ends here), anchor column,
// drop animations, rotation. Allocates nothing.
void GameTick();

// The Retry dialog (game over, clickable once gameOver is above 50).
// Yes: the same level starts again at the current system time.
// No: back to the front-end (main menu, the hall of fame after a name entry, the
// level map after a story game); a pending name is entered into the hall of fame.
void AnswerRetry(bool yes);

// The pause dialog. Yes leaves for the main menu (arcade) or the level map (story)
// without entering the hall of fame; no resumes.
void AnswerPause(bool yes);
