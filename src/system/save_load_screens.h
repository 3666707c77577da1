// The save screen (state 103) and the load screen (102): eight slot rows with their labels. The
// title menu's load screen shares the slot rows; the music restart after a load (state 106) is in
// music_resume.h.
#pragma once

#include "system/menu_window.h"

// The pictures of the save and load screens under ".\gdat\" (the title menu's load screen too).
constexpr const char* SAVE_SCREEN_PICTURE = "system\\menu_window_save_02.bmp";
constexpr const char* LOAD_SCREEN_PICTURE = "system\\menu_window_load_02.bmp";

// Opens the save / load screen (from the main menu, after it closed): nothing if it is already
// open or within its guard.
void Save_screen_open();
void Load_screen_open();

// State 103: a chosen slot is confirmed ("Saveしますか？"), written, and confirmed with its new
// label (or the failure and its reason); the screen then closes. A right click closes it.
void System_save_task();

// State 102: a chosen slot is confirmed and loaded (stop sounds, close, read, restore, state 106).
// An empty slot or a slot file that cannot be used is reported and the screen stays open; a right
// click goes back to the story.
void System_load_task();

// The layout of a slot list with `picture`: eight rows of buttons.
MenuLayout Slot_screen_layout(const char* picture);

// Opens a slot list at (170, 120) with `picture` and the eight labels drawn into its looks.
void Slot_screen_open(MenuWindow* m, const char* picture);

// Start-up state: neither screen open, guards at 0.
void Save_load_screens_reset();
