// The title menu with start, load and quit.
#pragma once

// State 201: the title menu.
void Start_menu_task();
// State 202: the title menu's load screen.
void Start_load_task();
// State 203: the title menu's exit confirmation.
void Start_exit_task();
