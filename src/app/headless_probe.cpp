#include "app/headless_probe.h"

#include <cstring>

#include "comforts/player_settings.h"
#include "comforts/reload.h"
#include "comforts/skip_auto.h"
#include "core/game_stat.h"
#include "features/select.h"
#include "platform/platform.h"
#include "script/story_state.h"
#include "system/title_menu.h"

namespace {

bool Condition(const char* name) {
    if (!std::strcmp(name, "halt")) return Story_halted();
    if (!std::strcmp(name, "wait")) return Story_at_click_wait();
    if (!std::strcmp(name, "page")) return Story_at_page_end();
    if (!std::strcmp(name, "select")) return Story_at_choice();
    if (!std::strcmp(name, "keywait")) return Story_at_key_wait();
    if (!std::strcmp(name, "menu")) return Story_system_menu_open();
    if (!std::strcmp(name, "title")) return Story_title_menu_open();
    return false; // "exit" holds only once the program has ended, which ends the runner anyway
}

int Clamp(int64_t v, int high) {
    return int(v < 0 ? 0 : v > high ? high : v);
}

// The middle of `r`, kept on the picture.
bool Centre(const Rect& r, int* x, int* y) {
    *x = Clamp((int64_t(r.left) + r.right) / 2, WINDOW_WIDTH - 1);
    *y = Clamp((int64_t(r.top) + r.bottom) / 2, WINDOW_HEIGHT - 1);
    return true;
}

// Every click wait, page-end wait, key wait and the halt move on with a click anywhere; the middle
// of the picture keeps clear of the corners where menus open. The title menu starts the story. A pending
// choice takes its first option: the click lands in the middle of option 1, and the frames between the press
// and the release (50 ms) see the held button there, which is what makes the choice.
bool Click_target(int* x, int* y) {
    if (Story_at_choice()) {
        return Centre(SelectRect[0], x, y);
    }
    if (Game_stat.TitleMenuState == 201) {
        return Centre(Start_menu_start_button(), x, y);
    }
    if (Story_waits_for_go_on() || Story_at_key_wait() || Story_halted()) {
        *x = 320;
        *y = 240;
        return true;
    }
    return false;
}

// The runner's `skip on|off`, `auto on|off` and `reload`.
void Comfort(const char* name, bool on) {
    if (!std::strcmp(name, "skip")) Skip_set(on);
    if (!std::strcmp(name, "auto")) Auto_set(on);
    if (!std::strcmp(name, "reload")) Reload_game();
}

} // namespace

HeadlessProbe Headless_probe() {
    return HeadlessProbe{Condition, Click_target, Comfort, Player_setting_set};
}
