// Game controllers through the platform layer, with SDL's virtual joysticks: a
// pad is opened when it arrives, its buttons and its left stick become the game's
// events, and unplugging it is reported; mappings given in SDL_GAMECONTROLLERCONFIG
// make an unknown device a pad.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {
// The game's events waiting now (other events, such as a quit message posted by
// an earlier test, are left out).
std::vector<PlatformEvent> PadEvents() {
  std::vector<PlatformEvent> events;
  PlatformEvent e;
  while (PlatformPollEvent(e))
    if (e.type >= EventType::PadAdded) events.push_back(e);
  return events;
}

// A virtual device with SDL's game-controller layout: buttons 0..14 are A, B, X,
// Y, Back, Guide, Start, the stick buttons, the shoulders and the d-pad; axes 0..5
// are the two sticks and the two triggers.
int AttachPad(SDL_JoystickType type, int buttons, int axes, const char* name) {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = static_cast<Uint16>(type);
  desc.nbuttons = static_cast<Uint16>(buttons);
  desc.naxes = static_cast<Uint16>(axes);
  desc.name = name;
  return SDL_JoystickAttachVirtualEx(&desc);
}

class Controllers : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(PlatformInitVideo());
    PadEvents();
  }
  void TearDown() override {
    if (stick) SDL_JoystickClose(stick);
    while (SDL_NumJoysticks() > 0 && SDL_JoystickIsVirtual(0)) SDL_JoystickDetachVirtual(0);
    PadEvents();
  }
  // Sets a button or an axis of the virtual device and returns the events it gave.
  std::vector<PlatformEvent> Button(int button, bool down) {
    SDL_JoystickSetVirtualButton(stick, button, down ? 1 : 0);
    return PadEvents();
  }
  std::vector<PlatformEvent> Axis(int axis, int16_t value) {
    SDL_JoystickSetVirtualAxis(stick, axis, value);
    return PadEvents();
  }
  SDL_Joystick* stick = nullptr;
};
} // namespace

TEST_F(Controllers, APadIsOpenedOnArrivalAndItsButtonsAndStickBecomeGameEvents) {
  const int index = AttachPad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 15, 6, "Test pad");
  ASSERT_GE(index, 0) << SDL_GetError();
  std::vector<PlatformEvent> events = PadEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, EventType::PadAdded);
  EXPECT_EQ(events[0].x, 1);
  stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr);

  const PadButton buttons[] = {PadButton::A,
                               PadButton::B,
                               PadButton::X,
                               PadButton::Y,
                               PadButton::Back,
                               PadButton::Start,
                               PadButton::LeftShoulder,
                               PadButton::RightShoulder,
                               PadButton::DpadUp,
                               PadButton::DpadDown,
                               PadButton::DpadLeft,
                               PadButton::DpadRight};
  for (PadButton b : buttons) {
    SCOPED_TRACE(static_cast<int>(b));
    events = Button(static_cast<int>(b), true);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EventType::PadButtonDown);
    EXPECT_EQ(events[0].button, static_cast<int>(b));
    events = Button(static_cast<int>(b), false);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EventType::PadButtonUp);
  }

  // The left stick reports both its axes at once; the right stick and the triggers
  // have no use in the game.
  events = Axis(0, 20000);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, EventType::PadStick);
  EXPECT_EQ(events[0].x, 20000);
  EXPECT_EQ(events[0].y, 0);
  events = Axis(1, -32768);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].x, 20000);
  EXPECT_EQ(events[0].y, -32768);
  EXPECT_TRUE(Axis(2, 30000).empty());
  EXPECT_TRUE(Axis(5, 30000).empty());

  SDL_JoystickClose(stick);
  stick = nullptr;
  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
  // SDL lets go of what was held (the stick returns to the middle), then reports the pad gone.
  events = PadEvents();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().type, EventType::PadRemoved);
  EXPECT_EQ(events.back().x, 0);
  for (size_t i = 0; i + 1 < events.size(); ++i) {
    EXPECT_EQ(events[i].type, EventType::PadStick);
    EXPECT_EQ(events[i].x, 0);
  }
}

TEST_F(Controllers, MappingsFromTheEnvironmentMakeAnUnknownDeviceAPad) {
  // An unknown device is no pad of its own accord.
  const char* name = "Odd stick";
  int index = AttachPad(SDL_JOYSTICK_TYPE_UNKNOWN, 4, 2, name);
  ASSERT_GE(index, 0) << SDL_GetError();
  EXPECT_TRUE(PadEvents().empty());
  // Its GUID as mappings name it: without the checksum SDL keeps in bytes 2 and 3.
  SDL_JoystickGUID guid = SDL_JoystickGetDeviceGUID(index);
  guid.data[2] = guid.data[3] = 0;
  char text[33];
  SDL_JoystickGetGUIDString(guid, text, sizeof text);
  SDL_JoystickDetachVirtual(index);
  PadEvents();

  // SDL reads the variable when the controllers start: its button 3 is the pad's A,
  // button 0 its Start.
  const std::string mapping = std::string(text) + "," + name + ",a:b3,b:b2,x:b1,start:b0,leftx:a0,lefty:a1,";
  setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1);
  PlatformQuitVideo();
  ASSERT_TRUE(PlatformInitVideo());
  unsetenv("SDL_GAMECONTROLLERCONFIG");
  index = AttachPad(SDL_JOYSTICK_TYPE_UNKNOWN, 4, 2, name);
  ASSERT_GE(index, 0) << SDL_GetError();
  std::vector<PlatformEvent> events = PadEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, EventType::PadAdded);
  stick = SDL_JoystickOpen(index);
  events = Button(3, true);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].button, static_cast<int>(PadButton::A));
  events = Button(0, true);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].button, static_cast<int>(PadButton::Start));
}
