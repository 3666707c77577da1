#include "system/title_menu.h"

#include <cstring>
#include <iterator>
#include <string>

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "core/word_list.h"
#include "script/parsers.h"
#include "script/script_file.h"
#include "system/load_game.h"
#include "system/menu_window.h"
#include "system/save_load_screens.h"

namespace {

MenuWindow StartMenu;
MenuWindow StartLoad;
MenuWindow StartExit;
int32_t MenuX = 0, MenuY = 0;

const MenuLayout LAYOUTS[] = {
    {"system\\menu_window_start.bmp",
     150,
     100,
     450,
     300,
     3,
     {{15, 15, 140, 35}, {15, 45, 140, 60}, {15, 70, 140, 90}},
     2},
    {"system\\menu_window_exit.bmp", 100, 85, 300, 200, 2, {{30, 30, 70, 54}, {30, 55, 70, 75}}, 2},
};
const MenuLayout& START_LAYOUT = LAYOUTS[0];
const MenuLayout& EXIT_LAYOUT = LAYOUTS[1];

bool Enter(const MenuWindow& m, int32_t state) {
    return Menu_window_enter(m, &GameStat::TitleMenuState, state);
}

void Close(MenuWindow* m) {
    Menu_window_close(m, &GameStat::TitleMenuState, false);
}

void Start_load_open() {
    if (!Enter(StartLoad, 202)) return;
    Slot_screen_open(&StartLoad, LOAD_SCREEN_PICTURE);
}

void Start_exit_open() {
    if (!Enter(StartExit, 203)) return;
    Menu_open(&StartExit, EXIT_LAYOUT, Clamp_mouse_x(EXIT_LAYOUT.width), Clamp_mouse_y(EXIT_LAYOUT.height));
}

void Close_start_load() {
    Close(&StartLoad);
}

} // namespace

const MenuLayout* Title_menu_layouts(size_t* count) {
    *count = std::size(LAYOUTS);
    return LAYOUTS;
}

void Com_start_menu() {
    ++ScriptCursor;
    MenuX = Kaiseki_Num();
    Skip_arg_separators();
    MenuY = Kaiseki_Num();
    Skip_arg_separators();
    Start_menu_open();
}

void Com_System_menu_flag() {
    ++ScriptCursor;
    const std::string word = Kaiseki_Symbol();
    Skip_arg_separators();
    const int on_off = Word_position(SYSTEM_MENU_SWITCH_WORDS, word);
    if (on_off == 1) {
        Game_stat.system_menu_flag = 0;
        return;
    }
    Game_stat.system_menu_flag = 1;
    if (on_off != 0) {
        Msg_box("システムメニューフラグに意味不明なシンボルが\n指定されました。強制的に ON "
                "(メニュー有効)と\nして扱います (･ω･)ﾉｼ",
                "Com_System_menu_flag()");
    }
}

void Start_menu_open() {
    if (!Enter(StartMenu, 201)) return;
    Menu_open(&StartMenu, START_LAYOUT, MenuX, MenuY);
}

void Start_menu_task() {
    if (!Menu_guard_passed(StartMenu)) return;
    const int chosen = Menu_paint_buttons(&StartMenu);
    if (chosen < 0) return;
    Close(&StartMenu);
    // The story goes on after #start_menu unless the next window opens (its guard permitting).
    Game_stat.text_on = 1;
    if (chosen == 1) Start_load_open();
    if (chosen == 2) Start_exit_open();
}

void Start_load_task() {
    if (!Menu_guard_passed(StartLoad)) return;
    if (Menu_cancelled()) {
        Close(&StartLoad);
        Start_menu_open();
        return;
    }
    const int slot = Menu_paint_buttons(&StartLoad);
    if (slot < 0) return;
    if (!Load_game_can_try(slot, "Start_load_task()")) return;
    std::string reason;
    const SlotRead read = Load_game(slot, &reason, Close_start_load);
    if (read == SlotRead::Refused) {
        Load_game_refused(slot, reason, "Start_load_task()");
    } else if (read == SlotRead::Ok) {
        Game_stat.TitleMenuState = 0;
    }
}

void Start_exit_task() {
    if (!Menu_guard_passed(StartExit)) return;
    if (Menu_cancelled()) {
        Close(&StartExit);
        Start_menu_open();
        return;
    }
    const int chosen = Menu_paint_buttons(&StartExit);
    if (chosen < 0) return;
    Close(&StartExit);
    if (chosen == 0)
        System_exit();
    else
        Start_menu_open();
}

Rect Start_menu_start_button() {
    return Menu_button_on_screen(StartMenu, 0);
}

void Title_menu_reset() {
    for (MenuWindow* m : {&StartMenu, &StartLoad, &StartExit})
        Menu_reset(m);
    MenuX = MenuY = 0;
}
