#include "system/save_load_screens.h"

// The save and load screens arrive with saving and loading.
void System_load_task() {}
void System_save_task() {}
