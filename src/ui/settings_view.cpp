#include "ui/settings_view.h"

#include <algorithm>

#include "ui/ui_host.h"

namespace {

constexpr int PANEL_W = 500;
constexpr int ROW_H = 34;
constexpr int PAD = 18;
constexpr int LABEL_W = 170;
constexpr int CONTROL_W = PANEL_W - 2 * PAD - LABEL_W;
constexpr int CONTROL_H = 26;
constexpr int ARROW_W = 36;
constexpr size_t MOST_BUTTONS = 3; // rows with more values step through them
constexpr uint32_t UI_CHOSEN_BG = 0x3A4A66;
constexpr uint32_t UI_ROW_FOCUS = 0xE6EAF2;

UiRect Panel(const std::vector<SettingsRow>& rows) {
    const int h = UI_CAPTION_H + PAD + int(rows.size()) * ROW_H + PAD / 2 + UI_BUTTON_H + PAD;
    return UiRect{(WINDOW_WIDTH - PANEL_W) / 2, (WINDOW_HEIGHT - h) / 2, PANEL_W, h};
}

UiRect Control(const std::vector<SettingsRow>& rows, size_t row) {
    const UiRect p = Panel(rows);
    return UiRect{p.x + PAD + LABEL_W, p.y + UI_CAPTION_H + PAD + int(row) * ROW_H + (ROW_H - CONTROL_H) / 2,
                  CONTROL_W, CONTROL_H};
}

bool Stepped(const SettingsRow& row) {
    return row.values.size() > MOST_BUTTONS;
}

// A flat box with its text centred: chosen values dark with light text, others light.
void Box(Surface* s, const UiRect& r, const std::string& text, bool chosen, bool hot) {
    Surface_fill(s, r.x, r.y, r.x + r.w, r.y + r.h,
                 chosen ? UI_CHOSEN_BG
                 : hot  ? UI_BUTTON_HOT
                        : UI_BUTTON_BG);
    Ui_frame(s, r, UI_BORDER);
    const int tw = Font_measure_utf8(UI_TEXT_FONT, text);
    Font_draw_utf8(s, r.x + (r.w - tw) / 2, r.y + (r.h - UI_TEXT_FONT.cell_height) / 2, UI_TEXT_FONT, text,
                   chosen ? UI_WHITE : UI_TEXT);
}

void Draw_at(Surface* s, const std::vector<SettingsRow>& rows, size_t focus, int px, int py) {
    const UiRect p = Panel(rows);
    Ui_panel(s, p, "設定");
    for (size_t i = 0; i < rows.size(); ++i) {
        const SettingsRow& row = rows[i];
        const UiRect c = Control(rows, i);
        if (i == focus) { // a light band with a bar in the focus colour at its left
            const int top = c.y - (ROW_H - CONTROL_H) / 2;
            Surface_fill(s, p.x + 4, top, p.x + p.w - 4, top + ROW_H, UI_ROW_FOCUS);
            Surface_fill(s, p.x + 4, top, p.x + 8, top + ROW_H, UI_FOCUS);
        }
        Font_draw_utf8(s, p.x + PAD, c.y + (CONTROL_H - UI_TEXT_FONT.cell_height) / 2, UI_TEXT_FONT,
                       row.label, UI_TEXT);
        if (Stepped(row)) {
            for (int step : {-1, 1}) {
                const UiRect a = Settings_view_value_rect(rows, i, step);
                Box(s, a, step < 0 ? "◀" : "▶", false, Ui_inside(a, px, py));
            }
            const UiRect v{c.x + ARROW_W + 4, c.y, c.w - 2 * ARROW_W - 8, c.h};
            Surface_fill(s, v.x, v.y, v.x + v.w, v.y + v.h, UI_WHITE);
            Ui_frame(s, v, UI_BORDER);
            const std::string& text = row.values[size_t(row.chosen)];
            const int tw = Font_measure_utf8(UI_TEXT_FONT, text);
            Font_draw_utf8(s, v.x + (v.w - tw) / 2, v.y + (v.h - UI_TEXT_FONT.cell_height) / 2, UI_TEXT_FONT,
                           text, UI_TEXT);
        } else {
            for (size_t k = 0; k < row.values.size(); ++k) {
                const UiRect b = Settings_view_value_rect(rows, i, int(k));
                Box(s, b, row.values[k], int(k) == row.chosen, Ui_inside(b, px, py));
            }
        }
    }
    const UiRect close = Settings_view_close_rect(rows);
    Ui_button(s, close.x, close.y, "閉じる", Ui_inside(close, px, py),
              focus == rows.size() ? UiButtonLook::Focused : UiButtonLook::Default);
    const std::string hint = "↑↓ 項目　←→ 変更　Esc・右クリック 閉じる";
    Font_draw_utf8(s, p.x + PAD, close.y + (UI_BUTTON_H - UI_NOTE_FONT.cell_height) / 2, UI_NOTE_FONT, hint,
                   0x6A645C);
}

} // namespace

