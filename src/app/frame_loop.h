// One frame of the engine (Main_task) and the main loop around it.
#pragma once

#include <cstdint>
#include <functional>

constexpr uint32_t FRAME_PERIOD_MS = 16;

// One frame: unless 16 ms have passed since the last frame began, returns at once. Otherwise runs
// every task whose switch is 1 in their fixed order (each switch read when its turn comes), the
// system-menu state (while the system menu is enabled), the title-menu state, the frame-rate box,
// the timer displays, the timed wait and the key wait, and shows BackBuffer in the window.
void Main_task();

// Main_task with another order of tasks (tests put recording tasks in the places of a frame).
struct FrameOrder;
void Main_task_in(const FrameOrder& order);

// Milliseconds until the next frame that can do something: the next frame period, or after a frame
// in which nothing happened and only waiting tasks are on, the period in which the earliest thing
// due falls (a blink, the next character, a delay's end); 0 if it is now.
uint32_t Main_task_wait_ms();

// An event came (a click, a key, a window message): the next frame is the next one on the 16 ms
// grid again, counting the frames slept through as run.
void Main_task_events_came();

// Start-up state: the frame stopwatch at 0.
void Main_task_reset();

// Runs the main loop until the program ends: each turn delivers one waiting event to WndProc or,
// when none is waiting, calls Main_task; between frames it sleeps until an event comes or the next
// frame is due. `first_frame` (if set) runs once, right after the first frame was shown. Returns
// the exit code.
int Main_loop(const std::function<void()>& first_frame = nullptr);
