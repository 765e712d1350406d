// The parts of the platform layer that talk to the X server directly: the window
// system's extension string, which decides whether multisampling is offered (the
// OpenGL string is only asked when there is none), and the window geometry for
// desktops without a window manager.
// platform.h comes first: the X11 headers define None and Window as macros and types.
#include "platform/platform.h"
#include "platform/sdl_window.h"

#include <SDL_syswm.h>

#include <GL/glx.h>

const char* PlatformWindowSystemExtensions() {
  SDL_Window* window = PlatformSdlWindow();
  if (!window) return nullptr;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  Display* display = info.info.x11.display;
  return glXQueryExtensionsString(display, DefaultScreen(display));
}

const char* PlatformMultisampleExtension() {
  return PlatformWindowSystemExtensions() ? "GLX_ARB_multisample" : "GL_ARB_multisample";
}

void PlatformPlaceWindow(SDL_Window* window, int x, int y, int width, int height) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  // A window manager places a full-screen window itself; without one (a bare X
  // server) nobody would, so the window is moved and sized to the display here.
  XMoveResizeWindow(info.info.x11.display, info.info.x11.window, x, y, static_cast<unsigned>(width),
                    static_cast<unsigned>(height));
  XFlush(info.info.x11.display);
}