UiRect Settings_view_value_rect(const std::vector<SettingsRow>& rows, size_t row, int value) {
    const UiRect c = Control(rows, row);
    if (Stepped(rows[row])) return UiRect{value < 0 ? c.x : c.x + c.w - ARROW_W, c.y, ARROW_W, c.h};
    const int n = int(rows[row].values.size());
    const int gap = 6, w = (c.w - (n - 1) * gap) / n;
    return UiRect{c.x + value * (w + gap), c.y, w, c.h};
}

UiRect Settings_view_close_rect(const std::vector<SettingsRow>& rows) {
    const UiRect p = Panel(rows);
    return UiRect{p.x + p.w - PAD - UI_BUTTON_W, p.y + p.h - PAD - UI_BUTTON_H, UI_BUTTON_W, UI_BUTTON_H};
}

void Settings_view_draw(Surface* s, const std::vector<SettingsRow>& rows, size_t focus) {
    Draw_at(s, rows, focus, -1, -1);
}

void Settings_view_open(std::vector<SettingsRow>* rows, const std::function<void(size_t, int)>& changed) {
    size_t focus = 0;
    int px = -1, py = -1;
    Surface behind = Ui_screen();
    for (uint32_t& p : behind.pixels)
        p = (p >> 1) & 0x7F7F7F; // the story dimmed behind the panel
    auto choose = [&](size_t row, int value) {
        SettingsRow& r = (*rows)[row];
        value = std::clamp(value, 0, int(r.values.size()) - 1);
        if (value == r.chosen) return;
        r.chosen = value;
        changed(row, value);
    };
    auto click = [&](int x, int y) {
        for (size_t i = 0; i < rows->size(); ++i) {
            const SettingsRow& r = (*rows)[i];
            const int first = Stepped(r) ? -1 : 0, last = Stepped(r) ? 1 : int(r.values.size()) - 1;
            for (int k = first; k <= last; ++k) {
                if (!Ui_inside(Settings_view_value_rect(*rows, i, k), x, y)) continue;
                focus = i;
                choose(i, Stepped(r) ? r.chosen + k : k);
            }
        }
    };
    auto handle = [&](const PlatformEvent& e) {
        if (e.type == EventType::MouseMove || e.type == EventType::MouseDown ||
            e.type == EventType::MouseUp) {
            px = e.x;
            py = e.y;
        }
        switch (e.type) {
        case EventType::MouseDown:
            if (e.button == 1) click(e.x, e.y);
            return UiStep::Continue;
        case EventType::MouseUp:
            // 閉じる acts on its release, as a button does.
            return e.button == 2 || (e.button == 1 && Ui_inside(Settings_view_close_rect(*rows), e.x, e.y))
                       ? UiStep::Close
                       : UiStep::Continue;
        case EventType::KeyDown:
            if (e.key == KEY_ESCAPE || (e.key == KEY_RETURN && focus == rows->size())) return UiStep::Close;
            if (e.key == KEY_UP) focus = (focus + rows->size()) % (rows->size() + 1);
            if (e.key == KEY_DOWN || e.key == KEY_TAB) focus = (focus + 1) % (rows->size() + 1);
            if ((e.key == KEY_LEFT || e.key == KEY_RIGHT) && focus < rows->size())
                choose(focus, (*rows)[focus].chosen + (e.key == KEY_LEFT ? -1 : 1));
            return UiStep::Continue;
        default:
            return UiStep::Continue;
        }
    };
    Ui_modal_loop(UiRect{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT}, handle, [&] {
        Surface screen = behind;
        Draw_at(&screen, *rows, focus, px, py);
        Platform_present(screen.pixels.data());
    });
    Platform_present(Ui_window_picture());
}
