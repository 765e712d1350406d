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
bool SetupMultisample();
// Switches the multisample capability on or off when multisampling is in use.
void EnableMultisample(bool on);
