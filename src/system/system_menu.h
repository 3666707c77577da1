// The in-game system menu: the main menu (state 101) with save, load, frame rate and exit, the
// frame-rate window (104) and the exit window (105). The save and load screens are in
// save_load_screens.h.
#pragma once

#include "system/menu_window.h"

// Opens the main menu at the mouse (a right-button release during a `wait` click wait); nothing
// while the system menu is switched off, already open, or within its guard.
void System_menu_open();

// State 101: hover, cancel by the right button, and the four buttons.
void System_menu_task();
// State 104: the frame-rate window (show / hide the frame-rate box).
void Fps_window_task();
// State 105: the exit window (quit / back to the story).
void Exit_window_task();

// Start-up state: no window open, every guard at 0.
void System_menu_reset();

// The layouts of the main menu, the quit question and the frame-rate window.
const MenuLayout* System_menu_layouts(size_t* count);
