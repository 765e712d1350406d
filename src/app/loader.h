// The asset catalogue and the loading screen: every file the game needs, loaded in
// one fixed order behind a progress bar, after every window opening. The sequence
// fills the records of every layer (the save, the levels, the sounds, the effect
// pools, the models, the textures) and hands the program to the front-end, so it
// belongs to the application shell; the single-file loaders it calls are in assets/.
#pragma once
#include <cstdint>

#include "assets/model.h"

extern uint8_t FirstLoadDone; // 0 at program start, 1 after the first complete load
extern uint8_t LoadingActive; // asset loading: frames and swaps are skipped

// The eight models in catalogue order (block, bomb core, bomb shell, clamp, hook,
// tube, plate, character), read once per process and kept until exit.
constexpr int MODEL_COUNT = 8;
extern TModel Models[MODEL_COUNT];

// Called by InitializeGame with the new rendering context current.
// First run: save, levels, volumes, sounds, music, effect reset, font widths,
// models, then the OpenGL objects, then the front-end (TopMode 1). Later runs
// (after a display switch) rebuild only the display lists and textures; records,
// models and audio stay as they are and music keeps playing. Missing required
// records end the program; missing pictures show their message and loading goes on.
void LoadAssets();

// Starts a loading run: LoadingActive := 0 and no steps drawn yet. LoadAssets
// begins with it; tests use it to draw single loading frames.
void BeginLoadingScreen();
// Counts one loading step and draws and presents its frame of the loading screen
// (logo on the first run, the bar): always for the first and the last step of a
// run, otherwise only when the last frame was presented at least
// LoadingFrameIntervalMs ago, since faster frames could not be seen. Called only
// by LoadAssets.
void ProgressStep();
// Shortest time between two presented loading frames (16 ms; tests change it).
extern uint32_t LoadingFrameIntervalMs;
// Steps drawn in the current run, and the steps a run of this kind takes (50 first, 31 later).
int32_t LoadingStepCount();
int32_t LoadingStepsPerRun();
// Left edge of the bar's unfilled part after `step` of `stepsPerRun` steps.
int32_t LoadingBarX0(int32_t step, int32_t stepsPerRun);

// Empties the data of the eight models (program exit; display lists stay valid).
void ReleaseModels();
