// The in-game system menu and its frame-rate and exit windows.
#pragma once

// Opens the main menu (a right-button release during a `wait` click wait).
void System_menu_open();
// State 101: the main menu.
void System_menu_task();
// State 104: the frame-rate window.
void Fps_window_task();
// State 105: the exit window.
void Exit_window_task();
