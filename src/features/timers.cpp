// Timers: three records in Game_stat, so a save carries them. Values are worked out from the clock
// when they are needed; nothing counts per frame.
#include "features/timers.h"

#include <cinttypes>
#include <cstdio>
#include <string>

#include "core/dialogs.h"
#include "core/save_stat.h"
#include "core/sjis.h"
#include "core/word_list.h"
#include "gfx/box_fill.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/text_draw.h"
#include "platform/platform.h"
#include "script/parsers.h"
#include "script/script_file.h"

namespace {

constexpr int LINE_Y = 460;
constexpr int LINE_FONT = 16;
constexpr uint32_t LINE_COLOR = 50 + 100 * 256 + 255 * 65536;
constexpr uint32_t WHITE = 0xFFFFFF;
constexpr int SINGLE_W = 150;
constexpr int SINGLE_H = 25;
constexpr uint32_t SINGLE_SHADOW = 50 + 50 * 256 + 50 * 65536;

int32_t WaitTimer = 0;
int64_t WaitTarget = 0;

uint64_t Now() {
    return Platform_time_ms();
}

void Bad_timer(const std::string& name, const char* caption) {
    const std::string text = "■タイマー指定が間違ってるにょ(･ω･)ﾉ\n\n  タイマーとして【 " +
                             Sjis_to_utf8(name.c_str()) + " 】が指定されましたが\n  意味不明でごんす。";
    Msg_box(text.c_str(), caption);
}

void Not_running(const std::string& name, const char* caption) {
    const std::string text = "■タイマー " + Sjis_to_utf8(name.c_str()) +
                             " は無効だにょ\n\n  まず #shot_timer でカウント開始するにょ！";
    Msg_box(text.c_str(), caption);
}

void Clear(TimerRec* t) {
    t->start_ms = 0;
    t->accumulated_ms = 0;
    t->stopped_ms = 0;
    t->running = 0;
}

// x + d without overflow: a display placed near the end of the number range is simply off-screen.
int Offset(int32_t x, int d) {
    return x > INT32_MAX - d ? INT32_MAX : x + d;
}

} // namespace

int Read_timer(std::string* name) {
    *name = Kaiseki_Symbol();
    return Word_position(TIMER_WORDS, *name);
}

void Skip_blanks_and_lf() {
    while (Script_in_text() && (Script_byte() == ' ' || Script_byte() == '\n'))
        ++ScriptCursor;
}

void Skip_commas_and_spaces() {
    while (Script_in_text() && (Script_byte() == ',' || Script_byte() == ' '))
        ++ScriptCursor;
}

int64_t Timer_value(const TimerRec& t) {
    if (t.running) return int64_t(t.accumulated_ms + (Now() - t.start_ms));
    return int64_t(t.stopped_ms);
}

void Timer_checkpoint(TimerRec* t) {
    if (!t->running) return;
    const uint64_t now = Now();
    t->accumulated_ms += now - t->start_ms;
    t->start_ms = now;
}

void Timer_resume(TimerRec* t) {
    if (t->running) t->start_ms = Now();
}

void Timer_single_text(int64_t ms, char* out, int size) {
    const int64_t s = ms / 1000;
    const int64_t m = s / 60;
    const int64_t sec = s - 60 * m;
    const int64_t hs = (ms - 1000 * s) / 10;
    std::snprintf(out, size_t(size), " %3" PRId64 ":%02" PRId64 ":%02" PRId64, m, sec, hs);
}

void Com_timer_shot() {
    ++ScriptCursor;
    std::string name;
    const int i = Read_timer(&name);
    if (i < 0) {
        Bad_timer(name, "Com_timer_shot()");
        return;
    }
    TimerRec& t = Game_stat.Timers[i];
    Clear(&t);
    t.start_ms = Now();
    t.running = 1;
}

void Com_stop_timer() {
    ++ScriptCursor;
    std::string name;
    const int i = Read_timer(&name);
    if (i < 0) {
        Bad_timer(name, "Com_stop_timer()");
        return;
    }
    TimerRec& t = Game_stat.Timers[i];
    t.stopped_ms = uint64_t(Timer_value(t));
    t.running = 0;
}

void Com_clear_timer() {
    ++ScriptCursor;
    std::string name;
    const int i = Read_timer(&name);
    if (i < 0) {
        Bad_timer(name, "Com_clear_timer()");
        return;
    }
    Clear(&Game_stat.Timers[i]);
}

void Com_disp_timer() {
    ++ScriptCursor;
    const std::string word = Kaiseki_Symbol();
    const int on_off = Word_position(TIMER_SWITCH_WORDS, word);
    if (on_off == 0) {
        Game_stat.disp_timer_on = 1;
    } else if (on_off == 1) {
        Game_stat.disp_timer_on = 0;
        Surface_copy(&BackBuffer, 0, LINE_Y, WINDOW_WIDTH, 20, &BackgroundSurface, 0, LINE_Y);
    } else {
        Msg_box("フラグ指定は半角大文字で ON か OFF だにょ！", "Com_disp_timer()");
    }
}

