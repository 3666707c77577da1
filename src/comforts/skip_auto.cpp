#include "comforts/skip_auto.h"

#include <algorithm>

#include "core/stopwatch.h"
#include "platform/platform.h"
#include "script/backlog.h"
#include "script/read_text.h"
#include "script/story_state.h"

namespace {

// A page of text is about a thousand script bytes, one per round; transitions take 75 rounds.
constexpr int MAX_ROUNDS = 1500;
constexpr uint32_t AUTO_BASE_MS = 1000;
constexpr uint32_t AUTO_PER_CHAR_MS = 60;
constexpr int SPEED_STEP = 25;

bool skip_switch = false;
bool skipping = false; // this frame skips
bool auto_on = false;
bool read_only = false;  // skip stops at the first text not yet read
bool ctrl_spent = false; // Ctrl held through such a stop skips again only once pressed anew
int speed = 100;         // percent of the plain pace

// The click wait auto is timing.
bool in_wait = false;
uint32_t wait_began = 0;
uint64_t wait_chars = 0;
uint64_t chars_mark = 0; // characters drawn when the last click wait began

// Ends the click wait as the player's "go on" would (never the halt, which would end the program).
void Pass_click_wait() {
    Story_pass_go_on_wait();
    in_wait = false;
}

} // namespace

void Skip_auto_frame_begin() {
    if (Story_asks_player()) skip_switch = false;
    const bool ctrl = Platform_key_down(KEY_CONTROL);
    ctrl_spent = ctrl_spent && ctrl;
    skipping = (skip_switch || (ctrl && !ctrl_spent)) && !Story_asks_player();
    const bool waiting = Story_waits_for_go_on();
    if (waiting && !in_wait) {
        wait_began = Platform_time_ms();
        wait_chars = Backlog_chars_drawn() - chars_mark;
        chars_mark = Backlog_chars_drawn();
    }
    in_wait = waiting;
    // A menu opened over a click wait keeps it: auto waits until the menu is closed.
    const bool auto_due =
        auto_on && !Story_asks_player() && Platform_time_ms() - wait_began >= Auto_delay_ms(wait_chars);
    if (waiting && (skipping || auto_due)) Pass_click_wait();
    Stopwatch_hurry(skipping);
}

bool Skip_auto_another_round(int rounds_done) {
    if (skipping && Story_asks_player()) Skip_stop();
    // Read_text_take_unread_reached is taken every round, so that only text reached while
    // skipping counts.
    if (Read_text_take_unread_reached() && skipping && read_only) {
        Skip_stop();
        ctrl_spent = Platform_key_down(KEY_CONTROL);
    }
    const bool more =
        skipping && rounds_done < MAX_ROUNDS && !Story_waits_for_go_on() && !Story_halted() && Story_moving();
    if (!more) Stopwatch_hurry(false);
    return more;
}

void Skip_toggle() {
    Skip_set(!skip_switch);
}

void Skip_set(bool on) {
    skip_switch = on;
}

void Skip_stop() {
    skip_switch = false;
    skipping = false;
    Stopwatch_hurry(false);
}

void Skip_read_only_set(bool on) {
    read_only = on;
}

bool Skip_read_only() {
    return read_only;
}

void Auto_toggle() {
    Auto_set(!auto_on);
}

void Auto_set(bool on) {
    auto_on = on;
    in_wait = false; // a wait already showing is timed from now
}

void Auto_pace_change(int steps_quicker) {
    speed = std::clamp(speed + steps_quicker * SPEED_STEP, SPEED_STEP, 400);
}

void Auto_speed_set(int percent) {
    speed = std::clamp(percent, SPEED_STEP, 400);
}

int Auto_speed() {
    return speed;
}

void Auto_player_input() {
    auto_on = false;
}

bool Skip_shown() {
    return skip_switch || skipping;
}

bool Auto_active() {
    return auto_on;
}

uint32_t Auto_delay_ms(uint64_t chars) {
    const uint64_t plain = AUTO_BASE_MS + AUTO_PER_CHAR_MS * std::min<uint64_t>(chars, 10000);
    return uint32_t(plain * 100 / uint64_t(speed));
}

void Skip_auto_reset() {
    skip_switch = skipping = auto_on = read_only = ctrl_spent = false;
    speed = 100;
    in_wait = false;
    wait_began = 0;
    wait_chars = chars_mark = 0;
    Stopwatch_hurry(false);
}
