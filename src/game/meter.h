// The level meter (the potion), the game's clock: it drains every running tick;
// when it runs dry a line of tubes is pushed in at the bottom and the meter starts
// full again. Suit drops, every fifth line and the Potion fill it.
#pragma once

// Once per game tick. Counts the flash down; below 12 keeps the warning loop
// (sample 12) playing at a level that rises as the meter falls, and shakes the
// field; drains unless the Hourglass or the dream editor runs, the game is paused,
// over or cleared, the level is a puzzle or the instruction overlay is shown
// (CurrentGame.helpShown). An empty meter waits at 0 while any stone is dropping
// and otherwise refills to 100 and pushes a tube line.
void UpdateMeter();

// Lifts every active column one row (row 0 goes to -1), fills row 11 with tubes,
// stops the warning loop, plays sample 25, and lets complete rows drop at once.
void PushTubeLine();

// Arcade only (levelNumber already raised): faster stones up to step 15, in the
// direction they fly, and a faster drain, by the difficulty table.
void ArcadeStep();

// A suit drop reached the meter this tick: +gainPerDrop once (capped at 100),
// sample 2 and the flash. Called by the game tick when SuitDropArrived is set.
void GainFromSuitDrop();
