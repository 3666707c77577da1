// The three surfaces that live for the whole run: BackBuffer (every frame is composed on it),
// BackgroundSurface (the background picture) and PartsSurface (the click-wait icon strip).
#pragma once

#include <cstdint>

#include "gfx/surface.h"

struct SaveStat;

constexpr int PARTS_WIDTH = 75;
constexpr int PARTS_HEIGHT = 25;

extern Surface BackBuffer;
extern Surface BackgroundSurface;
extern Surface PartsSurface;

// Where the frame's final copy puts BackBuffer in the window; 0, 0 except while a shake runs.
extern int32_t ScreenOffsetX;
extern int32_t ScreenOffsetY;

// Start-up: creates the surfaces in the order BackBuffer, PartsSurface, BackgroundSurface, loads
// ".\gdat\system\Parts.bmp" and ".\gdat\system\Back00.bmp" into the last two (a picture that
// cannot be read is reported and the surface stays black) and sets the picture names.
void Surfaces_create_fixed();

// Blanks the three surfaces and clears their names (tests start each case from nothing); their
// sizes and buffers stay for the start that follows.
void Surfaces_reset();

// The save point's part: the three picture names as BS_file, BG_file and PT_file.
void Surfaces_save(SaveStat* record);

// A load's part: each surface first repainted from the picture it names now (wiping menus and
// text drawn over the story), then given the record's name and, where that is not empty, its
// picture; BackBuffer, BackgroundSurface, PartsSurface in this order both times.
void Surfaces_restore(const SaveStat& record);

// Sets a surface's picture name, cut to fit and always terminated.
void Surface_set_name(Surface* s, const char* name);
