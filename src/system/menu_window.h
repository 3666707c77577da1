// MenuWindow: one pop-up window of the menus, drawn straight into BackBuffer over the story.
//
// A window picture holds its looks side by side: the normal look at x 0, every button highlighted
// at x = width, for the frame-rate window a third look at 2 x width; the pixels the window covers
// are kept in the same surface and put back when it closes. Each window has its own 200 ms input
// guard, so a click that opened it cannot act in it.
#pragma once

#include <cstdint>

#include "core/game_stat.h"
#include "core/rect.h"
#include "core/stopwatch.h"
#include "gfx/surface.h"

constexpr int MENU_MAX_BUTTONS = 8;
constexpr uint32_t MENU_GUARD_MS = 200;

// What a window is made of: its picture under ".\gdat\", sizes, where the covered pixels go, and
// its buttons relative to its top-left corner.
struct MenuLayout {
    const char* picture;
    int32_t width, height;
    int32_t surface_width;
    int32_t keep_x;
    int32_t button_count;
    Rect buttons[MENU_MAX_BUTTONS];
    int32_t looks; // looks side by side in the picture: it must be at least looks x width wide
};

struct MenuWindow {
    Surface surface;
    int32_t width, height;
    int32_t x, y;           // top-left corner on BackBuffer
    int32_t keep_x, keep_y; // where the covered pixels are kept in the surface
    Stopwatch guard;
    int32_t button_count;
    Rect buttons[MENU_MAX_BUTTONS];
    // Which look each button shows on BackBuffer (-1: not painted yet). Nothing else draws under a
    // window while it is open, so a button is copied again only when its look changes.
    int32_t shown[MENU_MAX_BUTTONS];
};

// True once 200 ms have passed since the window's guard was last started.
bool Menu_guard_passed(const MenuWindow& m);

// Opens the window at (x, y): fills the record, makes the surface and loads the picture (a missing
// picture is reported and the window opens all the same), keeps the pixels under it, shows the
// normal look and starts the guard.
void Menu_open(MenuWindow* m, const MenuLayout& layout, int32_t x, int32_t y);

// Button i's rectangle on BackBuffer.
Rect Menu_button_on_screen(const MenuWindow& m, int i);

// Repaints every button from the highlighted look if the mouse lies strictly inside it, else from
// the normal look (or, where `in_force` says so, from the third look). Returns the button under
// the mouse when the last mouse message held the left button alone, else -1.
int Menu_paint_buttons(MenuWindow* m, bool (*in_force)(int button) = nullptr);

// Closes the window: puts back the pixels it covered, releases the surface, restarts the guard.
void Menu_close(MenuWindow* m);

// Start-up state: no surface, and a guard that has already passed, so a window can open from the
// first frame on (the platform clock starts near 0 with the program).
void Menu_reset(MenuWindow* m);

// What every window of the two menus does as it opens: true when `m` may open in `state` of its
// menu (Game_stat.*menu, the system menu's or the title menu's) now: not already in it, its guard
// passed; the story then waits under it (*menu = state, no click wait, no stepping). False,
// changing nothing, otherwise.
bool Menu_window_enter(const MenuWindow& m, int32_t GameStat::*menu, int32_t state);

// Closes the window and leaves its menu's state (0); the story's click wait comes back with
// `click_wait` (the system menu opens over one, the title menu over none).
void Menu_window_close(MenuWindow* m, int32_t GameStat::*menu, bool click_wait);

// True when the last mouse message held the right button alone (cancel).
bool Menu_cancelled();
