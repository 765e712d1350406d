// The screens on the menu strip: the title picture with the two logos, the main
// menu, the arcade set-up panels (cylinder size, theme) and two of the side
// screens (instructions, options). DrawMenus calls them every frame while the
// front-end shows a strip screen, in this order; each draws its labels with
// DrawHoverText and so decides what MenuClick may act on.
// `p` is the strip offset in pixels (10 x SlidePos); it is added to every x of the
// strip screens. The title picture and the logos do not move with the strip.
// The label ids named below are MainMenuLabel, CylinderLabel, ThemeLabel,
// SideScreenLabel and OptionsLabel of ui/labels.h, which MenuClick uses too.
#pragma once
#include <cstdint>

// Title background, version line and the two logo pictures dropping in.
void DrawTitleScreen();
// Panel and the six labels: "Story mode" 1, "Arcade mode" 2, "Hall of fame" 3,
// "Instructions" 6, "Options" 4, "Quit" 5.
void DrawMainMenu(int p);
// "Cylinder Size" with the labels 8, 10, 12 and "Back" 14.
void DrawCylinderPanel(int p);
// "Select Theme": Forest 1, City 2, Desert 3, Beach 4 (from story progress 16),
// Mountain 5 (from story progress 41), Back 14. Locked themes are grey and have no id.
void DrawThemePanel(int p);
// The side screen chosen by OptionsOpen / InstructionsOpen (else the hall of fame).
void DrawSideScreen(int p);
// Instructions frame ("Ok" 20) with the current page and its page buttons (40, 50).
void DrawInstructionsScreen(int p);
// Options: HoverId is reset first, so a label drawn earlier in the frame can never
// pass for an option. Yes/No 50/51, 60/61, 70/71, 80/81; digits 1..10, 11..20,
// 21..30; "ok" 90.
void DrawOptionsScreen(int p);

// Height of a logo picture at menu tick `ticks`: hidden 300 pixels above its resting
// height `restY` before `firstTick`, then easing down over 99 ticks to rest.
int32_t LogoDropY(int32_t ticks, int32_t firstTick, int32_t restY);
// Story progress needed before an arcade theme (1..5) can be chosen.
int32_t ThemeUnlockProgress(int theme);
