#include "ui/message_box.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/sjis.h"
#include "ui/ui_host.h"
#include "ui/ui_kit.h"

namespace {

constexpr int PAD = 16;
constexpr int LINE_H = 20;
constexpr int MAX_TEXT_W = 560;

struct Button {
    BoxAnswer answer;
    const char* label;
    int x, y;
};

struct Layout {
    UiRect area;
    std::string caption;
    std::vector<std::string> lines;
    std::vector<Button> buttons;
};

// Breaks the text at its line feeds and wherever a line would grow wider than the box allows.
std::vector<std::string> Wrap(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t start = pos;
        uint32_t cp = Utf8_next(text, &pos);
        if (cp == '\n') {
            lines.push_back(line);
            line.clear();
            continue;
        }
        std::string ch = text.substr(start, pos - start);
        if (!line.empty() && Font_measure_utf8(UI_TEXT_FONT, line + ch) > MAX_TEXT_W) {
            lines.push_back(line);
            line.clear();
        }
        line += ch;
    }
    lines.push_back(line);
    return lines;
}

Layout Make_layout(const std::string& text, const std::string& caption, BoxKind kind) {
    Layout l;
    l.caption = caption;
    l.lines = Wrap(text);
    int text_w = 0;
    for (const std::string& line : l.lines)
        text_w = std::max(text_w, Font_measure_utf8(UI_TEXT_FONT, line));
    const int buttons = kind == BoxKind::Ok ? 1 : 2;
    const int buttons_w = buttons * UI_BUTTON_W + (buttons - 1) * UI_BUTTON_GAP;
    UiRect& a = l.area;
    a.w = std::clamp(std::max(text_w, buttons_w) + 2 * PAD, 260, 620);
    a.w = std::max(a.w, Font_measure_utf8(UI_CAPTION_FONT, caption) + 2 * PAD);
    a.w = std::min(a.w, 620);
    const int text_h = int(l.lines.size()) * LINE_H;
    a.h = std::min(UI_CAPTION_H + PAD + text_h + PAD + UI_BUTTON_H + PAD, 470);
    a.x = (WINDOW_WIDTH - a.w) / 2;
    a.y = (WINDOW_HEIGHT - a.h) / 2;
    int bx = a.x + (a.w - buttons_w) / 2;
    const int by = a.y + a.h - PAD - UI_BUTTON_H;
    if (kind == BoxKind::Ok) {
        l.buttons.push_back({BoxAnswer::Ok, "OK", bx, by});
    } else {
        l.buttons.push_back({BoxAnswer::Yes, "はい(Y)", bx, by});
        l.buttons.push_back({BoxAnswer::No, "いいえ(N)", bx + UI_BUTTON_W + UI_BUTTON_GAP, by});
    }
    return l;
}

int Button_at(const Layout& l, int x, int y) {
    for (size_t i = 0; i < l.buttons.size(); ++i) {
        const Button& b = l.buttons[i];
        if (x >= b.x && x < b.x + UI_BUTTON_W && y >= b.y && y < b.y + UI_BUTTON_H) return int(i);
    }
    return -1;
}

// Draws the box over the current window picture and shows the result; the window picture itself
// is left as it was, so closing the box only has to show it again.
void Show(const Layout& l, int focus, int hot) {
    Surface screen = Ui_screen();
    const UiRect& a = l.area;
    Ui_panel(&screen, a, l.caption);
    int ty = a.y + UI_CAPTION_H + PAD;
    for (const std::string& line : l.lines) {
        if (ty + LINE_H > a.y + a.h - PAD - UI_BUTTON_H) break;
        Font_draw_utf8(&screen, a.x + PAD, ty, UI_TEXT_FONT, line, UI_TEXT);
        ty += LINE_H;
    }
    for (size_t i = 0; i < l.buttons.size(); ++i) {
        const Button& b = l.buttons[i];
        Ui_button(&screen, b.x, b.y, b.label, int(i) == hot,
                  int(i) == focus ? UiButtonLook::Focused : UiButtonLook::Plain);
    }
    Platform_present(screen.pixels.data());
}

// The box's own event loop.
BoxAnswer Run(const std::string& text, const std::string& caption, BoxKind kind) {
    const Layout l = Make_layout(text, caption, kind);
    const BoxAnswer cancel = kind == BoxKind::Ok ? BoxAnswer::Ok : BoxAnswer::No;
    int focus = 0, hot = -1, pressed = -1;
    BoxAnswer answer = cancel;
    auto handle = [&](const PlatformEvent& e) {
        auto answer_with = [&](BoxAnswer a) {
            answer = a;
            return UiStep::Close;
        };
        switch (e.type) {
        case EventType::KeyDown:
            if (e.key == KEY_RETURN || e.key == KEY_SPACE) return answer_with(l.buttons[focus].answer);
            if (e.key == KEY_ESCAPE) return answer_with(cancel);
            if (kind == BoxKind::YesNo && e.key == 'y') return answer_with(BoxAnswer::Yes);
            if (kind == BoxKind::YesNo && e.key == 'n') return answer_with(BoxAnswer::No);
            if (e.key == KEY_LEFT || e.key == KEY_RIGHT || e.key == KEY_TAB)
                focus = (focus + 1) % int(l.buttons.size());
            break;
        case EventType::MouseMove:
            hot = Button_at(l, e.x, e.y);
            break;
        case EventType::MouseDown:
            if (e.button == 1) {
                pressed = Button_at(l, e.x, e.y);
                if (pressed >= 0) focus = pressed;
            }
            break;
        case EventType::MouseUp:
            if (e.button == 1 && pressed >= 0 && Button_at(l, e.x, e.y) == pressed)
                return answer_with(l.buttons[pressed].answer);
            pressed = -1;
            break;
        default:
            break;
        }
        return UiStep::Continue;
    };
    Ui_modal_loop(l.area, handle, [&] { Show(l, focus, hot); });
    return answer;
}

} // namespace

BoxAnswer Message_box_show(const char* text_utf8, const char* caption_utf8, BoxKind kind) {
    if (!Platform_has_window()) {
        std::fprintf(stderr, "kotoyumi: [%s] %s\n", caption_utf8, text_utf8);
        return kind == BoxKind::Ok ? BoxAnswer::Ok : BoxAnswer::No;
    }
    const BoxAnswer answer = Run(text_utf8, caption_utf8, kind);
    Platform_present(Ui_window_picture());
    return answer;
}
