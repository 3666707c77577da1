#include "system/system_menu.h"

#include <iterator>

#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "gfx/fixed_surfaces.h"
#include "platform/platform.h"
#include "system/save_load_screens.h"
#include "system/system_window.h"

namespace {

MenuWindow ExitWindow;
MenuWindow FpsWindow;

const MenuLayout LAYOUTS[] = {
    {"system\\menu_window_main.bmp",
     100,
     120,
     300,
     200,
     4,
     {{15, 15, 80, 36}, {15, 37, 80, 58}, {15, 61, 80, 80}, {15, 83, 80, 102}},
     2},
    {"system\\menu_window_exit.bmp", 100, 85, 300, 200, 2, {{30, 30, 70, 54}, {30, 55, 70, 75}}, 2},
    {"system\\menu_window_fps.bmp", 100, 85, 400, 300, 2, {{30, 30, 70, 54}, {30, 55, 70, 75}}, 3},
};
const MenuLayout& MAIN_LAYOUT = LAYOUTS[0];
const MenuLayout& EXIT_LAYOUT = LAYOUTS[1];
const MenuLayout& FPS_LAYOUT = LAYOUTS[2];

// Opens a window of the system menu at the mouse, kept inside the screen.
bool Open(MenuWindow* m, const MenuLayout& layout, int32_t state) {
    if (!System_window_enter(*m, state)) return false;
    const int32_t x = MouseX > WINDOW_WIDTH - layout.width ? WINDOW_WIDTH - layout.width : MouseX;
    const int32_t y = MouseY > WINDOW_HEIGHT - layout.height ? WINDOW_HEIGHT - layout.height : MouseY;
    Menu_open(m, layout, x, y);
    return true;
}

// The frame-rate window's third look marks the option in force.
bool Fps_in_force(int button) {
    return button == (Game_stat.fps_on == 1 ? 0 : 1);
}

} // namespace

void System_menu_open() {
    if (Game_stat.system_menu_flag != 1) return;
    Open(&MainMenu, MAIN_LAYOUT, 101);
}

void System_menu_task() {
    if (!Menu_guard_passed(MainMenu)) return;
    if (Menu_cancelled()) {
        System_window_close(&MainMenu);
        return;
    }
    const int chosen = Menu_paint_buttons(&MainMenu);
    if (chosen < 0) return;
    System_window_close(&MainMenu);
    switch (chosen) {
    case 0:
        Save_screen_open();
        break;
    case 1:
        Load_screen_open();
        break;
    case 2:
        Open(&FpsWindow, FPS_LAYOUT, 104);
        break;
    case 3:
        Open(&ExitWindow, EXIT_LAYOUT, 105);
        break;
    }
}

void Fps_window_task() {
    if (!Menu_guard_passed(FpsWindow)) return;
    if (Menu_cancelled()) {
        System_window_close(&FpsWindow);
        return;
    }
    const int chosen = Menu_paint_buttons(&FpsWindow, Fps_in_force);
    if (chosen < 0) return;
    System_window_close(&FpsWindow);
    Game_stat.fps_on = chosen == 0 ? 1 : 0;
    if (chosen == 1) Surface_copy(&BackBuffer, 0, 0, 300, 20, &BackgroundSurface, 0, 0);
}

void Exit_window_task() {
    if (!Menu_guard_passed(ExitWindow)) return;
    if (Menu_cancelled()) {
        System_window_close(&ExitWindow);
        return;
    }
    const int chosen = Menu_paint_buttons(&ExitWindow);
    if (chosen < 0) return;
    System_window_close(&ExitWindow);
    if (chosen == 0) System_exit();
}

const MenuLayout* System_menu_layouts(size_t* count) {
    *count = std::size(LAYOUTS);
    return LAYOUTS;
}

void System_menu_reset() {
    for (MenuWindow* m : {&MainMenu, &ExitWindow, &FpsWindow})
        Menu_reset(m);
}
