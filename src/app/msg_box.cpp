#include "app/msg_box.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/present.h"
#include "app/sjis.h"
#include "app/window_messages.h"
#include "gfx/font.h"
#include "gfx/surface.h"

namespace {

constexpr FontStyle TEXT_FONT{FontFace::PGothic, 16, 400};
constexpr FontStyle CAPTION_FONT{FontFace::PGothic, 14, 600};
constexpr int PAD = 16;
constexpr int CAPTION_H = 24;
constexpr int LINE_H = 20;
constexpr int BUTTON_W = 92;
constexpr int BUTTON_H = 26;
constexpr int BUTTON_GAP = 12;
constexpr int MAX_TEXT_W = 560;

constexpr uint32_t PANEL = 0xF4F2EE;
constexpr uint32_t BORDER = 0x5A5550;
constexpr uint32_t CAPTION_BG = 0x3A4A66;
constexpr uint32_t CAPTION_FG = 0xFFFFFF;
constexpr uint32_t TEXT_FG = 0x1C1C1C;
constexpr uint32_t BUTTON_BG = 0xE2DED8;
constexpr uint32_t BUTTON_HOT = 0xD2DCEE;
constexpr uint32_t FOCUS = 0x3A6AC8;

struct Button {
    BoxAnswer answer;
    const char* label;
    int x, y;
};

struct Layout {
    int x = 0, y = 0, w = 0, h = 0;
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
        if (!line.empty() && Font_measure_utf8(TEXT_FONT, line + ch) > MAX_TEXT_W) {
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
    for (const std::string& line : l.lines) text_w = std::max(text_w, Font_measure_utf8(TEXT_FONT, line));
    const int buttons = kind == BoxKind::Ok ? 1 : 2;
    const int buttons_w = buttons * BUTTON_W + (buttons - 1) * BUTTON_GAP;
    l.w = std::clamp(std::max(text_w, buttons_w) + 2 * PAD, 260, 620);
    l.w = std::max(l.w, Font_measure_utf8(CAPTION_FONT, caption) + 2 * PAD);
    l.w = std::min(l.w, 620);
    const int text_h = int(l.lines.size()) * LINE_H;
    l.h = std::min(CAPTION_H + PAD + text_h + PAD + BUTTON_H + PAD, 470);
    l.x = (640 - l.w) / 2;
    l.y = (480 - l.h) / 2;
    int bx = l.x + (l.w - buttons_w) / 2;
    const int by = l.y + l.h - PAD - BUTTON_H;
    if (kind == BoxKind::Ok) {
        l.buttons.push_back({BoxAnswer::Ok, "OK", bx, by});
    } else {
        l.buttons.push_back({BoxAnswer::Yes, "はい(Y)", bx, by});
        l.buttons.push_back({BoxAnswer::No, "いいえ(N)", bx + BUTTON_W + BUTTON_GAP, by});
    }
    return l;
}

bool Inside(const Layout& l, int x, int y) { return x >= l.x && x < l.x + l.w && y >= l.y && y < l.y + l.h; }

int Button_at(const Layout& l, int x, int y) {
    for (size_t i = 0; i < l.buttons.size(); ++i) {
        const Button& b = l.buttons[i];
        if (x >= b.x && x < b.x + BUTTON_W && y >= b.y && y < b.y + BUTTON_H) return int(i);
    }
    return -1;
}

void Frame(Surface* s, int x, int y, int w, int h, uint32_t colour) {
    Surface_fill(s, x, y, x + w, y + 1, colour);
    Surface_fill(s, x, y + h - 1, x + w, y + h, colour);
    Surface_fill(s, x, y, x + 1, y + h, colour);
    Surface_fill(s, x + w - 1, y, x + w, y + h, colour);
}

// Draws the box over the current window picture and shows the result; the window picture itself
// is left as it was, so closing the box only has to show it again.
void Show(const Layout& l, int focus, int hot) {
    Surface screen;
    screen.width = 640;
    screen.height = 480;
    screen.pixels.assign(Present_window_picture(), Present_window_picture() + 640 * 480);

    Surface_fill(&screen, l.x + 3, l.y + 3, l.x + l.w + 3, l.y + l.h + 3, 0x202020);  // shadow
    Surface_fill(&screen, l.x, l.y, l.x + l.w, l.y + l.h, PANEL);
    Surface_fill(&screen, l.x, l.y, l.x + l.w, l.y + CAPTION_H, CAPTION_BG);
    Frame(&screen, l.x, l.y, l.w, l.h, BORDER);
    Font_draw_utf8(&screen, l.x + 10, l.y + (CAPTION_H - CAPTION_FONT.cell_height) / 2, CAPTION_FONT, l.caption,
                   CAPTION_FG);
    int ty = l.y + CAPTION_H + PAD;
    for (const std::string& line : l.lines) {
        if (ty + LINE_H > l.y + l.h - PAD - BUTTON_H) break;
        Font_draw_utf8(&screen, l.x + PAD, ty, TEXT_FONT, line, TEXT_FG);
        ty += LINE_H;
    }
    for (size_t i = 0; i < l.buttons.size(); ++i) {
        const Button& b = l.buttons[i];
        Surface_fill(&screen, b.x, b.y, b.x + BUTTON_W, b.y + BUTTON_H, int(i) == hot ? BUTTON_HOT : BUTTON_BG);
        Frame(&screen, b.x, b.y, BUTTON_W, BUTTON_H, int(i) == focus ? FOCUS : BORDER);
        if (int(i) == focus) Frame(&screen, b.x + 1, b.y + 1, BUTTON_W - 2, BUTTON_H - 2, FOCUS);
        const int tw = Font_measure_utf8(TEXT_FONT, b.label);
        Font_draw_utf8(&screen, b.x + (BUTTON_W - tw) / 2, b.y + (BUTTON_H - TEXT_FONT.cell_height) / 2, TEXT_FONT,
                       b.label, TEXT_FG);
    }
    Platform_present(screen.pixels.data());
}

// The box's own event loop. Mouse events outside the box, repaints and music notifications go on
// to the window as they would with any box that has no owner window.
BoxAnswer Run(const std::string& text, const std::string& caption, BoxKind kind) {
    const Layout l = Make_layout(text, caption, kind);
    const BoxAnswer cancel = kind == BoxKind::Ok ? BoxAnswer::Ok : BoxAnswer::No;
    int focus = 0, hot = -1, pressed = -1;
    Show(l, focus, hot);
    for (;;) {
        PlatformEvent e;
        if (!Platform_wait_event(&e, 1000)) continue;
        switch (e.type) {
        case EventType::Quit: return cancel;
        case EventType::WindowClosed: WndProc(e); return cancel;
        case EventType::Paint:
        case EventType::MusicNotify: WndProc(e); break;
        case EventType::KeyDown:
            if (e.key == KEY_RETURN || e.key == KEY_SPACE) return l.buttons[focus].answer;
            if (e.key == KEY_ESCAPE) return cancel;
            if (kind == BoxKind::YesNo && e.key == 'y') return BoxAnswer::Yes;
            if (kind == BoxKind::YesNo && e.key == 'n') return BoxAnswer::No;
            if (e.key == KEY_LEFT || e.key == KEY_RIGHT || e.key == KEY_TAB)
                focus = (focus + 1) % int(l.buttons.size());
            break;
        case EventType::MouseMove:
            if (!Inside(l, e.x, e.y)) WndProc(e);
            hot = Button_at(l, e.x, e.y);
            break;
        case EventType::MouseDown:
            if (!Inside(l, e.x, e.y)) {
                WndProc(e);
            } else if (e.button == 1) {
                pressed = Button_at(l, e.x, e.y);
                if (pressed >= 0) focus = pressed;
            }
            break;
        case EventType::MouseUp:
            if (!Inside(l, e.x, e.y)) WndProc(e);
            if (e.button == 1 && pressed >= 0 && Button_at(l, e.x, e.y) == pressed) return l.buttons[pressed].answer;
            pressed = -1;
            break;
        case EventType::KeyUp:
        case EventType::TextInput: break;
        }
        Show(l, focus, hot);
    }
}

BoxAnswer Box(const char* text, const char* caption, BoxKind kind) {
    BoxAnswer answer;
    if (Platform_scripted_box(caption, text, kind, &answer)) return answer;
    const BoxAnswer fallback = kind == BoxKind::Ok ? BoxAnswer::Ok : BoxAnswer::No;
    if (!Platform_has_window()) {
        std::fprintf(stderr, "kotoyumi: [%s] %s\n", caption, text);
        return fallback;
    }
    answer = Run(text, caption, kind);
    Platform_present(Present_window_picture());
    return answer;
}

}  // namespace

void Msg_box(const char* text_utf8, const char* caption_utf8) { Box(text_utf8, caption_utf8, BoxKind::Ok); }

BoxAnswer Msg_box_yes_no(const char* text_utf8, const char* caption_utf8) {
    return Box(text_utf8, caption_utf8, BoxKind::YesNo);
}
