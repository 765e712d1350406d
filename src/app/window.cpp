#include "app/window.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cstring>

#include "app/command_line.h"
#include "app/desktop.h"
#include "app/pad_input.h"
#include "app/shell_calls.h"
#include "assets/sound.h"
#include "core/modes.h"
#include "core/pad.h"
#include "game/options.h"
#include "render/gl_state.h"

Application GameApplication;
GL_Window GameWindow;

namespace {
// The volumes of the options record, as the audio layer takes them.
void ApplyOptionVolumes() {
  SetStreamVolume(Options[OPT_MUSIC_VOLUME] * 10);
  SetSampleVolume(Options[OPT_SOUND_VOLUME] * 10);
}

void Mute() {
  SetStreamVolume(0);
  SetSampleVolume(0);
}

void StorePointer(const PlatformEvent& event) {
  MouseX = event.x & 0xFFFF;
  MouseY = event.y & 0xFFFF;
}

// The screen saver may start whenever the game is not in front of the player.
void FollowFront(const GL_Window& window) {
  PlatformAllowScreenSaver(window.visible == 0 || window.active == 0);
}

bool IsPadButton(int button) {
  return button >= 0 && button < PAD_BUTTONS;
}

int16_t StickValue(int v) {
  return static_cast<int16_t>(v < -32768 ? -32768 : v > 32767 ? 32767 : v);
}
} // namespace

bool RegisterGameWindowClass(Application& application) {
  NameGameToDesktop(); // a no-op when RunProgram named it already; the GL tests start here
  if (application.className.empty() || !PlatformInitVideo()) {
    PlatformMessageBox("RegisterClassEx Failed!", "Error", MessageIcon::Exclamation);
    return false;
  }
  LoadWindowIcon();
  return true;
}

void UnregisterGameWindowClass(Application&) {
  PlatformQuitVideo();
}

bool OpenGameWindow(GL_Window& window) {
  GL_WindowInit& init = window.init;
  int samples = MultisampleEnabled ? MultisampleFormat : 0;
  // The window is made in the windowed style first; the switch to full screen
  // follows, so a refused switch leaves a proper 800 x 600 window behind.
  if (!PlatformOpenWindow(init.title.c_str(), init.width, init.height, false, samples, nullptr)) {
    window.windowOpen = 0;
    return false;
  }
  window.windowOpen = 1;
  if (init.fullScreen == 1) {
    if (!SetFullscreenMode(init.width, init.height, init.bitsPerPixel)) {
      PlatformMessageBox("Mode Switch Failed.\\nRunning In Windowed Mode.", "Error",
                         MessageIcon::Exclamation);
      init.fullScreen = 0;
    }
  }
  // Every screen draws its own pointer, in both modes.
  PlatformHidePointer();
  if (MultisampleEnabled == 0 && SetupMultisample(CommandLine.multisample)) {
    CloseGameWindow(window);
    return OpenGameWindow(window);
  }
  PlatformShowWindow();
  window.visible = 1;
  // The window is shown and raised in front of the player.
  window.active = 1;
  FollowFront(window);
  ResizeViewport(init.width, init.height);
  std::memset(window.keys ? window.keys : Keys, 0, 256);
  std::memset(KeyPresses, 0, sizeof KeyPresses);
  window.createdTick = PlatformTicks();
  return true;
}

void CloseGameWindow(GL_Window& window) {
  if (window.windowOpen) {
    PlatformCloseWindow();
    window.windowOpen = 0;
  }
}

bool SetFullscreenMode(int width, int height, int bits) {
  // The desktop keeps its own mode; the 800 x 600 picture is scaled into it, so
  // any size and depth the game asks for can be shown.
  (void)width;
  (void)height;
  (void)bits;
  return PlatformSetFullscreen(true);
}

void ResizeViewport(int width, int height) {
  if (height == 0) height = 1;
  if (!PlatformWindowOpen()) return;
  PlatformSetViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(50.0, static_cast<double>(width) / height, 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

int32_t GameWindowProc(GL_Window& window, const PlatformEvent& event) {
  uint8_t* keys = window.keys ? window.keys : Keys;
  switch (event.type) {
  case EventType::ScreenSaver:
    // Neither the screen saver nor a monitor power-down starts while the game runs.
    return 0;
  case EventType::Restored:
    window.visible = 1;
    ApplyOptionVolumes();
    FollowFront(window);
    return 0;
  case EventType::Minimised:
    window.visible = 0;
    Mute();
    FollowFront(window);
    return 0;
  case EventType::Close:
    QuitProgram();
    return 0;
  case EventType::FocusLost:
    window.active = 0;
    Mute();
    FollowFront(window);
    // The player has turned to something else: the stones wait in the pause dialog.
    if (TopMode == MODE_GAME) ShellCalls.pauseGame();
    return 0;
  case EventType::FocusGained:
    window.active = 1;
    ApplyOptionVolumes();
    FollowFront(window);
    return 0;
  case EventType::KeyDown:
    if (event.vk >= 0 && event.vk <= 255) {
      keys[event.vk] = 1;
      KeyPresses[event.vk] = 1;
    }
    return 0;
  case EventType::KeyUp:
    if (event.vk >= 0 && event.vk <= 255) keys[event.vk] = 0;
    return 0;
  case EventType::MouseMove:
    StorePointer(event);
    return 0;
  case EventType::ButtonDown:
    // The press position is stored first, so the action sees where the button went down.
    StorePointer(event);
    if (event.button == 0) {
      if (TopMode == MODE_GAME) ShellCalls.dispatchAction(0);
      if (TopMode == MODE_FRONTEND) ShellCalls.menuClick();
    } else if (event.button == 1) {
      ShellCalls.dispatchAction(1);
    } else if (event.button == 2) {
      ShellCalls.dispatchAction(2);
    }
    return 0;
  case EventType::PadAdded:
    PadsConnected = static_cast<uint8_t>(event.x);
    return 0;
  case EventType::PadRemoved:
    PadsConnected = static_cast<uint8_t>(event.x);
    std::memset(PadHeld, 0, sizeof PadHeld);
    PadStickX = PadStickY = 0;
    ResetPadInput();
    // A player whose pad has gone cannot go on: the game waits in its pause dialog.
    if (TopMode == MODE_GAME) ShellCalls.pauseGame();
    return 0;
  case EventType::PadButtonDown:
    if (!IsPadButton(event.button)) return 0;
    PadHeld[event.button] = 1;
    PadButtonPressed(static_cast<PadButton>(event.button));
    return 0;
  case EventType::PadButtonUp:
    if (IsPadButton(event.button)) PadHeld[event.button] = 0;
    return 0;
  case EventType::PadStick:
    PadStickX = StickValue(event.x);
    PadStickY = StickValue(event.y);
    return 0;
  case EventType::ToggleDisplay:
    WantFullscreen = static_cast<uint8_t>(1 - WantFullscreen);
    PlatformPostQuit();
    return 0;
  default:
    return 0;
  }
}
