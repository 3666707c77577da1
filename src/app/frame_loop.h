// One frame of the engine (Main_task) and the main loop around it.
#pragma once

#include <cstdint>

#include "app/game_stat.h"

// A task that runs in a frame while its switch in Game_stat is 1.
struct SwitchTask {
    int32_t GameStat::*field;
    void (*run)();
};

// A screen that runs in a frame while a menu state holds its value.
struct StateTask {
    int32_t state;
    void (*run)();
};

constexpr int SWITCH_TASK_COUNT = 10;
constexpr int LATE_TASK_COUNT = 5;
constexpr int SYSTEM_MENU_STATE_COUNT = 6;
constexpr int TITLE_MENU_STATE_COUNT = 3;

// The order of a frame, as data: the ten switch tasks from text_on to fade_in_on, the system-menu
// screens (101-106, run only while system_menu_flag is 1), the title-menu screens (201-203), and
// the late tasks from the frame-rate box to the key wait. They are variables so that tests can put
// recording tasks in their places.
extern SwitchTask FrameSwitchTasks[SWITCH_TASK_COUNT];
extern StateTask SystemMenuScreens[SYSTEM_MENU_STATE_COUNT];
extern StateTask TitleMenuScreens[TITLE_MENU_STATE_COUNT];
extern SwitchTask FrameLateTasks[LATE_TASK_COUNT];

constexpr uint32_t FRAME_PERIOD_MS = 16;

// One frame: unless 16 ms have passed since the last frame began, returns at once. Otherwise runs
// every task whose switch is 1 in their fixed order (each switch read when its turn comes), the
// system-menu state (while the system menu is enabled), the title-menu state, the frame-rate box,
// the timer displays, the timed wait and the key wait, and shows BackBuffer in the window.
void Main_task();

// Milliseconds until Main_task would run a frame; 0 if it would run one now.
uint32_t Main_task_wait_ms();

// Start-up state: the frame stopwatch at 0.
void Main_task_reset();

// Runs the main loop until the program ends: each turn delivers one waiting event to WndProc or,
// when none is waiting, calls Main_task; between frames it sleeps until an event comes or the next
// frame is due. Returns the exit code.
int Main_loop();
