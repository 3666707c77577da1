// What the window shows over the story's picture for the player's comforts: a small mark in the
// top-right corner while skip or auto is on, and the volume levels for a second after they change.
// Drawn into the window picture only, never into BackBuffer.
#pragma once

#include <cstdint>

#include "gfx/surface.h"

// Draws the marks that are due now onto the window picture.
void Marks_draw(Surface* window_picture);

// A summary of what Marks_draw would draw now; it changes whenever the drawing would (0 while
// nothing is drawn), so the frame shows the window picture again only then.
uint32_t Marks_state();

// Shows the volume overlay for a second from now.
void Marks_show_volume();

// Start-up state: no overlay.
void Marks_reset();
