// The window, its OpenGL context, the letterbox, input events, the pointer and
// message boxes, over SDL2. The game above sees one 800 x 600 picture, Windows
// virtual-key codes and a queue of plain events.
#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controllers.h"
#include "platform/platform.h"
#include "platform/sdl_window.h"

namespace {
SDL_Window* Window = nullptr;
SDL_GLContext Context = nullptr;
// Rendering contexts made for the game window so far.
uint32_t ContextSerial = 0;
bool VideoStarted = false;
int WindowedWidth = PICTURE_WIDTH; // size of the open window in windowed mode
int WindowedHeight = PICTURE_HEIGHT;
bool MessageBoxesShown = true;
// The confinement last sent to the window system. Play asks for the same band on
// every tick and the front-end releases it on every frame; each real change costs
// the X server a round of pointer barriers, so unchanged requests are not sent.
bool PointerConfined = false;
SDL_Rect ConfinedRect{0, 0, 0, 0};

// The two private messages of the game's own queue: the quit message and the
// display-switch message. They travel as one SDL user event type.
uint32_t PrivateEventType = 0;
enum : int32_t { PRIVATE_QUIT = 0, PRIVATE_TOGGLE_DISPLAY = 1 };

std::string VideoFailure;

// The window icon as the desktop gets it (rows from the top, RGBA), kept for
// every window the game opens.
std::vector<uint8_t> IconPixels;
int IconWidth = 0, IconHeight = 0;

int MessageCount = 0;
std::string LastMessageText;
std::string LastMessageCaption;

uint32_t PrivateEvent() {
  if (PrivateEventType == 0) PrivateEventType = SDL_RegisterEvents(1);
  return PrivateEventType;
}

// True when a real window system is there to show a message box on: the video
// driver runs and is not one of SDL's headless drivers.
bool DisplayAvailable() {
  if (!MessageBoxesShown) return false;
  const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
  if (driver) return std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
  // Before the video subsystem starts (a data file missing at start-up) SDL can
  // still show a box when the X server or compositor is reachable.
  const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
  if (wanted && (std::strcmp(wanted, "dummy") == 0 || std::strcmp(wanted, "offscreen") == 0)) return false;
  const char* x = SDL_getenv("DISPLAY");
  const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

// False when SDL started one of its headless drivers without SDL_VIDEODRIVER
// naming it: nothing would be seen.
bool VideoDriverUsable() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || (std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0)) return true;
  const char* wanted = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return wanted && std::strstr(wanted, driver) != nullptr;
}

// SDL's own X11 box puts a text on one line however long it is; a message that
// names a file would make it wider than many screens. Lines are broken at blanks.
std::string WrapForBox(const char* text) {
  constexpr size_t WIDTH = 72;
  std::string out(text);
  size_t lineStart = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\n') lineStart = i + 1;
    if (i - lineStart < WIDTH) continue;
    size_t blank = out.rfind(' ', i);
    if (blank == std::string::npos || blank < lineStart) continue;
    out[blank] = '\n';
    lineStart = blank + 1;
  }
  return out;
}

void SetGLAttributes(int samples) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
}

bool IsFullscreen(SDL_Window* w) {
  return (SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN) != 0;
}

// Window pixels to picture pixels, for the window as it is now.
void MapPosition(int wx, int wy, int* px, int* py) {
  int ww = PICTURE_WIDTH, wh = PICTURE_HEIGHT;
  if (Window) SDL_GetWindowSize(Window, &ww, &wh);
  MapWindowToPicture(ww, wh, wx, wy, px, py);
}

// Picture pixels to window pixels (top-left origin), for pointer rectangles and warps.
void MapPictureToWindow(int px, int py, int* wx, int* wy) {
  int ww = PICTURE_WIDTH, wh = PICTURE_HEIGHT;
  if (Window) SDL_GetWindowSize(Window, &ww, &wh);
  Letterbox box = ComputeLetterbox(ww, wh);
  int top = wh - box.y - box.height;
  *wx = box.x + static_cast<int>(static_cast<int64_t>(px) * box.width / PICTURE_WIDTH);
  *wy = top + static_cast<int>(static_cast<int64_t>(py) * box.height / PICTURE_HEIGHT);
}

// Letters and digits by key position, for layouts whose letters are not Latin.
int VirtualKeyFromScancode(SDL_Scancode sc) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 65 + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return 49 + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return 48;
  return 0;
}

