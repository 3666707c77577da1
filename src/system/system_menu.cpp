#include "system/system_menu.h"

// The system menu arrives with saving and loading.
void System_menu_open() {}
void System_menu_task() {}
void Fps_window_task() {}
void Exit_window_task() {}
