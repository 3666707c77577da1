#include "ui/ui_kit.h"

#include "core/lifecycle.h"
#include "ui/ui_host.h"

namespace {

bool pointer_seen = false;
int pointer_x = 0, pointer_y = 0;

} // namespace

bool Ui_inside(const UiRect& r, int x, int y) {
    return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

void Ui_frame(Surface* s, const UiRect& r, uint32_t colour) {
    Surface_fill(s, r.x, r.y, r.x + r.w, r.y + 1, colour);
    Surface_fill(s, r.x, r.y + r.h - 1, r.x + r.w, r.y + r.h, colour);
    Surface_fill(s, r.x, r.y, r.x + 1, r.y + r.h, colour);
    Surface_fill(s, r.x + r.w - 1, r.y, r.x + r.w, r.y + r.h, colour);
}

Surface Ui_screen() {
    Surface screen;
    screen.width = WINDOW_WIDTH;
    screen.height = WINDOW_HEIGHT;
    screen.pixels.assign(Ui_window_picture(), Ui_window_picture() + WINDOW_WIDTH * WINDOW_HEIGHT);
    return screen;
}

void Ui_panel(Surface* s, const UiRect& r, const std::string& caption_utf8) {
    Surface_fill(s, r.x + 3, r.y + 3, r.x + r.w + 3, r.y + r.h + 3, 0x202020); // shadow
    Surface_fill(s, r.x, r.y, r.x + r.w, r.y + r.h, UI_PANEL);
    Surface_fill(s, r.x, r.y, r.x + r.w, r.y + UI_CAPTION_H, UI_CAPTION_BG);
    Ui_frame(s, r, UI_BORDER);
    Font_draw_utf8(s, r.x + 10, r.y + (UI_CAPTION_H - UI_CAPTION_FONT.cell_height) / 2, UI_CAPTION_FONT,
                   caption_utf8, UI_WHITE);
}

void Ui_button(Surface* s, int x, int y, const char* label_utf8, bool hot, UiButtonLook look) {
    const UiRect r{x, y, UI_BUTTON_W, UI_BUTTON_H};
    Surface_fill(s, x, y, x + UI_BUTTON_W, y + UI_BUTTON_H, hot ? UI_BUTTON_HOT : UI_BUTTON_BG);
    Ui_frame(s, r, look == UiButtonLook::Plain ? UI_BORDER : UI_FOCUS);
    if (look == UiButtonLook::Focused)
        Ui_frame(s, UiRect{x + 1, y + 1, UI_BUTTON_W - 2, UI_BUTTON_H - 2}, UI_FOCUS);
    const int tw = Font_measure_utf8(UI_TEXT_FONT, label_utf8);
    Font_draw_utf8(s, x + (UI_BUTTON_W - tw) / 2, y + (UI_BUTTON_H - UI_TEXT_FONT.cell_height) / 2,
                   UI_TEXT_FONT, label_utf8, UI_TEXT);
}

bool Ui_modal_loop(const UiRect& area, const std::function<UiStep(const PlatformEvent&)>& handle,
                   const std::function<void()>& draw) {
    // The program is ending (the window was closed, or a signal came, while an earlier dialog of
    // the same frame was open): the window says so once, so nobody would answer this one.
    int code = 0;
    if (System_quit_requested(&code)) return false;
    draw();
    for (;;) {
        PlatformEvent e;
        if (!Platform_wait_event(&e, 1000)) continue;
        switch (e.type) {
        case EventType::Quit:
            return false;
        case EventType::WindowClosed:
            Ui_window_message(e);
            return false;
        case EventType::Paint:
        case EventType::MusicNotify:
            Ui_window_message(e);
            break;
        case EventType::MouseMove:
        case EventType::MouseDown:
        case EventType::MouseUp:
            pointer_seen = true;
            pointer_x = e.x;
            pointer_y = e.y;
            if (!Ui_inside(area, e.x, e.y)) {
                Ui_window_message(e);
                if (e.type == EventType::MouseDown) break;
            }
            if (handle(e) == UiStep::Close) return true;
            break;
        default:
            if (handle(e) == UiStep::Close) return true;
        }
        draw();
    }
}

bool Ui_take_pointer(int* x, int* y) {
    if (!pointer_seen) return false;
    pointer_seen = false;
    *x = pointer_x;
    *y = pointer_y;
    return true;
}
