#include "render/gl_state.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cctype>
#include <cstring>
#include <string>

#include "game/state.h"
#include "platform/platform.h"

uint8_t MultisampleEnabled = 0;
int32_t MultisampleFormat = 0;

namespace {
// The multisample capability of the ARB multisample extension.
constexpr GLenum MULTISAMPLE_ARB = 0x809D;

struct LightSetup {
  GLfloat ambient[4];
  GLfloat diffuse[4];
  GLfloat position[4];
  GLfloat specular[4];
  GLfloat shininess;
};

void ApplyLighting(const LightSetup& s) {
  glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
  glMaterialfv(GL_FRONT, GL_SPECULAR, s.specular);
  glMaterialf(GL_FRONT, GL_SHININESS, s.shininess);
  glEnable(GL_COLOR_MATERIAL);
  glShadeModel(GL_SMOOTH);
  glLightfv(GL_LIGHT0, GL_AMBIENT, s.ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, s.diffuse);
  glLightfv(GL_LIGHT0, GL_POSITION, s.position);
  glEnable(GL_LIGHT0);
}
} // namespace

void InitGLState() {
  PlatformSetViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(50.0, 1.3333333333333333, 0.5, 2000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_TEXTURE_2D);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void SetStoneLighting() {
  // Directional light from the upper right front, dull highlights on the stones.
  static const LightSetup stone = {{0.0f, 0.0f, 0.0f, 1.0f},
                                   {1.0f, 1.0f, 1.0f, 1.0f},
                                   {1.0f, 0.6f, 1.0f, 0.0f},
                                   {0.6f, 0.6f, 0.6f, 1.0f},
                                   5.0f};
  ApplyLighting(stone);
}

void SetFieldLighting() {
  // The field light swings sideways with the game's clock; some ambient light so
  // the stack never goes black.
  LightSetup field = {{0.2f, 0.2f, 0.2f, 1.0f},
                      {1.0f, 1.0f, 1.0f, 1.0f},
                      {LightSwing, 1.5f, 1.0f, 0.0f},
                      {1.0f, 1.0f, 1.0f, 1.0f},
                      15.0f};
  ApplyLighting(field);
}

bool HasExtension(const char* name) {
  // The window system's string decides when it exists; otherwise OpenGL's own.
  const char* list = PlatformWindowSystemExtensions();
  if (!list || !*list) list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return list && name && std::strstr(list, name) != nullptr;
}

bool IsSoftwareRenderer(const char* renderer) {
  if (!renderer) return false;
  std::string name(renderer);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const char* const SOFTWARE[] = {"llvmpipe", "softpipe", "swrast", "software rasterizer", "swr ("};
  for (const char* word : SOFTWARE)
    if (name.find(word) != std::string::npos) return true;
  return false;
}

bool SetupMultisample(MultisampleChoice choice) {
  const bool software = IsSoftwareRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  if (choice == MultisampleChoice::Off || (choice == MultisampleChoice::Auto && software) ||
      !HasExtension(PlatformMultisampleExtension())) {
    MultisampleEnabled = 0;
    return false;
  }
  int32_t samples = 0;
  if (PlatformMultisampleAvailable(4))
    samples = 4;
  else if (PlatformMultisampleAvailable(2))
    samples = 2;
  else
    return false;
  MultisampleEnabled = 1;
  MultisampleFormat = samples;
  return true;
}

void EnableMultisample(bool on) {
  if (!MultisampleEnabled || !PlatformWindowOpen()) return;
  if (on)
    glEnable(MULTISAMPLE_ARB);
  else
    glDisable(MULTISAMPLE_ARB);
}