void Com_disp_timer_single() {
    ++ScriptCursor;
    const int32_t x = Kaiseki_Num();
    Skip_commas_and_spaces();
    const int32_t y = Kaiseki_Num();
    Skip_commas_and_spaces();
    std::string name;
    const int i = Read_timer(&name);
    if (i < 0) {
        Bad_timer(name, "Com_disp_timer_single()");
        return;
    }
    Game_stat.disp_timer_single_on = 1;
    Game_stat.SingleTimer = i;
    Game_stat.Timers[i].disp_x = x;
    Game_stat.Timers[i].disp_y = y;
}

void Com_timer_wait() {
    ++ScriptCursor;
    std::string name;
    WaitTimer = Read_timer(&name);
    Skip_blanks_and_lf();
    if (WaitTimer < 0) {
        Bad_timer(name, "Com_timer_wait()");
        WaitTimer = 0;
        return;
    }
    if (!Game_stat.Timers[WaitTimer].running) {
        Not_running(name, "Com_timer_wait()");
        return;
    }
    const std::string word = Kaiseki_Symbol();
    Skip_blanks_and_lf();
    if (word != "to") {
        Msg_box("シンタックスエラーだにょ\n\n書式は【 #timer_wait タイマー to 時間 】だにょ",
                "Com_timer_wait()");
        return;
    }
    WaitTarget = Kaiseki_Num();
    Game_stat.text_on = 0;
    Game_stat.timer_wait_on = 1;
}

void Com_if_timer() {
    ++ScriptCursor;
    std::string name;
    const int i = Read_timer(&name);
    Skip_blanks_and_lf();
    if (i < 0) {
        const std::string text = "■タイマー指定が間違ってるにょ(･ω･)ﾉ\n\n  タイマーとして【 " +
                                 Sjis_to_utf8(name.c_str()) + " 】が指定されたけど\n  意味不明だにょ！";
        Msg_box(text.c_str(), "Com_if_timer()");
        return;
    }
    if (!Game_stat.Timers[i].running) {
        Not_running(name, "Com_if_timer()");
        return;
    }
    const std::string op = Kaiseki_Symbol();
    Skip_blanks_and_lf();
    if (Word_position(TIMER_COMPARISON_WORDS, op) < 0) {
        const std::string text = "演算子【" + Sjis_to_utf8(op.c_str()) +
                                 "】は無効だにょ\n\n【 < 】【 = 】【 > 】の何れかを指定してにょ";
        Msg_box(text.c_str(), "Com_if_timer()");
        return;
    }
    const int64_t n = Kaiseki_Num();
    const int64_t v = Timer_value(Game_stat.Timers[i]);
    const bool holds = op == ">" ? v > n : op == "<" ? v < n : v == n;
    // The block has no `{` of its own: a false condition skips from right after the number.
    if (!holds) Skip_then_part();
}

void Timer_display_all() {
    char line[96];
    std::snprintf(line, sizeof line, "TIMER_1:%8d   TIMER_2:%8d   TIMER_3:%8d",
                  int32_t(Timer_value(Game_stat.Timers[0])), int32_t(Timer_value(Game_stat.Timers[1])),
                  int32_t(Timer_value(Game_stat.Timers[2])));
    // The fill stops short of the picture's last row (its bottom edge is exclusive).
    BoxFill(&BackBuffer, 0, LINE_Y, WINDOW_WIDTH, 479, WHITE);
    TextPut(&BackBuffer, 0, LINE_Y, LINE_FONT, LINE_COLOR, line);
}

void Timer_display_single() {
    // A save file may hold any index: only the three timers are ever read.
    const int32_t i = Game_stat.SingleTimer;
    if (i < 0 || i >= TIMER_COUNT) return;
    const TimerRec& t = Game_stat.Timers[i];
    char text[80];
    Timer_single_text(Timer_value(t), text, sizeof text);
    BoxFill(&BackBuffer, t.disp_x, t.disp_y, Offset(t.disp_x, SINGLE_W), Offset(t.disp_y, SINGLE_H), 0);
    TextPut3D(&BackBuffer, t.disp_x, t.disp_y, SINGLE_H, WHITE, SINGLE_SHADOW, text);
}

void Timer_wait_task() {
    if (Timer_value(Game_stat.Timers[WaitTimer]) < WaitTarget) return;
    Game_stat.text_on = 1;
    Game_stat.timer_wait_on = 0;
}

void Timers_reset() {
    WaitTimer = 0;
    WaitTarget = 0;
}

void Timers_save(SaveStat* record) {
    for (int i = 0; i < TIMER_COUNT; ++i) {
        Timer_checkpoint(&Game_stat.Timers[i]);
        record->Game_stat.Timers[i] = Game_stat.Timers[i];
    }
}

void Timers_restore(const SaveStat&) {
    for (TimerRec& t : Game_stat.Timers)
        Timer_resume(&t);
}
