#include "ui/backlog_view.h"

#include <algorithm>
#include <vector>

#include "gfx/text_draw.h"
#include "script/backlog.h"
#include "script/story_state.h"
#include "ui/ui_host.h"
#include "ui/ui_kit.h"

namespace {

constexpr int FONT = 20;
constexpr int ADVANCE = FONT / 2; // per Shift-JIS byte, as the story lays text out at this size
constexpr int LEFT = 24;
constexpr int TOP = 16;
constexpr int LINE_H = 26;
constexpr int VISIBLE = (WINDOW_HEIGHT - 2 * TOP) / LINE_H;
constexpr int WHEEL_LINES = 3;
constexpr uint32_t SHADOW = 0x000000;
constexpr uint32_t RULE = 0x707070; // the line between two pages, 0x00RRGGBB

// One line of the view: the pieces drawn on it, or none for the gap between two pages.
struct Line {
    std::vector<const BacklogPiece*> pieces;
};

struct View {
    std::vector<Line> lines;
    int previous_end = 0; // the line after the last line of the previous page
};

void Add_page(View* v, const BacklogPage& page) {
    if (!v->lines.empty()) v->lines.emplace_back();
    for (size_t i = 0; i < page.size(); ++i) {
        if (i == 0 || page[i - 1].y != page[i].y) v->lines.emplace_back();
        v->lines.back().pieces.push_back(&page[i]);
    }
}

View Lay_out() {
    View v;
    for (const BacklogPage* page : Backlog_pages())
        Add_page(&v, *page);
    v.previous_end = int(v.lines.size());
    if (!Backlog_current_page().empty()) Add_page(&v, Backlog_current_page());
    return v;
}

void Draw(const View& v, int top) {
    Surface screen = Ui_screen();
    for (uint32_t& p : screen.pixels)
        p = (p >> 3) & 0x1F1F1F; // an eighth of the brightness: the story text must not show through
    for (int i = 0; i < VISIBLE && top + i < int(v.lines.size()); ++i) {
        const Line& line = v.lines[size_t(top + i)];
        const int y = TOP + i * LINE_H;
        if (line.pieces.empty()) {
            Surface_fill(&screen, LEFT, y + LINE_H / 2, WINDOW_WIDTH - LEFT, y + LINE_H / 2 + 1, RULE);
            continue;
        }
        int x = LEFT;
        for (const BacklogPiece* piece : line.pieces) {
            TextPut3D(&screen, x, y, FONT, piece->colour, SHADOW, piece->sjis.c_str());
            x += int(piece->sjis.size()) * ADVANCE;
        }
    }
    Platform_present(screen.pixels.data());
}

int Last_top(const View& v) {
    return std::max(0, int(v.lines.size()) - VISIBLE);
}

} // namespace

bool Backlog_view_allowed() {
    return Story_waits_for_go_on();
}

void Backlog_view_draw(int top) {
    Draw(Lay_out(), top);
}

void Backlog_view_open() {
    const View v = Lay_out();
    int top = std::clamp(v.previous_end - VISIBLE, 0, Last_top(v));
    // Down past the end closes; up stops at the first line.
    auto scroll = [&](int lines) {
        if (lines > 0 && top >= Last_top(v)) return UiStep::Close;
        top = std::clamp(top + lines, 0, Last_top(v));
        return UiStep::Continue;
    };
    auto handle = [&](const PlatformEvent& e) {
        switch (e.type) {
        case EventType::MouseWheel:
            return scroll(-e.wheel * WHEEL_LINES);
        case EventType::MouseUp:
            return e.button == 2 ? UiStep::Close : UiStep::Continue;
        case EventType::KeyDown:
            if (e.key == KEY_ESCAPE) return UiStep::Close;
            if (e.key == KEY_UP) return scroll(-1);
            if (e.key == KEY_DOWN) return scroll(1);
            if (e.key == KEY_PAGEUP) return scroll(-VISIBLE);
            if (e.key == KEY_PAGEDOWN) return scroll(VISIBLE);
            return UiStep::Continue;
        default:
            return UiStep::Continue;
        }
    };
    Ui_modal_loop(UiRect{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT}, handle, [&] { Draw(v, top); });
    Platform_present(Ui_window_picture());
}
