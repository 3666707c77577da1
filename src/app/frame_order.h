// The order of a frame, as data: the ten switch tasks from text_on to fade_in_on, the system-menu
// screens (101-106, run only while system_menu_flag is 1), the title-menu screens (201-203), and
// the late tasks from the frame-rate box to the key wait.
#pragma once

#include <array>
#include <cstdint>

#include "core/game_stat.h"

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

struct FrameOrder {
    std::array<SwitchTask, 10> switches;
    std::array<StateTask, 6> system_menu;
    std::array<StateTask, 3> title_menu;
    std::array<SwitchTask, 5> late;
};

// The engine's frame.
extern const FrameOrder MAIN_FRAME_ORDER;
