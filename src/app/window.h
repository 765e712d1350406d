// The game window and its input. The window procedure is the only producer of
// input: it keeps the key table and the mouse position the rest of the program
// reads, turns mouse buttons into player actions or front-end clicks, mutes the
// audio while minimised or inactive, and answers the display-switch message.
#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"

struct Application {
  std::string className;  // "OpenGL"
};

struct GL_WindowInit {
  Application* application;
  std::string title;  // "quorbels"
  int32_t width;      // 800
  int32_t height;     // 600
  int32_t bitsPerPixel;  // 32
  uint8_t fullScreen;    // cleared when the switch to full screen fails
};

struct GL_Window {
  uint8_t* keys;
  uint8_t windowOpen;  // stands for the window, device and render context handles
  GL_WindowInit init;
  uint8_t visible;       // 0 while minimised
  uint32_t createdTick;  // system time at the end of a successful opening
};

extern Application GameApplication;
extern GL_Window GameWindow;

// 256 key bytes by Windows virtual-key code, 1 while down; cleared at every opening.
extern uint8_t Keys[256];
// 1 for every key pressed since the frame driver last looked, even if it has been
// released again meanwhile; the frame driver clears it after each frame's keys.
extern uint8_t KeyPresses[256];
// Last pointer position in picture pixels (0..65535).
extern int32_t MouseX;
extern int32_t MouseY;

bool RegisterGameWindowClass(Application& application);
void UnregisterGameWindowClass(Application& application);
bool OpenGameWindow(GL_Window& window);
void CloseGameWindow(GL_Window& window);
bool SetFullscreenMode(int width, int height, int bits);
void ResizeViewport(int width, int height);
// Keeps the system pointer in x 5..795, y 100..500 of the picture during play.
void ConfineCursor();
// Releases the confinement (pause, game over, front-end).
void ReleaseCursor();
// Handles one event the way the window procedure does.
int32_t GameWindowProc(GL_Window& window, const PlatformEvent& event);
