// The SDL window behind the game window, for the parts of the platform layer that
// must talk to the window system directly (kept apart because the X11 headers
// define names such as Window and None that clash with the game's own).
#pragma once
#include <SDL.h>

// The open game window, or null.
SDL_Window* PlatformSdlWindow();

// Moves and sizes the window directly on the X server (nothing elsewhere).
void PlatformPlaceWindow(SDL_Window* window, int x, int y, int width, int height);

// Asks the new window's context for vsync (none with pacing off) and starts
// timing its swaps (pacing.cpp). Called by PlatformOpenWindow.
void StartFramePacing(SDL_Window* window);

// Lifts the X server's screen-saver suspension that SDL took for the window's
// connection, where SDL itself does not (see platform.h's PlatformAllowScreenSaver).
void PlatformReleaseXScreenSaver(SDL_Window* window);
