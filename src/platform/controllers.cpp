#include "platform/controllers.h"

#include <cstdio>
#include <vector>

namespace {
bool Started = false;
// The pads opened so far, in the order they arrived.
std::vector<SDL_GameController*> OpenPads;

int PadCount() {
  return static_cast<int>(OpenPads.size());
}

bool IsOpen(SDL_JoystickID id) {
  for (SDL_GameController* pad : OpenPads)
    if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id) return true;
  return false;
}

static_assert(static_cast<int>(PadButton::A) == SDL_CONTROLLER_BUTTON_A &&
              static_cast<int>(PadButton::Start) == SDL_CONTROLLER_BUTTON_START &&
              static_cast<int>(PadButton::LeftShoulder) == SDL_CONTROLLER_BUTTON_LEFTSHOULDER &&
              static_cast<int>(PadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT &&
              PAD_BUTTONS == SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1);

// SDL's layout and the game's name the first fifteen buttons alike; the extra
// buttons of some pads (share, paddles, touchpad) have no use in the game.
bool ButtonFromSdl(uint8_t sdlButton, int* button) {
  if (sdlButton >= PAD_BUTTONS) return false;
  *button = sdlButton;
  return true;
}
} // namespace

bool StartControllers() {
  if (Started) return true;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "SDL game controllers: %s (playing without them)\n", SDL_GetError());
    return false;
  }
  Started = true;
  return true;
}

void StopControllers() {
  if (!Started) return;
  for (SDL_GameController* pad : OpenPads) SDL_GameControllerClose(pad);
  OpenPads.clear();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  Started = false;
}

bool TranslateControllerEvent(const SDL_Event& e, PlatformEvent& out) {
  if (!Started) return false;
  switch (e.type) {
  case SDL_CONTROLLERDEVICEADDED: {
    // `which` is a device index here; SDL announces a pad once, but a pad found at
    // start and announced again must not be opened twice.
    if (IsOpen(SDL_JoystickGetDeviceInstanceID(e.cdevice.which))) return false;
    SDL_GameController* pad = SDL_GameControllerOpen(e.cdevice.which);
    if (!pad) {
      std::fprintf(stderr, "SDL game controller %d: %s\n", e.cdevice.which, SDL_GetError());
      return false;
    }
    OpenPads.push_back(pad);
    out.type = EventType::PadAdded;
    out.x = PadCount();
    return true;
  }
  case SDL_CONTROLLERDEVICEREMOVED:
    // `which` is the pad's instance id.
    for (size_t i = 0; i < OpenPads.size(); ++i) {
      if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(OpenPads[i])) != e.cdevice.which) continue;
      SDL_GameControllerClose(OpenPads[i]);
      OpenPads.erase(OpenPads.begin() + static_cast<std::ptrdiff_t>(i));
      out.type = EventType::PadRemoved;
      out.x = PadCount();
      return true;
    }
    return false;
  case SDL_CONTROLLERBUTTONDOWN:
  case SDL_CONTROLLERBUTTONUP:
    if (!ButtonFromSdl(e.cbutton.button, &out.button)) return false;
    out.type = e.type == SDL_CONTROLLERBUTTONDOWN ? EventType::PadButtonDown : EventType::PadButtonUp;
    return true;
  case SDL_CONTROLLERAXISMOTION: {
    if (e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX && e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTY) return false;
    SDL_GameController* pad = SDL_GameControllerFromInstanceID(e.caxis.which);
    if (!pad) return false;
    // Both axes of the stick travel together, so a diagonal is one event's worth.
    out.type = EventType::PadStick;
    out.x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    out.y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    return true;
  }
  default:
    return false;
  }
}
