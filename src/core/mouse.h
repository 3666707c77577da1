// The mouse record: the key-state word and position of the last mouse message. The window's
// message handler writes it; choices and menus read it in their tasks.
#pragma once

#include <cstdint>

#include "core/rect.h"
#include "platform/platform.h"

extern uint32_t MouseButtons; // MK_* bits of the last mouse message
extern int32_t MouseX;        // its position in the 640x480 picture
extern int32_t MouseY;

// Records a mouse message (move, press or release): its key-state word and its position. A button
// that was already held when a dialog closed stays out of the word until it is released.
void Mouse_record(const PlatformEvent& event);

// A box or the name prompt has closed: the click that brought it up belonged to it, so the screen
// behind waits for a new press. The button word becomes 0, the position (x, y), and the buttons in
// `held` (MK_* bits still down) count again only after their release.
void Mouse_dialog_closed(int32_t x, int32_t y, uint32_t held);

// The smaller of MouseX and 630 - w: a window w wide placed at the mouse keeps 10 px inside the right edge.
int32_t Clamp_mouse_x(int32_t w);

// The smaller of MouseY and 470 - h.
int32_t Clamp_mouse_y(int32_t h);

// True when the mouse lies strictly inside `r` (a point on its border is outside).
bool MouseInRect(const Rect& r);

// Start-up state: all three fields 0, no button kept out.
void Mouse_reset();