// Turns one SDL event into the game's event; false for events the game ignores.
bool Translate(const SDL_Event& e, PlatformEvent& out) {
  out = PlatformEvent{};
  switch (e.type) {
  case SDL_QUIT:
    // The close button, Alt+F4, Ctrl+C and SIGTERM all end up here.
    out.type = EventType::Close;
    return true;
  case SDL_KEYDOWN:
  case SDL_KEYUP: {
    int vk = VirtualKeyFromKeycode(e.key.keysym.sym);
    if (vk == 0) vk = VirtualKeyFromScancode(e.key.keysym.scancode);
    if (vk == 0) return false;
    out.type = e.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
    out.vk = vk;
    return true;
  }
  case SDL_MOUSEMOTION:
    out.type = EventType::MouseMove;
    MapPosition(e.motion.x, e.motion.y, &out.x, &out.y);
    return true;
  case SDL_MOUSEBUTTONDOWN:
    if (e.button.button == SDL_BUTTON_LEFT)
      out.button = 0;
    else if (e.button.button == SDL_BUTTON_RIGHT)
      out.button = 1;
    else if (e.button.button == SDL_BUTTON_MIDDLE)
      out.button = 2;
    else
      return false;
    out.type = EventType::ButtonDown;
    MapPosition(e.button.x, e.button.y, &out.x, &out.y);
    return true;
  case SDL_WINDOWEVENT:
    switch (e.window.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
      out.type = EventType::Minimised;
      return true;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
      out.type = EventType::Restored;
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      out.type = EventType::FocusLost;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.type = EventType::FocusGained;
      return true;
    default:
      return false;
    }
  default:
    if (TranslateControllerEvent(e, out)) return true;
    if (e.type == PrivateEvent()) {
      out.type = e.user.code == PRIVATE_TOGGLE_DISPLAY ? EventType::ToggleDisplay : EventType::Quit;
      return true;
    }
    return false;
  }
}

void ApplyIcon() {
  if (!Window || IconPixels.empty()) return;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(IconPixels.data(), IconWidth, IconHeight, 32,
                                                         IconWidth * 4, SDL_PIXELFORMAT_RGBA32);
  if (!icon) {
    std::fprintf(stderr, "SDL window icon: %s\n", SDL_GetError());
    return;
  }
  SDL_SetWindowIcon(Window, icon);
  SDL_FreeSurface(icon);
}

void PushPrivate(int32_t code) {
  SDL_Event e{};
  e.type = PrivateEvent();
  e.user.code = code;
  SDL_PushEvent(&e);
}
} // namespace

// --- clock -------------------------------------------------------------------

uint32_t PlatformTicks() {
  return SDL_GetTicks();
}

// --- message boxes -------------------------------------------------------------

void PlatformMessageBox(const char* text, const char* caption, MessageIcon icon) {
  ++MessageCount;
  LastMessageText = text;
  LastMessageCaption = caption;
  std::fprintf(stderr, "%s: %s\n", caption, text);
  std::fflush(stderr);
  if (!DisplayAvailable()) return;
  uint32_t flags = icon == MessageIcon::Error         ? SDL_MESSAGEBOX_ERROR
                   : icon == MessageIcon::Exclamation ? SDL_MESSAGEBOX_WARNING
                                                      : SDL_MESSAGEBOX_INFORMATION;
  // The game's window (if any) is the parent, so the box stays above it in full screen.
  SDL_ShowSimpleMessageBox(flags, caption, WrapForBox(text).c_str(), Window);
}

int PlatformMessageCount() {
  return MessageCount;
}
const char* PlatformLastMessageText() {
  return LastMessageText.c_str();
}
const char* PlatformLastMessageCaption() {
  return LastMessageCaption.c_str();
}
void PlatformShowMessageBoxes(bool shown) {
  MessageBoxesShown = shown;
}

// --- the desktop -----------------------------------------------------------------

void PlatformSetIdentity(const char* appId, const char* name) {
  // SDL reads the class from these variables when its video starts (X11 and
  // Wayland each have their own); without them it would take the program's file name.
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", appId, 0);
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", appId, 0);
  SDL_SetHint(SDL_HINT_APP_NAME, name);
}

void PlatformSetWindowIcon(const uint8_t* rgba, int width, int height) {
  if (!rgba || width <= 0 || height <= 0) return;
  IconPixels.assign(rgba, rgba + static_cast<size_t>(width) * height * 4);
  IconWidth = width;
  IconHeight = height;
  ApplyIcon();
}

void PlatformAllowScreenSaver(bool allowed) {
  if (!VideoStarted || allowed == (SDL_IsScreenSaverEnabled() == SDL_TRUE)) return;
  if (allowed) {
    SDL_EnableScreenSaver();
    PlatformReleaseXScreenSaver(Window);
  } else {
    SDL_DisableScreenSaver();
  }
}

