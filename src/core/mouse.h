// The mouse record: the key-state word and position of the last mouse message. The window's
// message handler writes it; choices and menus read it in their tasks.
#pragma once

#include <cstdint>

#include "core/rect.h"

extern uint32_t MouseButtons; // MK_* bits of the last mouse message
extern int32_t MouseX;        // its position in the 640x480 picture
extern int32_t MouseY;

// The smaller of MouseX and 630 - w: a window w wide placed at the mouse keeps 10 px inside the right edge.
int32_t Clamp_mouse_x(int32_t w);

// The smaller of MouseY and 470 - h.
int32_t Clamp_mouse_y(int32_t h);

// True when the mouse lies strictly inside `r` (a point on its border is outside).
bool MouseInRect(const Rect& r);

// Start-up state: all three fields 0.
void Mouse_reset();
