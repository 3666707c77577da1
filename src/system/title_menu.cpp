#include "system/title_menu.h"

// The title menu arrives with saving and loading.
void Start_menu_task() {}
void Start_load_task() {}
void Start_exit_task() {}
