// Screen transitions of `g_change`: BackgroundSurface replaces what BackBuffer shows, one step per
// frame, as a curtain, a spreading diamond of squares, or a horizontal or vertical stretch.
#pragma once

#include <cstdint>

#include "gfx/surface.h"

struct SaveStat;

// The words #g_change takes, in the order of the TRANSITION_ numbers.
constexpr const char* TRANSITION_WORDS = "CURTAIN|SPREAD|STRETCH_X|STRETCH_Y";
constexpr int32_t TRANSITION_CURTAIN = 0;
constexpr int32_t TRANSITION_SPREAD = 1;
constexpr int32_t TRANSITION_STRETCH_X = 2;
constexpr int32_t TRANSITION_STRETCH_Y = 3;

// The running transition: its type and its step (pixels for the curtain and the stretches, ticks
// for the spread).
extern int32_t TransitionType;
extern int32_t TransitionStep;

constexpr int SPREAD_ROWS = 32;
constexpr int SPREAD_COLUMNS = 40;
constexpr int SPREAD_CELL = 16;

// The tick at which each 16x16 cell of the screen starts to open in SPREAD: 0 for the four centre
// cells, rising by one a cell outwards, 34 in the corners.
extern const uint8_t (&SpreadOrder)[SPREAD_ROWS][SPREAD_COLUMNS];

// #g_change CURTAIN|SPREAD|STRETCH_X|STRETCH_Y: stops script stepping and starts the transition;
// from now on BackBuffer is said to show the background's picture. Any other symbol is reported
// and ends the program.
void Com_g_change_task();

// One step of the running transition (while g_change_on is 1), at most one every 15 ms. The last
// step resumes stepping with the text cursor at the text area's top-left.
void G_change_task();

// A transition the switch says runs but that has no steps behind it (a restored save): ends it at
// once as its last step would, the whole background on the screen.
void Transition_finish();

// Nearest-neighbour scaling of the whole of `src` onto the dw x dh rectangle at (dx, dy) of `dst`,
// clipped to `dst` (a different surface); the same pixels as Surface_stretch, at a fraction of
// the cost.
void Transition_stretch(Surface* dst, int dx, int dy, int dw, int dh, const Surface* src);

// Start-up state: no transition, stopwatch at 0.
void Transition_reset();

// A load's part, once Game_stat is back: a transition it says was running is finished at once
// (its steps are not in the record).
void Transition_restore(const SaveStat& record);
