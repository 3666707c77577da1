#include "system/menu_window.h"

#include <string>

#include "core/mouse.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/picture_load.h"
#include "platform/platform.h"

bool Menu_guard_passed(const MenuWindow& m) {
    return Stopwatch_elapsed(m.guard, MENU_GUARD_MS);
}

void Menu_open(MenuWindow* m, const MenuLayout& layout, int32_t x, int32_t y) {
    m->width = layout.width;
    m->height = layout.height;
    m->x = x;
    m->y = y;
    m->keep_x = layout.keep_x;
    m->keep_y = 0;
    m->button_count = layout.button_count;
    for (int i = 0; i < layout.button_count; ++i) {
        m->buttons[i] = layout.buttons[i];
        m->shown[i] = -1;
    }
    Surface_create(&m->surface, layout.surface_width, layout.height);
    Load_Bmp(&m->surface, (std::string(".\\gdat\\") + layout.picture).c_str());
    Surface_copy(&m->surface, m->keep_x, m->keep_y, m->width, m->height, &BackBuffer, x, y);
    Surface_copy(&BackBuffer, x, y, m->width, m->height, &m->surface, 0, 0);
    Stopwatch_start(&m->guard);
}

Rect Menu_button_on_screen(const MenuWindow& m, int i) {
    const Rect& b = m.buttons[i];
    return Rect{b.left + m.x, b.top + m.y, b.right + m.x, b.bottom + m.y};
}

int Menu_paint_buttons(MenuWindow* m, bool (*in_force)(int button)) {
    int chosen = -1;
    for (int i = 0; i < m->button_count; ++i) {
        const Rect& b = m->buttons[i];
        const Rect on_screen = Menu_button_on_screen(*m, i);
        int32_t look = 0;
        if (MouseInRect(on_screen)) {
            look = m->width;
            if (MouseButtons == MK_LBUTTON) chosen = i;
        } else if (in_force && in_force(i)) {
            look = 2 * m->width;
        }
        if (m->shown[i] == look) continue;
        m->shown[i] = look;
        Surface_copy(&BackBuffer, on_screen.left, on_screen.top, b.right - b.left, b.bottom - b.top,
                     &m->surface, b.left + look, b.top);
    }
    return chosen;
}

void Menu_close(MenuWindow* m) {
    Surface_copy(&BackBuffer, m->x, m->y, m->width, m->height, &m->surface, m->keep_x, m->keep_y);
    Surface_release(&m->surface);
    Stopwatch_start(&m->guard);
}

void Menu_reset(MenuWindow* m) {
    Surface_release(&m->surface);
    *m = MenuWindow{};
    m->guard = Platform_time_ms() - MENU_GUARD_MS;
}

bool Menu_window_enter(const MenuWindow& m, int32_t GameStat::*menu, int32_t state) {
    if (Game_stat.*menu == state || !Menu_guard_passed(m)) return false;
    Game_stat.*menu = state;
    Game_stat.wait_on = 0;
    Game_stat.text_on = 0;
    return true;
}

void Menu_window_close(MenuWindow* m, int32_t GameStat::*menu, bool click_wait) {
    Menu_close(m);
    Game_stat.*menu = 0;
    Game_stat.wait_on = click_wait ? 1 : 0;
}

bool Menu_cancelled() {
    return MouseButtons == MK_RBUTTON;
}
