// What every window of the system menu (the main menu, the frame-rate and exit windows, the save
// and load screens) does as it opens and closes. Apart from system_menu.h, so the save and load
// screens, which the main menu opens, need not include the main menu.
#pragma once

#include "system/menu_window.h"

// The main menu's window: the other windows restart its guard when they close.
extern MenuWindow MainMenu;

// True when `m` may open in `state` now (not already in it, its guard passed), and the story then
// waits under it (SystemMenuState = state, no click wait, no stepping); false, changing nothing,
// otherwise.
bool System_window_enter(const MenuWindow& m, int32_t state);

// Closes the window and gives the story its click wait back; any window but the main menu restarts
// the main menu's guard.
void System_window_close(MenuWindow* m);
