#include "app/frame_loop.h"

#include <algorithm>
#include <array>
#include <deque>

#include "app/frame_order.h"

#include "app/present.h"
#include "app/window_messages.h"
#include "comforts/comfort_marks.h"
#include "comforts/read_text_file.h"
#include "comforts/skip_auto.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/stopwatch.h"
#include "gfx/fixed_surfaces.h"
#include "platform/platform.h"

namespace {

Stopwatch FrameStopwatch = 0;
uint64_t FramesRun = 0;
// After a quiet frame (see Quiet_frames), the frames up to this many periods on would do nothing.
uint32_t QuietPeriods = 0;

// The longest sleep between frames with nothing due, in frame periods: a request to close from
// outside the window (a signal) is still seen within a quarter of a second.
constexpr uint32_t QUIET_PERIODS_MAX = 15;

// Only these tasks may be on in a frame that can be followed by a sleep: each changes nothing
// until a stopwatch of its own is elapsed or an event came (a click, a key), which ends the sleep.
// No corner mark may be up either (skip and auto each show one).
bool Only_waiting_tasks() {
    const GameStat& g = Game_stat;
    return g.g_change_on != 1 && g.select_on != 1 && g.shake_on != 1 && g.fade_out_on != 1 &&
           g.fade_in_on != 1 && (g.system_menu_flag != 1 || g.SystemMenuState == 0) &&
           g.TitleMenuState == 0 && g.fps_on != 1 && g.disp_timer_on != 1 && g.disp_timer_single_on != 1 &&
           g.timer_wait_on != 1 && Marks_state() == 0;
}

// What decides which tasks and screens a frame runs: every switch of the frame's order and the
// menu states.
struct Switches {
    std::array<int32_t, std::tuple_size_v<decltype(FrameOrder::switches)> +
                            std::tuple_size_v<decltype(FrameOrder::late)> + 3>
        values;
};

Switches Switches_of(const FrameOrder& order) {
    Switches s{};
    size_t i = 0;
    for (const SwitchTask& t : order.switches)
        s.values[i++] = Game_stat.*t.field;
    for (const SwitchTask& t : order.late)
        s.values[i++] = Game_stat.*t.field;
    s.values[i++] = Game_stat.system_menu_flag;
    s.values[i++] = Game_stat.SystemMenuState;
    s.values[i++] = Game_stat.TitleMenuState;
    return s;
}

// How many frame periods from this frame's start the next frame that does something lies: 1 unless
// this frame switched nothing on or off, left the picture alone, read no elapsed stopwatch and ran
// only waiting tasks. Then every frame before the earliest stopwatch it read would do as little
// (the story moves on only when a stopwatch is elapsed or an event comes), so they are left out and
// the loop sleeps; the frame that is run lies on the same 16 ms grid as it would have.
uint32_t Quiet_frames(const FrameOrder& order, const Switches& before, uint32_t revision_before) {
    const StopwatchWatch w = Stopwatch_watched();
    if (w.elapsed || BackBuffer.revision != revision_before || !Only_waiting_tasks() ||
        Switches_of(order).values != before.values)
        return 1;
    if (!w.pending) return QUIET_PERIODS_MAX;
    const uint32_t wait = w.due - FrameStopwatch;
    return std::clamp<uint32_t>((wait + FRAME_PERIOD_MS - 1) / FRAME_PERIOD_MS, 1, QUIET_PERIODS_MAX);
}

// The frame clock keeps real time while the story's stopwatches are hurried by a skip.
bool Frame_due() {
    return Platform_time_ms() >= uint32_t(FrameStopwatch + FRAME_PERIOD_MS);
}

template <size_t N> void Run_state(const std::array<StateTask, N>& screens, int32_t state) {
    for (const StateTask& s : screens)
        if (s.state == state) s.run();
}

} // namespace

void Main_task() {
    Main_task_in(MAIN_FRAME_ORDER);
}

void Main_task_in(const FrameOrder& order) {
    if (!Frame_due()) return;
    Stopwatch_start(&FrameStopwatch);
    ++FramesRun;
    const Switches before = Switches_of(order);
    const uint32_t revision_before = BackBuffer.revision;
    Stopwatch_watch_begin();

    // Each switch is read when its turn comes: a task switched on by an earlier task of this frame
    // (a transition started by a script command, say) takes its first step in this same frame. A
    // skipping frame runs them round after round.
    Skip_auto_frame_begin();
    for (int rounds = 1;; ++rounds) {
        for (const SwitchTask& t : order.switches)
            if (Game_stat.*t.field == 1) t.run();
        if (!Skip_auto_another_round(rounds)) break;
    }
    if (Game_stat.system_menu_flag == 1) Run_state(order.system_menu, Game_stat.SystemMenuState);
    Run_state(order.title_menu, Game_stat.TitleMenuState);
    for (const SwitchTask& t : order.late)
        if (Game_stat.*t.field == 1) t.run();

    Present_frame();
    QuietPeriods = Quiet_frames(order, before, revision_before);
}

uint32_t Main_task_wait_ms() {
    if (QuietPeriods <= 1) return Frame_due() ? 0 : FrameStopwatch + FRAME_PERIOD_MS - Platform_time_ms();
    const uint32_t elapsed = Platform_time_ms() - FrameStopwatch;
    const uint32_t period = FRAME_PERIOD_MS * QuietPeriods;
    return elapsed >= period ? 0 : period - elapsed;
}

void Main_task_events_came() {
    // The frames slept through so far count as run, each on its 16 ms: the next one is the next of
    // that grid, as it would have been had they run.
    if (QuietPeriods > 1) {
        const uint32_t slept = (Platform_time_ms() - FrameStopwatch) / FRAME_PERIOD_MS;
        FrameStopwatch += FRAME_PERIOD_MS * std::min(slept, QuietPeriods - 1);
    }
    QuietPeriods = 1;
}

void Main_task_reset() {
    FrameStopwatch = 0;
    QuietPeriods = 1;
}

int Main_loop(const std::function<void()>& first_frame) {
    bool first_shown = false;
    // Choices and menus read the mouse record in their frames. A tap shorter than a frame (a
    // touchpad's, say) would bring its press and its release between two frames, and no frame
    // would ever see the button held: so once a press was delivered, the mouse events after it wait
    // until a frame has run.
    bool press_unseen = false;
    std::deque<PlatformEvent> held;
    for (;;) {
        int code = 0;
        if (System_quit_requested(&code)) return code;
        PlatformEvent event;
        if (System_take_close_request()) {
            Main_task_events_came();
            event.type = EventType::WindowClosed;
            WndProc(event);
            continue;
        }
        if (Platform_wait_event(&event, Main_task_wait_ms())) {
            if (event.type == EventType::Quit) return event.code;
            Main_task_events_came();
            const bool mouse = event.type == EventType::MouseDown || event.type == EventType::MouseUp ||
                               event.type == EventType::MouseMove;
            if (mouse && press_unseen) {
                held.push_back(event);
                continue;
            }
            WndProc(event);
            press_unseen = press_unseen || event.type == EventType::MouseDown;
            continue;
        }
        // The wait may end before the frame is due (the runner's clock stops at its own times).
        if (Main_task_wait_ms() != 0) continue;
        const uint64_t before = FramesRun;
        Main_task();
        if (FramesRun == before) continue;
        Read_text_file_tick();
        press_unseen = false;
        while (!held.empty() && !press_unseen) {
            WndProc(held.front());
            press_unseen = held.front().type == EventType::MouseDown;
            held.pop_front();
        }
        if (!first_shown) {
            first_shown = true;
            if (first_frame) first_frame();
        }
    }
}
