// The game window and its input. The window procedure is the only producer of
// input: it keeps the key table, the mouse position and the game controllers'
// state the rest of the program reads, turns mouse buttons into player actions or
// front-end clicks and controller buttons into the same through app/pad_input.h,
// mutes the audio while minimised or inactive, and answers the display-switch
// message.
//
// The desktop: the window carries the game's icon and the desktop entry's class
// (app/desktop.h); the screen saver is held off only while the window is in front
// (shown and focused); a game in play is paused when the window loses the focus or
// a game controller is unplugged.
#pragma once
#include <cstdint>
#include <string>

#include "core/input.h"
#include "platform/platform.h"

struct Application {
  std::string className; // "OpenGL"
};

struct GL_WindowInit {
  Application* application;
  std::string title;    // "quorbels"
  int32_t width;        // 800
  int32_t height;       // 600
  int32_t bitsPerPixel; // 32
  uint8_t fullScreen;   // cleared when the switch to full screen fails
};

struct GL_Window {
  uint8_t* keys;
  uint8_t windowOpen; // stands for the window, device and render context handles
  GL_WindowInit init;
  uint8_t visible;      // 0 while minimised
  uint8_t active;       // 1 while the window has the input focus (from its opening on)
  uint32_t createdTick; // system time at the end of a successful opening
};

extern Application GameApplication;
extern GL_Window GameWindow;

// The window procedure writes the key table and the pointer position (Keys, MouseX,
// MouseY in core/input.h).
bool RegisterGameWindowClass(Application& application);
void UnregisterGameWindowClass(Application& application);
bool OpenGameWindow(GL_Window& window);
void CloseGameWindow(GL_Window& window);
bool SetFullscreenMode(int width, int height, int bits);
void ResizeViewport(int width, int height);
// Handles one event the way the window procedure does.
int32_t GameWindowProc(GL_Window& window, const PlatformEvent& event);
