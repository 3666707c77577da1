#include "app/frame_loop.h"

#include <deque>

#include "app/frame_order.h"

#include "app/present.h"
#include "app/window_messages.h"
#include "comforts/read_text_file.h"
#include "comforts/skip_auto.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/stopwatch.h"
#include "platform/platform.h"

namespace {

Stopwatch FrameStopwatch = 0;
uint64_t FramesRun = 0;

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
}

uint32_t Main_task_wait_ms() {
    if (Frame_due()) return 0;
    return FrameStopwatch + FRAME_PERIOD_MS - Platform_time_ms();
}

void Main_task_reset() {
    FrameStopwatch = 0;
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
            event.type = EventType::WindowClosed;
            WndProc(event);
            continue;
        }
        if (Platform_wait_event(&event, Main_task_wait_ms())) {
            if (event.type == EventType::Quit) return event.code;
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
