// The window's message handler.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Handles one window event. The player's comfort keys and the wheel go to comforts/player_keys.h; a
// modifier key alone does nothing; any other key or button press ends auto mode and then acts as
// always: repaint, the "go on" input (left press, Enter, Space; while text is typing they finish it
// instead, unless the player switched that off), Escape and closing the window (end
// of program), the system menu on a right release during a `wait`, the mouse record, and the
// music's end-of-play notification.
void WndProc(const PlatformEvent& event);

// The "go on" input: ends a `wait` click wait, ends the program after `halt`, ends a page-end wait
// (each tested on its own, in that order).
void Go_on_input();
