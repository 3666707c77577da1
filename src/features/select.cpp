// Choices. The option texts are drawn once, when the command runs; a pending choice costs each
// frame three hit tests and, only when the highlight changes, three rectangle copies.
#include "features/select.h"

#include <algorithm>
#include <string>

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "features/flags.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/text_draw.h"
#include "platform/platform.h"
#include "script/backlog.h"
#include "script/parsers.h"
#include "script/script_file.h"
#include "script/text_settings.h"

Rect SelectRect[SELECT_OPTIONS];
Surface SelectPlain;
Surface SelectLit;

namespace {

constexpr uint32_t NORMAL_FACE = 255 + 255 * 256 + 100 * 65536; // pale yellow
constexpr uint32_t LIT_FACE = 255 + 50 * 256 + 50 * 65536;      // red
constexpr uint32_t SHADOW = 0;

// Which options BackBuffer shows highlighted (bit k for option k). Each frame's copies of the
// options would only repeat what is there unless this changes: nothing else draws into the
// options' rectangles while a choice is pending, and what draws later in a frame (the frame-rate
// box, the timer displays) draws over them again either way.
unsigned shown_lit = 0;
std::string options[SELECT_OPTIONS]; // the pending choice's, for the backlog

// Layout arithmetic is done in 64 bits and brought back into range: scripts can set pitches and
// areas large enough to overflow.
int32_t Fit(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void Copy_rect(Surface* dst, const Surface* src, const Rect& r) {
    const int64_t w = int64_t(r.right) - r.left, h = int64_t(r.bottom) - r.top;
    Surface_copy(dst, r.left, r.top, Fit(w), Fit(h), src, r.left, r.top);
}

void Release() {
    Surface_release(&SelectPlain);
    Surface_release(&SelectLit);
}

} // namespace

std::string Select_read_option() {
    while (Script_in_text() && Script_byte() <= 0x20)
        ++ScriptCursor;
    return Kaiseki_TextLine();
}

void Com_select3() {
    if (int64_t(Text.Text_Y) + 5 * int64_t(Text.Text_Y_PITCH) > Text.Text_AREA.bottom) {
        Msg_box(
            "選択肢を表示するだけの画面の余裕がありません（T0T）\nそんな訳で、すぱっといさぎよく強制終了～♪",
            "Com_select3() ");
        Game_stat.text_on = 0; // nothing more of the script runs while the program ends
        System_exit_with(EXIT_SCRIPT_ERROR);
        return;
    }
    if (!Skip_past_open_brace()) return;
    for (std::string& option : options)
        option = Select_read_option();

    Surface_create(&SelectPlain, WINDOW_WIDTH, WINDOW_HEIGHT);
    Surface_create(&SelectLit, WINDOW_WIDTH, WINDOW_HEIGHT);
    Text.Text_Y = Fit(Text.Text_Y + 3 * int64_t(Text.Text_Y_PITCH) / 2);
    for (int k = 0; k < SELECT_OPTIONS; ++k) {
        Text.Text_X = Fit(int64_t(Text.Text_AREA.left) + 20);
        Rect& r = SelectRect[k];
        Rect_set(&r, Text.Text_X, Text.Text_Y,
                 Fit(Text.Text_X + (int64_t(options[k].size()) + 3) * Text.Text_X_PITCH),
                 Fit(int64_t(Text.Text_Y) + Text.Text_Y_PITCH));
        Copy_rect(&SelectPlain, &BackBuffer, r);
        Copy_rect(&SelectLit, &BackBuffer, r);
        TextPut3D(&SelectPlain, r.left, r.top, Text.Font_Size, NORMAL_FACE, SHADOW, options[k].c_str());
        TextPut3D(&SelectLit, r.left, r.top, Text.Font_Size, LIT_FACE, SHADOW, options[k].c_str());
        Text.Text_Y = Fit(int64_t(Text.Text_Y) + Text.Text_Y_PITCH);
    }
    Text.Text_Y = Fit(Text.Text_Y + 3 * int64_t(Text.Text_Y_PITCH) / 2);
    Text.Text_X = Text.Text_AREA.left;
    for (const Rect& r : SelectRect)
        Copy_rect(&BackBuffer, &SelectPlain, r);
    shown_lit = 0;
    // The click that ended the wait before the choice is often still held when the options come
    // up, maybe over one of them: like the key wait, the choice forgets it, so only a mouse message
    // from now on (a new press, or the held button moved) can choose.
    MouseButtons = 0;
    Game_stat.text_on = 0;
    Game_stat.select_on = 1;
}

void Select_task() {
    unsigned lit = 0;
    int chosen = 0;
    for (int k = 0; k < SELECT_OPTIONS; ++k) {
        if (!MouseInRect(SelectRect[k])) continue;
        lit |= 1u << k;
        // The last mouse message's word: a press and release both between two frames is not seen,
        // a button held and moved onto an option is.
        if (MouseButtons == MK_LBUTTON) chosen = k + 1;
    }
    if (lit != shown_lit) {
        for (int k = 0; k < SELECT_OPTIONS; ++k)
            Copy_rect(&BackBuffer, (lit >> k) & 1 ? &SelectLit : &SelectPlain, SelectRect[k]);
        shown_lit = lit;
    }
    if (chosen == 0) return;

    Game_stat.select_on = 0;
    Release();
    Backlog_choice(options, chosen - 1);
    // Part k begins after the k-th `/` at depth 0 of the block. A broken block has stopped
    // stepping with its message; stepping resumes only into a part that was found.
    for (int i = 0; i < chosen; ++i)
        if (!Skip_then_part()) return;
    Game_stat.text_on = 1;
}

void Select_reset() {
    Release();
    for (Rect& r : SelectRect)
        r = Rect{};
    shown_lit = 0;
}
