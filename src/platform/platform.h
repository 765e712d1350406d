// The platform layer: everything the game needs from the operating system, the
// window system and OpenGL context creation, in the shape the game expects. This
// folder is the only code that includes SDL. The 800 x 600 picture is what the
// game draws; in full screen it is scaled to fit the desktop and centred between
// black bars, and mouse positions are mapped back into picture pixels.
#pragma once
#include <cstdint>

constexpr int PICTURE_WIDTH = 800;
constexpr int PICTURE_HEIGHT = 600;

// --- clock ---------------------------------------------------------------
// Milliseconds since an arbitrary start, unsigned 32-bit, wrapping.
uint32_t PlatformTicks();

// --- message boxes ---------------------------------------------------------
enum class MessageIcon { None, Exclamation, Error };
// Shows a modal message box with an OK button and writes the same text to stderr.
// Without a display (or when SDL_VIDEODRIVER is "dummy"/"offscreen") only stderr is used,
// so it never blocks. Tests can count calls through PlatformMessageCount().
void PlatformMessageBox(const char* text, const char* caption, MessageIcon icon);
int PlatformMessageCount();
// The caption and text of the last message box (for tests).
const char* PlatformLastMessageText();
const char* PlatformLastMessageCaption();
// Tests that open real windows switch the boxes off (stderr only), so that a
// message can never wait for a click nobody makes.
void PlatformShowMessageBoxes(bool shown);

// --- the desktop ---------------------------------------------------------------
// Names the program to the desktop; call before PlatformInitVideo. `appId` becomes
// the window's class (X11 WM_CLASS) and application id (Wayland), so that docks and
// task switchers match the window with the desktop entry of that name; a class the
// player set in SDL_VIDEO_X11_WMCLASS or SDL_VIDEO_WAYLAND_WMCLASS is kept. `name`
// is what the desktop shows where it names the program (screen-saver inhibition,
// the sound server's list of streams).
void PlatformSetIdentity(const char* appId, const char* name);
// The window's icon: width x height pixels, rows from the top, 4 bytes each (red,
// green, blue, alpha). Kept, and given to the open window and to every window
// opened later.
void PlatformSetWindowIcon(const uint8_t* rgba, int width, int height);
// Lets the screen saver and the monitor's power saving start (true) or holds them
// off (false). The video start holds them off.
void PlatformAllowScreenSaver(bool allowed);
bool PlatformScreenSaverAllowed();

// --- video -------------------------------------------------------------------
// Starts SDL's video and event subsystems, and the game controllers (whose absence
// is only reported on stderr). False on failure, and also when there
// is no display: SDL fell back to one of its headless drivers ("offscreen",
// "dummy") that SDL_VIDEODRIVER did not ask for, as it does when neither DISPLAY
// nor WAYLAND_DISPLAY is set; the game would then run unseen. PlatformVideoFailure
// says why, in a sentence for the player.
bool PlatformInitVideo();
const char* PlatformVideoFailure();
void PlatformQuitVideo();

// Opens the 800 x 600 game window with an OpenGL compatibility context (double
// buffer, 16-bit depth, `samples` multisample samples or 0 for none) and makes the
// context current. `fullscreen` asks for desktop full screen; `fullscreenOk` reports
// whether the window really became full screen. False when the window or the
// context cannot be made (everything made is released again). The window stays
// hidden until PlatformShowWindow, so a window that is re-opened at once is never seen.
bool PlatformOpenWindow(const char* title, int width, int height, bool fullscreen, int samples,
                        bool* fullscreenOk);
void PlatformShowWindow();
// Switches the open window to desktop full screen or back; true when it is now in
// the asked state.
bool PlatformSetFullscreen(bool on);
void PlatformCloseWindow();
bool PlatformWindowOpen();
// Counts the game windows' rendering contexts: when it changes, every OpenGL
// object made before (textures, lists) is gone with the old context.
uint32_t PlatformContextSerial();
void PlatformSwapBuffers();
// --- frame pacing ----------------------------------------------------------------
// Frames are paced to the display's refresh rate: each window asks for vsync when it
// opens (adaptive first, then plain), and where its swaps turn out not to wait for
// the display (a software renderer, Xvfb, vsync refused or switched off) the message
// loop sleeps until the next frame is due, one refresh period (from the desktop
// mode, 60 Hz when unknown) after the last one started. Switched off, frames are
// drawn back to back and no vsync is asked for. On by default; takes effect at once.
void PlatformSetFramePacing(bool on);
// True when the next frame is due now (it then counts as started); false while it
// is early, and the caller waits with PlatformWaitForFrame.
bool PlatformBeginFrame();
// Sleeps until the next frame is due or an event arrives, whichever comes first.
void PlatformWaitForFrame();
// Presents a frame of the message loop (the buffer swap), timed for the pacing.
// Other presents (the loading screen, tests, measurements) use PlatformSwapBuffers.
void PlatformPresentFrame();
// How frames are paced now, for reports: "off", "measuring" (the first swaps of a
// window are being timed), "display" (the swap waits) or "sleep" (the loop sleeps).
const char* PlatformPacingMode();

