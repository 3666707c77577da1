// The screen shake and the fades to black and back. Each command only sets up its effect and
// stops script stepping; its task then takes one step every 50 ms and, after the last, resumes it.
#pragma once

#include <cstdint>

#include "gfx/surface.h"

struct SaveStat;

// The picture name BackBuffer records at the end of a fade-out, so a save taken in the dark loads
// dark.
constexpr const char* BLACK_PICTURE = ".\\gdat\\black.bmp";

// The words #shake takes, in the order of the SHAKE_ numbers.
constexpr const char* SHAKE_WORDS = "X|Y|XY";
constexpr int32_t SHAKE_X = 0;
constexpr int32_t SHAKE_Y = 1;
constexpr int32_t SHAKE_XY = 2;

// The running shake: its type and how many steps it has taken.
extern int32_t ShakeType;
extern int32_t ShakeStep;

// The running fade's level in percent: 0 to 100 in steps of 5, one step ahead of what was drawn.
extern int32_t FadeLevel;

// The all-black picture a fade-out blends in; 640x480 while a fade-out runs, empty otherwise.
extern Surface BlackSurface;

// #shake X|Y|XY: starts a shake of the picture in the window; BackBuffer itself never moves. Any
// other symbol is reported and ends the program.
void Com_shake();

// #fade_out: starts darkening BackBuffer to black.
void Com_fade_out();

// #fade_in: starts bringing BackgroundSurface up over whatever BackBuffer shows.
void Com_fade_in();

// One step of the running shake (while shake_on is 1): the next pair of window offsets; the last
// step puts the picture back in place and resumes stepping.
void Shake_task();

// One step of the running fade-out (while fade_out_on is 1): BackBuffer blended towards black. The
// last step leaves it black, names it ".\gdat\black.bmp", puts the text cursor home and, in AUTO
// mode, takes a save point.
void Fade_out_task();

// One step of the running fade-in (while fade_in_on is 1): BackBuffer blended towards the
// background. The last step leaves it equal to the background and named as it, puts the text cursor
// home and, in AUTO mode, takes a save point.
void Fade_in_task();

// A shake, fade-out or fade-in the switches say runs but that has no steps behind it (a restored
// save): ends it at once as its last step would, picture and names included, without a save point.
void Shake_finish();
void Fade_out_finish();
void Fade_in_finish();

// Start-up state: no shake or fade, BlackSurface empty, stopwatches at 0.
void Shake_fade_reset();

// A load's part, once Game_stat is back: a shake, fade-out or fade-in it says was running is
// finished at once, in this order (their steps are not in the record).
void Shake_fade_restore(const SaveStat& record);
