#include "script/story_state.h"

#include "core/game_stat.h"
#include "script/interpreter.h"

bool Story_at_click_wait() {
    return Game_stat.wait_on == 1;
}

bool Story_at_page_end() {
    return Game_stat.page_wait_on == 1;
}

bool Story_waits_for_go_on() {
    return Story_at_click_wait() || Story_at_page_end();
}

bool Story_halted() {
    return Game_stat.halt_on == 1;
}

bool Story_at_choice() {
    return Game_stat.select_on == 1;
}

bool Story_at_key_wait() {
    return Game_stat.wait_kbhit_on == 1;
}

bool Story_title_menu_open() {
    return Game_stat.TitleMenuState != 0;
}

bool Story_system_menu_open() {
    return Game_stat.SystemMenuState != 0;
}

bool Story_asks_player() {
    return Story_at_choice() || Story_at_key_wait() || Story_title_menu_open() || Story_system_menu_open();
}

bool Story_moving() {
    const GameStat& g = Game_stat;
    return g.text_on == 1 || g.delay_on == 1 || g.g_change_on == 1 || g.shake_on == 1 || g.fade_out_on == 1 ||
           g.fade_in_on == 1;
}

void Story_pass_go_on_wait() {
    if (Story_at_click_wait()) Wait_click();
    if (Story_at_page_end()) Page_wait_click();
}