bool PlatformScreenSaverAllowed() {
  return VideoStarted && SDL_IsScreenSaverEnabled();
}

// --- video ---------------------------------------------------------------------

bool PlatformInitVideo() {
  if (VideoStarted) return true;
  // Windows sends no mouse click for the click that merely activates a window;
  // the game expects the first click into it to count as well.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // "No event" must mean the queue is empty, not that a round of polling ended:
  // the message loop renders a frame whenever nothing is waiting.
  SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    VideoFailure = std::string("The display cannot be opened: ") + SDL_GetError() + ".";
    return false;
  }
  if (!VideoDriverUsable()) {
    const char* x = SDL_getenv("DISPLAY");
    const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
    VideoFailure = std::string("No display to show the game on: ") +
                   ((x && *x) || (wayland && *wayland)
                        ? "the desktop named by DISPLAY or WAYLAND_DISPLAY cannot be reached"
                        : "neither DISPLAY nor WAYLAND_DISPLAY is set") +
                   ". Quorbels needs a graphical desktop.";
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    return false;
  }
  VideoFailure.clear();
  SDL_DisableScreenSaver();
  PrivateEvent();
  VideoStarted = true;
  StartControllers();
  return true;
}

const char* PlatformVideoFailure() {
  return VideoFailure.c_str();
}

void PlatformQuitVideo() {
  if (!VideoStarted) return;
  StopControllers();
  PlatformCloseWindow();
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  VideoStarted = false;
}

bool PlatformOpenWindow(const char* title, int width, int height, bool fullscreen, int samples,
                        bool* fullscreenOk) {
  if (fullscreenOk) *fullscreenOk = false;
  if (!VideoStarted || Window) return false;
  SetGLAttributes(samples);
  WindowedWidth = width;
  WindowedHeight = height;
  uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  Window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
  if (!Window) {
    std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
    return false;
  }
  Context = SDL_GL_CreateContext(Window);
  if (!Context || SDL_GL_MakeCurrent(Window, Context) != 0) {
    std::fprintf(stderr, "SDL OpenGL context: %s\n", SDL_GetError());
    PlatformCloseWindow();
    return false;
  }
  ++ContextSerial;
  StartFramePacing(Window);
  ApplyIcon();
  if (fullscreenOk) *fullscreenOk = fullscreen && IsFullscreen(Window);
  if (fullscreen && !IsFullscreen(Window)) SDL_SetWindowSize(Window, width, height);
  return true;
}

uint32_t PlatformContextSerial() {
  return ContextSerial;
}

void PlatformShowWindow() {
  if (!Window) return;
  SDL_ShowWindow(Window);
  SDL_RaiseWindow(Window);
}

bool PlatformSetFullscreen(bool on) {
  if (!Window) return false;
  if (SDL_SetWindowFullscreen(Window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(Window), &bounds) == 0) {
    if (on) {
      PlatformPlaceWindow(Window, bounds.x, bounds.y, bounds.w, bounds.h);
    } else {
      int w = WindowedWidth, h = WindowedHeight;
      PlatformPlaceWindow(Window, bounds.x + (bounds.w - w) / 2, bounds.y + (bounds.h - h) / 2, w, h);
    }
  }
  return IsFullscreen(Window) == on;
}

void PlatformCloseWindow() {
  // A display switch is clicked: let that button's release reach SDL before the
  // window goes. SDL keeps one button state for the whole program, so a release
  // that never arrived would make it drop the first press in the new window as a
  // repeat. A button held on purpose delays the close by a second at most.
  if (Window) {
    const uint32_t start = SDL_GetTicks();
    while (SDL_GetMouseState(nullptr, nullptr) != 0 && SDL_GetTicks() - start < 1000) {
      SDL_PumpEvents();
      SDL_Delay(5);
    }
  }
  if (Context) {
    SDL_GL_MakeCurrent(Window, nullptr);
    SDL_GL_DeleteContext(Context);
    Context = nullptr;
  }
  if (Window) {
    SDL_SetWindowMouseRect(Window, nullptr);
    SDL_DestroyWindow(Window);
    Window = nullptr;
  }
  PointerConfined = false;
}

bool PlatformWindowOpen() {
  return Window != nullptr && Context != nullptr;
}

void PlatformSwapBuffers() {
  if (Window) SDL_GL_SwapWindow(Window);
}

