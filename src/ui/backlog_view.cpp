#include "ui/backlog_view.h"

#include <algorithm>
#include <vector>

#include "core/dialogs.h"
#include "gfx/text_draw.h"
#include "script/backlog.h"
#include "script/story_state.h"
#include "system/load_game.h"
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
constexpr uint32_t BACK = 0x10141C;      // the view's own ground: nothing of the page behind shows
constexpr uint32_t RULE = 0x707070;      // the line between two pages, 0x00RRGGBB
constexpr int32_t MOST_BLANKS = VISIBLE; // blank lines kept in a row (a tiny pitch makes many)

// One line of the view: the pieces drawn on it (none for a blank line), or the rule between two
// pages; and the page it belongs to (Backlog_pages() order, their count for the current page).
struct Line {
    std::vector<const BacklogPiece*> pieces;
    size_t page = 0;
    bool rule = false;
};

struct View {
    std::vector<Line> lines;
    int previous_end = 0; // the line after the last line of the previous page
};

// The page's lines as they stood in the text area, blank ones included.
void Add_page(View* v, const BacklogPage& page, size_t index) {
    if (!v->lines.empty()) v->lines.push_back(Line{{}, index, true});
    int32_t at = -1; // the text area's line the view's last line shows
    for (const BacklogPiece& piece : page) {
        if (piece.line != at) {
            const int32_t blanks = std::clamp(at < 0 ? piece.line : piece.line - at - 1, 0, MOST_BLANKS);
            for (int32_t i = 0; i <= blanks; ++i)
                v->lines.push_back(Line{{}, index, false});
            at = piece.line;
        }
        v->lines.back().pieces.push_back(&piece);
    }
}

View Lay_out() {
    View v;
    const auto pages = Backlog_pages();
    for (size_t i = 0; i < pages.size(); ++i)
        Add_page(&v, *pages[i], i);
    v.previous_end = int(v.lines.size());
    if (!Backlog_current_page().empty()) Add_page(&v, Backlog_current_page(), pages.size());
    return v;
}

void Draw(const View& v, int top) {
    Surface screen = Ui_screen();
    std::fill(screen.pixels.begin(), screen.pixels.end(), BACK);
    for (int i = 0; i < VISIBLE && top + i < int(v.lines.size()); ++i) {
        const Line& line = v.lines[size_t(top + i)];
        const int y = TOP + i * LINE_H;
        if (line.rule) {
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

// The page shown at picture row `y`, if a page's line is there.
bool Page_at(const View& v, int top, int y, size_t* page) {
    if (y < TOP) return false;
    const int i = top + (y - TOP) / LINE_H;
    if ((y - TOP) / LINE_H >= VISIBLE || i >= int(v.lines.size()) || v.lines[size_t(i)].rule) return false;
    *page = v.lines[size_t(i)].page;
    return true;
}

// Asks whether to return to `page` (when its start was kept); Yes returns the story there.
bool Offer_rollback(size_t page) {
    if (!Backlog_page_start(page)) return false;
    if (Msg_box_yes_no("このページに戻りますか？", "バックログ") != BoxAnswer::Yes) return false;
    return Load_page_start(page);
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
        case EventType::MouseUp: {
            size_t page = 0;
            if (e.button == 2) return UiStep::Close;
            if (e.button == 1 && Page_at(v, top, e.y, &page) && Offer_rollback(page)) return UiStep::Close;
            return UiStep::Continue;
        }
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
