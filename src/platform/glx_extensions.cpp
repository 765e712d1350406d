// The window system's extension string, which decides whether multisampling is
// offered (the OpenGL string is only asked when there is none).
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
