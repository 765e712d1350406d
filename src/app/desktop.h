// How the game shows itself on the desktop: the window's class is the desktop
// entry's name (QUORBELS_APP_ID, also its StartupWMClass), so docks and task
// switchers group the window with its entry and show its name and icon; the window
// carries the game's own icon (data/textures/window_icon.tga, drawn by the data
// generator like the icons the install puts in the icon theme).
#pragma once

// Before the video starts: the window class and the program's name for the desktop.
void NameGameToDesktop();
// Reads the window icon (once BaseDir is known) and hands it to the platform,
// which gives it to every window. A missing or damaged icon is reported on stderr
// and the game goes on without one.
void LoadWindowIcon();
// The icon's path below BaseDir.
constexpr const char* WINDOW_ICON_FILE = "data/textures/window_icon.tga";
