#include "system/system_window.h"

MenuWindow MainMenu;

bool System_window_enter(const MenuWindow& m, int32_t state) {
    return Menu_window_enter(m, &GameStat::SystemMenuState, state);
}

void System_window_close(MenuWindow* m) {
    Menu_window_close(m, &GameStat::SystemMenuState, true);
    if (m != &MainMenu) Stopwatch_start(&MainMenu.guard);
}
