// The window picture: what the window shows. Each frame copies BackBuffer into it at the shake
// offsets; the strip a shifted copy leaves uncovered keeps its old pixels, as on a real screen.
#pragma once

#include <cstdint>

// Start-up state: offsets 0, the window picture black and marked as never shown.
void Present_reset();

// The frame's final copy: BackBuffer into the window picture at (ScreenOffsetX, ScreenOffsetY),
// handed to the window only when something changed since the last time.
void Present_frame();

// A repaint request: BackBuffer at (0, 0), without the shake offsets, always handed to the window.
void Present_paint();

// Shows the comfort marks as they are now over the last frame's picture, if they changed since it
// was shown (a box about to open over it must not show a mark that has gone off).
void Present_marks();

// The window picture as last composed (640x480, 0x00RRGGBB).
const uint32_t* Present_window_picture();