// Whether a context with `samples` multisample samples can be created on this display.
bool PlatformMultisampleAvailable(int samples);

// Sets the GL viewport for a rectangle given in picture pixels of an
// `areaWidth` x `areaHeight` picture (bottom-left origin, as glViewport), mapped
// through the letterbox onto the drawable. Every viewport goes through here.
void PlatformSetViewport(int x, int y, int width, int height);
// The letterbox: where the 800 x 600 picture lies in the drawable, in drawable pixels.
struct Letterbox {
  int x, y, width, height; // picture rectangle in the drawable (bottom-left origin)
  int drawableWidth, drawableHeight;
};
Letterbox PlatformLetterbox();
// Pure letterbox arithmetic, for tests: the largest 4:3 rectangle centred in the area.
Letterbox ComputeLetterbox(int drawableWidth, int drawableHeight);
// Maps a window-pixel position to picture pixels for a window of the given size
// (positions outside the picture are clamped to 0..65535 after mapping, never negative).
void MapWindowToPicture(int windowWidth, int windowHeight, int wx, int wy, int* px, int* py);

// Called before every frame: clears the bars beside the picture to black and
// confines the game's own clears to the picture (scissor); when the drawable
// changed size since the last viewport was set, that viewport is mapped again.
void PlatformClearBars();

// OpenGL extension lookup for the multisample switch.
void* PlatformGetProcAddress(const char* name);
// The window system's own extension string (GLX), or null where there is none.
const char* PlatformWindowSystemExtensions();
// The name of the multisample extension in the string that decides about it:
// "GLX_ARB_multisample" when the window system has a string, else "GL_ARB_multisample".
const char* PlatformMultisampleExtension();

// --- pointer ------------------------------------------------------------------
// Keeps the system pointer inside the rectangle (picture pixels, right/bottom exclusive).
void PlatformConfinePointer(int left, int top, int right, int bottom);
void PlatformReleasePointer();
// Hides the system pointer over the window (every screen draws its own pointer).
void PlatformHidePointer();
// Moves the pointer to a picture position (tests and the first frame only).
void PlatformWarpPointer(int x, int y);

// --- game controllers -------------------------------------------------------------
// The buttons of SDL's game-controller layout, named by their places on an Xbox pad
// (A bottom, B right, X left, Y top of the four face buttons). Any pad SDL knows,
// from its own mapping database or from SDL_GAMECONTROLLERCONFIG, reports these.
enum class PadButton : uint8_t {
  A,
  B,
  X,
  Y,
  Back,
  Guide,
  Start,
  LeftStick,
  RightStick,
  LeftShoulder,
  RightShoulder,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
};
constexpr int PAD_BUTTONS = 15;

// --- events -------------------------------------------------------------------
enum class EventType : uint8_t {
  None,
  Quit,    // the quit message: ends the message loop
  Close,   // the window's close button, Alt+F4, Ctrl+C or SIGTERM
  KeyDown, // vk = Windows virtual-key code 0..255
  KeyUp,
  MouseMove,  // x, y in picture pixels
  ButtonDown, // button 0 left, 1 right, 2 middle; x, y in picture pixels
  Minimised,
  Restored,
  FocusLost,
  FocusGained,
  ToggleDisplay, // the private display-switch message (1025)
  ScreenSaver,   // a request to start the screen saver or power down the monitor
  PadAdded,      // a game controller is ready (plugged in, or there at start); x = pads open
  PadRemoved,    // a game controller was unplugged; x = pads open now
  PadButtonDown, // button = PadButton
  PadButtonUp,   // button = PadButton
  PadStick,      // a left stick moved: x, y -32768..32767 (x right, y down)
};
struct PlatformEvent {
  EventType type = EventType::None;
  int vk = 0;
  int button = 0;
  int x = 0, y = 0;
};
// Takes the next waiting event; false when none is waiting.
bool PlatformPollEvent(PlatformEvent& event);
// Sleeps until an event arrives (used while the window is minimised).
void PlatformWaitEvent();
// Posts the quit message / the display-switch message to the queue.
void PlatformPostQuit();
void PlatformPostToggleDisplay();
// Maps an SDL keycode to a Windows virtual-key code (0 when unmapped). Exposed for tests.
int VirtualKeyFromKeycode(int32_t sdlKeycode);
