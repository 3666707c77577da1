#include "app/frame_loop.h"

#include "app/fps_display.h"
#include "app/game_stat.h"
#include "app/present.h"
#include "app/stopwatch.h"
#include "app/system.h"
#include "app/window_messages.h"
#include "features/key_wait.h"
#include "features/select.h"
#include "features/timers.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/shake_fade.h"
#include "gfx/transition.h"
#include "platform/platform.h"
#include "script/interpreter.h"
#include "system/save_load_screens.h"
#include "system/system_menu.h"
#include "system/title_menu.h"

namespace {

Stopwatch FrameStopwatch = 0;

void Fps_task() { FPS_display(&BackBuffer); }

void Run_state(const StateTask* screens, int count, int32_t state) {
    for (int i = 0; i < count; ++i)
        if (screens[i].state == state) screens[i].run();
}

}  // namespace

SwitchTask FrameSwitchTasks[SWITCH_TASK_COUNT] = {
    {&GameStat::text_on, Text_task},         {&GameStat::delay_on, Delay_task},
    {&GameStat::wait_on, Wait_task},         {&GameStat::halt_on, Halt_task},
    {&GameStat::page_wait_on, Page_wait_task}, {&GameStat::g_change_on, G_change_task},
    {&GameStat::select_on, Select_task},     {&GameStat::shake_on, Shake_task},
    {&GameStat::fade_out_on, Fade_out_task}, {&GameStat::fade_in_on, Fade_in_task},
};

StateTask SystemMenuScreens[SYSTEM_MENU_STATE_COUNT] = {
    {101, System_menu_task}, {102, System_load_task}, {103, System_save_task},
    {104, Fps_window_task},  {105, Exit_window_task}, {106, System_load_begin_BGM},
};

StateTask TitleMenuScreens[TITLE_MENU_STATE_COUNT] = {
    {201, Start_menu_task}, {202, Start_load_task}, {203, Start_exit_task}};

SwitchTask FrameLateTasks[LATE_TASK_COUNT] = {
    {&GameStat::fps_on, Fps_task},
    {&GameStat::disp_timer_on, Timer_display_all},
    {&GameStat::disp_timer_single_on, Timer_display_single},
    {&GameStat::timer_wait_on, Timer_wait_task},
    {&GameStat::wait_kbhit_on, Key_wait_task},
};

void Main_task() {
    if (!Stopwatch_elapsed(FrameStopwatch, FRAME_PERIOD_MS)) return;
    Stopwatch_start(&FrameStopwatch);

    // Each switch is read when its turn comes: a task switched on by an earlier task of this frame
    // (a transition started by a script command, say) takes its first step in this same frame.
    for (const SwitchTask& t : FrameSwitchTasks)
        if (Game_stat.*t.field == 1) t.run();
    if (Game_stat.system_menu_flag == 1) Run_state(SystemMenuScreens, SYSTEM_MENU_STATE_COUNT, Game_stat.SystemMenuState);
    Run_state(TitleMenuScreens, TITLE_MENU_STATE_COUNT, Game_stat.TitleMenuState);
    for (const SwitchTask& t : FrameLateTasks)
        if (Game_stat.*t.field == 1) t.run();

    Present_frame();
}

uint32_t Main_task_wait_ms() {
    if (Stopwatch_elapsed(FrameStopwatch, FRAME_PERIOD_MS)) return 0;
    return FrameStopwatch + FRAME_PERIOD_MS - Platform_time_ms();
}

void Main_task_reset() { FrameStopwatch = 0; }

int Main_loop() {
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
            WndProc(event);
            continue;
        }
        Main_task();
    }
}
