// The save and load screens of the system menu.
#pragma once

// State 102: the load screen.
void System_load_task();
// State 103: the save screen.
void System_save_task();
// State 106: restarts the saved music and sound effect after a load.
void System_load_begin_BGM();
