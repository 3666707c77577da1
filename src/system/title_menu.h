// The title menu (state 201) with start, load and quit; its load screen (202), which loads at
// once; its quit confirmation (203). And the switch of the in-game system menu.
#pragma once

#include <cstddef>

#include "core/rect.h"
#include "system/menu_window.h"

// #start_menu X Y: opens the title menu with its top-left corner at (X, Y).
void Com_start_menu();

// The words #system_menu_flag takes: enabled, disabled.
constexpr const char* SYSTEM_MENU_SWITCH_WORDS = "ON|OFF";

// #system_menu_flag ON|OFF: enables or disables the in-game system menu; any other word is
// reported and taken as ON.
void Com_System_menu_flag();

// The windows' operations: open (nothing if already open or within the window's guard), the
// per-frame task, and close.
void Start_menu_open();
void Start_menu_task();
void Start_load_task();
void Start_exit_task();

// Where the title menu's first button (start) is on the screen while the menu is open.
Rect Start_menu_start_button();

// Start-up state: no window open, guards at 0, the title menu at (0, 0).
void Title_menu_reset();

// The layouts of the title menu and its quit question (its load screen is a slot screen).
const MenuLayout* Title_menu_layouts(size_t* count);