bool PlatformMultisampleAvailable(int samples) {
  if (!VideoStarted || samples <= 0) return false;
  // A small hidden window with the wanted sample count tells whether the display
  // offers such a format; the game's own context is current again afterwards.
  SetGLAttributes(samples);
  SDL_Window* probe = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  bool found = false;
  if (probe) {
    SDL_GLContext context = SDL_GL_CreateContext(probe);
    if (context) {
      int buffers = 0, got = 0;
      SDL_GL_GetAttribute(SDL_GL_MULTISAMPLEBUFFERS, &buffers);
      SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &got);
      found = buffers >= 1 && got >= samples;
      SDL_GL_MakeCurrent(probe, nullptr);
      SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(probe);
  }
  if (Window && Context) SDL_GL_MakeCurrent(Window, Context);
  return found;
}

SDL_Window* PlatformSdlWindow() {
  return Window;
}

Letterbox ComputeLetterbox(int drawableWidth, int drawableHeight) {
  Letterbox box{0, 0, 0, 0, drawableWidth, drawableHeight};
  if (drawableWidth <= 0 || drawableHeight <= 0) return box;
  int64_t w = drawableWidth, h = drawableHeight;
  if (w * PICTURE_HEIGHT >= h * PICTURE_WIDTH) {
    // Wider than 4:3: bars left and right.
    box.height = drawableHeight;
    box.width = static_cast<int>(h * PICTURE_WIDTH / PICTURE_HEIGHT);
  } else {
    box.width = drawableWidth;
    box.height = static_cast<int>(w * PICTURE_HEIGHT / PICTURE_WIDTH);
  }
  box.x = (drawableWidth - box.width) / 2;
  box.y = (drawableHeight - box.height) / 2;
  return box;
}

Letterbox PlatformLetterbox() {
  int dw = PICTURE_WIDTH, dh = PICTURE_HEIGHT;
  if (Window) SDL_GL_GetDrawableSize(Window, &dw, &dh);
  return ComputeLetterbox(dw, dh);
}

void MapWindowToPicture(int windowWidth, int windowHeight, int wx, int wy, int* px, int* py) {
  Letterbox box = ComputeLetterbox(windowWidth, windowHeight);
  if (box.width <= 0 || box.height <= 0) {
    *px = 0;
    *py = 0;
    return;
  }
  int top = windowHeight - box.y - box.height;
  int64_t x = static_cast<int64_t>(wx - box.x) * PICTURE_WIDTH / box.width;
  int64_t y = static_cast<int64_t>(wy - top) * PICTURE_HEIGHT / box.height;
  // Positions over the bars lie outside the picture; they are kept in the range a
  // 16-bit mouse coordinate can have, and never become negative.
  *px = static_cast<int>(x < 0 ? 0 : x > 65535 ? 65535 : x);
  *py = static_cast<int>(y < 0 ? 0 : y > 65535 ? 65535 : y);
}

namespace {
// The last viewport the game asked for, in picture pixels, and the drawable it
// was mapped onto: when the window changes size under the game (a window
// manager finishing the switch to full screen), the same picture rectangle is
// mapped again.
int ViewportRect[4] = {0, 0, PICTURE_WIDTH, PICTURE_HEIGHT};
int ViewportDrawable[2] = {0, 0};

void ApplyViewport(const Letterbox& box) {
  auto scaleX = [&](int v) { return static_cast<int>(static_cast<int64_t>(v) * box.width / PICTURE_WIDTH); };
  auto scaleY = [&](int v) {
    return static_cast<int>(static_cast<int64_t>(v) * box.height / PICTURE_HEIGHT);
  };
  const int* r = ViewportRect;
  int left = box.x + scaleX(r[0]);
  int bottom = box.y + scaleY(r[1]);
  glViewport(left, bottom, box.x + scaleX(r[0] + r[2]) - left, box.y + scaleY(r[1] + r[3]) - bottom);
  ViewportDrawable[0] = box.drawableWidth;
  ViewportDrawable[1] = box.drawableHeight;
}
} // namespace

void PlatformSetViewport(int x, int y, int width, int height) {
  if (!Context) return;
  ViewportRect[0] = x;
  ViewportRect[1] = y;
  ViewportRect[2] = width;
  ViewportRect[3] = height;
  ApplyViewport(PlatformLetterbox());
}

void PlatformClearBars() {
  if (!Context) return;
  Letterbox box = PlatformLetterbox();
  if (box.drawableWidth != ViewportDrawable[0] || box.drawableHeight != ViewportDrawable[1])
    ApplyViewport(box);
  bool bars = box.x != 0 || box.y != 0 || box.width != box.drawableWidth || box.height != box.drawableHeight;
  if (!bars) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  // Clear the whole drawable to black, then keep the game's own clears inside the
  // picture so the bars stay black whatever colour the screens clear to.
  GLfloat previous[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, previous);
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(previous[0], previous[1], previous[2], previous[3]);
  glScissor(box.x, box.y, box.width, box.height);
  glEnable(GL_SCISSOR_TEST);
}

