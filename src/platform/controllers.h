// Game controllers over SDL's game-controller API, for the event layer in
// window.cpp: SDL finds the pads (its mapping database, SDL_GAMECONTROLLERCONFIG
// and SDL_GAMECONTROLLERCONFIG_FILE), this file opens each one as it arrives,
// closes it when it goes, and turns its events into the game's PlatformEvents.
#pragma once
#include <SDL.h>

#include "platform/platform.h"

// Starts SDL's game-controller subsystem; the pads already plugged in arrive as
// events. False (with the reason on stderr) when it cannot start: the game is
// then played with the mouse and the keyboard only.
bool StartControllers();
// Closes every open pad and stops the subsystem.
void StopControllers();
// Turns an SDL controller event into the game's event; false for everything else
// (and for controller events the game has no use for). A pad that arrives is
// opened here, one that leaves is closed.
bool TranslateControllerEvent(const SDL_Event& e, PlatformEvent& out);
