#include "features/transition.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/sjis.h"
#include "core/stopwatch.h"
#include "core/word_list.h"
#include "gfx/fixed_surfaces.h"
#include "script/parsers.h"
#include "script/script_file.h"
#include "script/text_settings.h"

int32_t TransitionType = TRANSITION_CURTAIN;
int32_t TransitionStep = 0;

namespace {

// Main_task runs at most every 16 ms, so a 15 ms period gives exactly one step a frame.
constexpr uint32_t STEP_PERIOD_MS = 15;

Stopwatch step_watch = 0;

// A cell's distance from the centre in cells, counted on each axis from the nearer of the two
// middle rows (15, 16) and columns (19, 20). In rows 8-23, columns 20-39, cells 17 or more away open
// a tick early: the table the spread has always been timed with, and scripts with it.
constexpr uint8_t Spread_tick(int r, int c) {
    const int dr = r <= 15 ? 15 - r : r - 16;
    const int dc = c <= 19 ? 19 - c : c - 20;
    const int sum = dr + dc;
    const bool early = r >= 8 && r <= 23 && c >= 20 && sum >= 17;
    return uint8_t(early ? sum - 1 : sum);
}

struct SpreadTable {
    uint8_t cells[SPREAD_ROWS][SPREAD_COLUMNS];
};

constexpr SpreadTable Build_spread_order() {
    SpreadTable t{};
    for (int r = 0; r < SPREAD_ROWS; ++r)
        for (int c = 0; c < SPREAD_COLUMNS; ++c)
            t.cells[r][c] = Spread_tick(r, c);
    return t;
}

constexpr SpreadTable SPREAD_TABLE = Build_spread_order();

// The table must read as the one the scripts were timed against: row 8 as written down, the centre
// at 0 and the corners at 34.
constexpr bool Row_8_matches() {
    constexpr uint8_t ROW_8[SPREAD_COLUMNS] = {26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13,
                                               12, 11, 10, 9,  8,  7,  7,  8,  9,  10, 11, 12, 13, 14,
                                               15, 16, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
    for (int c = 0; c < SPREAD_COLUMNS; ++c)
        if (SPREAD_TABLE.cells[8][c] != ROW_8[c]) return false;
    return true;
}
static_assert(Row_8_matches());
static_assert(SPREAD_TABLE.cells[15][19] == 0 && SPREAD_TABLE.cells[16][20] == 0);
static_assert(SPREAD_TABLE.cells[0][0] == 34 && SPREAD_TABLE.cells[31][39] == 34);

// The square a cell shows `since` ticks after it started to open: offset from the cell's corner
// and size. Cells change only on even ticks; after the tenth the cell is whole.
struct SpreadSquare {
    int offset, size;
};
constexpr SpreadSquare SPREAD_SQUARES[6] = {{7, 2}, {6, 4}, {4, 6}, {3, 8}, {2, 12}, {0, 16}};
constexpr int SPREAD_LAST_TICK = 44;

// Each step ends here: the curtain at s = 740, the spread after tick 45, the stretches when the
// band covers the screen.
void End_transition() {
    Game_stat.text_on = 1;
    Game_stat.g_change_on = 0;
    Text_home();
}

void Curtain_step() {
    const int32_t s = TransitionStep;
    // Band by band the strips widen by one pixel a step; ten strips a step keep ten bands moving.
    for (int k = 0; k <= 9; ++k)
        Surface_copy(&BackBuffer, s - 10 * k, 0, k + 1, WINDOW_HEIGHT, &BackgroundSurface, s - 10 * k, 0);
    if (s - 100 >= WINDOW_WIDTH)
        End_transition();
    else
        TransitionStep = s + 10;
}

void Spread_step() {
    const int32_t t = TransitionStep;
    for (int r = 0; r < SPREAD_ROWS; ++r) {
        for (int c = 0; c < SPREAD_COLUMNS; ++c) {
            const int32_t since = t - SpreadOrder[r][c];
            if (since < 0 || since > 10 || since % 2 != 0) continue;
            const SpreadSquare q = SPREAD_SQUARES[since / 2];
            const int x = c * SPREAD_CELL + q.offset, y = r * SPREAD_CELL + q.offset;
            Surface_copy(&BackBuffer, x, y, q.size, q.size, &BackgroundSurface, x, y);
        }
    }
    if (t > SPREAD_LAST_TICK)
        End_transition();
    else
        TransitionStep = t + 1;
}

void Stretch_x_step() {
    const int32_t s = TransitionStep;
    Transition_stretch(&BackBuffer, WINDOW_WIDTH / 2 - s, 0, 2 * s, WINDOW_HEIGHT, &BackgroundSurface);
    if (s >= WINDOW_WIDTH / 2)
        End_transition();
    else
        TransitionStep = s + 20;
}

void Stretch_y_step() {
    const int32_t s = TransitionStep;
    Transition_stretch(&BackBuffer, 0, WINDOW_HEIGHT / 2 - s, WINDOW_WIDTH, 2 * s, &BackgroundSurface);
    if (s >= WINDOW_HEIGHT / 2)
        End_transition();
    else
        TransitionStep = s + 20;
}

} // namespace

const uint8_t (&SpreadOrder)[SPREAD_ROWS][SPREAD_COLUMNS] = SPREAD_TABLE.cells;

void Com_g_change_task() {
    ++ScriptCursor;
    const std::string symbol = Kaiseki_Symbol();
    const int32_t type = Word_position(TRANSITION_WORDS, symbol);
    if (type < 0) {
        // The program is ending: nothing is started, so no half-made transition can run meanwhile.
        Symbol_fatal(symbol.c_str(), "] は不正です。強制終了～♪", "Com_g_change_task()");
        return;
    }
    TransitionType = type;
    Game_stat.text_on = 0;
    Game_stat.g_change_on = 1;
    TransitionStep = 0;
    Stopwatch_start(&step_watch);
    Surface_set_name(&BackBuffer, BackgroundSurface.PictureName);
}

void G_change_task() {
    if (!Stopwatch_elapsed(step_watch, STEP_PERIOD_MS)) return;
    Stopwatch_start(&step_watch);
    switch (TransitionType) {
    case TRANSITION_CURTAIN:
        Curtain_step();
        break;
    case TRANSITION_SPREAD:
        Spread_step();
        break;
    case TRANSITION_STRETCH_X:
        Stretch_x_step();
        break;
    case TRANSITION_STRETCH_Y:
        Stretch_y_step();
        break;
    }
}

void Transition_stretch(Surface* dst, int dx, int dy, int dw, int dh, const Surface* src) {
    const int sw = src->width, sh = src->height;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const int64_t x0 = std::max<int64_t>(dx, 0), x1 = std::min<int64_t>(int64_t(dx) + dw, dst->width);
    const int64_t y0 = std::max<int64_t>(dy, 0), y1 = std::min<int64_t>(int64_t(dy) + dh, dst->height);
    if (x0 >= x1 || y0 >= y1) return;
    const size_t n = size_t(x1 - x0);
    // The source column of every destination column, worked out once instead of once a pixel.
    std::vector<uint32_t> columns(n);
    for (size_t i = 0; i < n; ++i)
        columns[i] = uint32_t((x0 - dx + int64_t(i)) * sw / dw);
    const bool unscaled = dw == sw;
    for (int64_t y = y0; y < y1; ++y) {
        const int64_t ty = (y - dy) * sh / dh;
        const uint32_t* s = &src->pixels[size_t(ty) * size_t(sw)];
        uint32_t* d = &dst->pixels[size_t(y) * size_t(dst->width) + size_t(x0)];
        if (unscaled) {
            std::memcpy(d, s + columns[0], n * sizeof(uint32_t));
        } else {
            for (size_t i = 0; i < n; ++i)
                d[i] = s[columns[i]];
        }
    }
    Surface_touch_rect(dst, int(x0), int(y0), int(n), int(y1 - y0));
}

void Transition_reset() {
    TransitionType = TRANSITION_CURTAIN;
    TransitionStep = 0;
    step_watch = 0;
}

void Transition_finish() {
    Surface_copy(&BackBuffer, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, &BackgroundSurface, 0, 0);
    End_transition();
}

void Transition_restore(const SaveStat&) {
    if (Game_stat.g_change_on == 1) Transition_finish();
}