void* PlatformGetProcAddress(const char* name) {
  return SDL_GL_GetProcAddress(name);
}

// --- pointer -------------------------------------------------------------------

void PlatformConfinePointer(int left, int top, int right, int bottom) {
  if (!Window) return;
  int x0, y0, x1, y1;
  MapPictureToWindow(left, top, &x0, &y0);
  MapPictureToWindow(right, bottom, &x1, &y1);
  SDL_Rect rect{x0, y0, x1 - x0, y1 - y0};
  if (PointerConfined && SDL_RectEquals(&rect, &ConfinedRect)) return;
  SDL_SetWindowMouseRect(Window, &rect);
  PointerConfined = true;
  ConfinedRect = rect;
}

void PlatformReleasePointer() {
  if (!Window || !PointerConfined) return;
  SDL_SetWindowMouseRect(Window, nullptr);
  PointerConfined = false;
}

void PlatformHidePointer() {
  SDL_ShowCursor(SDL_DISABLE);
}

void PlatformWarpPointer(int x, int y) {
  if (!Window) return;
  int wx, wy;
  MapPictureToWindow(x, y, &wx, &wy);
  SDL_WarpMouseInWindow(Window, wx, wy);
}

// --- events ----------------------------------------------------------------------

bool PlatformPollEvent(PlatformEvent& event) {
  if (!VideoStarted) return false;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (Translate(e, event)) return true;
  }
  return false;
}

void PlatformWaitEvent() {
  if (VideoStarted) SDL_WaitEvent(nullptr);
}

void PlatformPostQuit() {
  PushPrivate(PRIVATE_QUIT);
}
void PlatformPostToggleDisplay() {
  PushPrivate(PRIVATE_TOGGLE_DISPLAY);
}

int VirtualKeyFromKeycode(int32_t key) {
  if (key >= SDLK_a && key <= SDLK_z) return 65 + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return 48 + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return 124 + (key - SDLK_F13);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 97 + (key - SDLK_KP_1);
  switch (key) {
  case SDLK_KP_0:
    return 96;
  case SDLK_BACKSPACE:
    return 8;
  case SDLK_TAB:
    return 9;
  case SDLK_RETURN:
  case SDLK_KP_ENTER:
    return 13;
  case SDLK_LSHIFT:
  case SDLK_RSHIFT:
    return 16;
  case SDLK_LCTRL:
  case SDLK_RCTRL:
    return 17;
  case SDLK_LALT:
  case SDLK_RALT:
    return 18;
  case SDLK_PAUSE:
    return 19;
  case SDLK_CAPSLOCK:
    return 20;
  case SDLK_ESCAPE:
    return 27;
  case SDLK_SPACE:
    return 32;
  case SDLK_PAGEUP:
    return 33;
  case SDLK_PAGEDOWN:
    return 34;
  case SDLK_END:
    return 35;
  case SDLK_HOME:
    return 36;
  case SDLK_LEFT:
    return 37;
  case SDLK_UP:
    return 38;
  case SDLK_RIGHT:
    return 39;
  case SDLK_DOWN:
    return 40;
  case SDLK_PRINTSCREEN:
    return 44;
  case SDLK_INSERT:
    return 45;
  case SDLK_DELETE:
    return 46;
  case SDLK_LGUI:
    return 91;
  case SDLK_RGUI:
    return 92;
  case SDLK_APPLICATION:
    return 93;
  case SDLK_KP_MULTIPLY:
    return 106;
  case SDLK_KP_PLUS:
    return 107;
  case SDLK_KP_MINUS:
    return 109;
  case SDLK_KP_PERIOD:
    return 110;
  case SDLK_KP_DIVIDE:
    return 111;
  case SDLK_NUMLOCKCLEAR:
    return 144;
  case SDLK_SCROLLLOCK:
    return 145;
  case SDLK_SEMICOLON:
    return 186;
  case SDLK_EQUALS:
    return 187;
  case SDLK_COMMA:
    return 188;
  case SDLK_MINUS:
    return 189;
  case SDLK_PERIOD:
    return 190;
  case SDLK_SLASH:
    return 191;
  case SDLK_BACKQUOTE:
    return 192;
  case SDLK_LEFTBRACKET:
    return 219;
  case SDLK_BACKSLASH:
    return 220;
  case SDLK_RIGHTBRACKET:
    return 221;
  case SDLK_QUOTE:
    return 222;
  default:
    return 0;
  }
}
