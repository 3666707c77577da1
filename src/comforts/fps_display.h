// The frame-rate box in the top-left corner.
#pragma once

#include "gfx/surface.h"

// Counts this frame; once more than a second has passed since the last roll-over, the shown value
// becomes the count. Draws "FPS:%03ld TC:%03ld " (shown value, clock in ms) on a white box
// (0, 0)-(180, 18) in the surface's default font, twice for a bold look.
void FPS_display(Surface* dc);

// The text the box showed last ("" before the first call).
const char* Fps_last_text();

// Start-up state: the counters 0.
void Fps_reset();
