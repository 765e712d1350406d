// Fixed OpenGL state: the projection set after every context creation, the two
// light setups the scene switches between (the field light swings with LightSwing,
// which the game tick sets), and the optional multisampling.
#pragma once
#include <cstdint>

extern uint8_t MultisampleEnabled;  // 1 once a multisample format was found; never cleared
extern int32_t MultisampleFormat;   // the sample count found (4 or 2)

void InitGLState();
void SetStoneLighting();
void SetFieldLighting();
bool HasExtension(const char* name);

// How the window's multisampling is chosen. Auto: the 4 -> 2 -> none search on a
// hardware renderer, none on a software rasteriser (there the extra samples cost
// about half of every frame and a sixth of the memory); On: the search on every
// renderer; Off: none.
enum class MultisampleChoice : uint8_t { Auto, On, Off };
// True when an OpenGL renderer string names a software rasteriser (llvmpipe,
// softpipe, swrast, Mesa's "Software Rasterizer", SWR). Null counts as hardware.
bool IsSoftwareRenderer(const char* renderer);
// With the game window's first context current: decides whether the window is
// to be opened again with multisampling. True (MultisampleEnabled := 1,
// MultisampleFormat := 4 or 2) when the choice allows it for the current
// renderer and the display offers 4 or else 2 samples.
bool SetupMultisample(MultisampleChoice choice);
// Switches the multisample capability on or off when multisampling is in use.
void EnableMultisample(bool on);
