// The parts of the platform layer that talk to the X server directly: the window
// system's extension string, which decides whether multisampling is offered (the
// OpenGL string is only asked when there is none), the window geometry for
// desktops without a window manager, and the screen saver's suspension.
// platform.h comes first: the X11 headers define None and Window as macros and types.
#include "platform/platform.h"
#include "platform/sdl_window.h"

#include <SDL_syswm.h>

#include <GL/glx.h>
#include <dlfcn.h>

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

void PlatformReleaseXScreenSaver(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  // SDL 2.26 holds the screen saver off through the desktop's D-Bus service, or,
  // where there is none (a plain X server, a bare window manager), by suspending
  // the X server's own saver for its connection. Allowing it again only talks to
  // D-Bus, so the X suspension would last for the whole run: it is lifted here on
  // SDL's own connection. A connection that holds no suspension is left as it is
  // by the server, so this is harmless where SDL used D-Bus.
  using SuspendCall = void (*)(Display*, Bool);
  static SuspendCall suspend = [] {
    void* library = dlopen("libXss.so.1", RTLD_NOW | RTLD_LOCAL);
    return library ? reinterpret_cast<SuspendCall>(dlsym(library, "XScreenSaverSuspend")) : nullptr;
  }();
  int event = 0, error = 0, opcode = 0;
  if (!suspend || !XQueryExtension(info.info.x11.display, "MIT-SCREEN-SAVER", &opcode, &event, &error))
    return;
  suspend(info.info.x11.display, False);
  XFlush(info.info.x11.display);
}
