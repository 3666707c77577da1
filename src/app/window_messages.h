// The window's message handler and the mouse record that choices and menus read.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The last mouse message: its key-state word (MK_* bits) and position in the 640x480 picture.
extern uint32_t MouseButtons;
extern int32_t MouseX;
extern int32_t MouseY;

// Handles one window event: repaint, the "go on" input (left press, Enter, Space), Escape and
// closing the window (end of program), the system menu on a right release during a `wait`, the
// mouse record, and the music's end-of-play notification.
void WndProc(const PlatformEvent& event);

// The "go on" input: ends a `wait` click wait, ends the program after `halt`, ends a page-end wait
// (each tested on its own, in that order).
void Go_on_input();

// The smaller of MouseX and 630 - w: a window w wide placed at the mouse keeps 10 px inside the right edge.
int32_t Clamp_mouse_x(int32_t w);

// The smaller of MouseY and 470 - h.
int32_t Clamp_mouse_y(int32_t h);

// Start-up state: all three fields 0.
void Mouse_reset();
