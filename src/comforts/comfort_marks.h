// What the window shows over the story's picture for the player's comforts: a small mark in the
// top-right corner while skip or auto is on, and for a second after a change the volume levels or
// the auto speed ("オート 125%") or a note for the player (a screenshot taken or refused),
// whichever came last.
// Drawn into the window picture only, never into BackBuffer.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/surface.h"

// Draws the marks that are due now onto the window picture.
void Marks_draw(Surface* window_picture);

// A summary of what Marks_draw would draw now; it changes whenever the drawing would (0 while
// nothing is drawn), so the frame shows the window picture again only then.
uint32_t Marks_state();

// Shows the volume levels, or the auto speed, for a second from now.
void Marks_show_volume();
void Marks_show_auto_speed();

// Shows `text_utf8` for a second from now in the same place.
void Marks_show_note(const std::string& text_utf8);

// Start-up state: no overlay.
void Marks_reset();
