#include "app/frame_order.h"

#include "comforts/fps_display.h"
#include "features/key_wait.h"
#include "features/select.h"
#include "features/shake_fade.h"
#include "features/timers.h"
#include "features/transition.h"
#include "gfx/fixed_surfaces.h"
#include "script/interpreter.h"
#include "system/music_resume.h"
#include "system/save_load_screens.h"
#include "system/system_menu.h"
#include "system/title_menu.h"

namespace {
void Fps_task() {
    FPS_display(&BackBuffer);
}
} // namespace

const FrameOrder MAIN_FRAME_ORDER = {
    {{
        {&GameStat::text_on, Text_task},
        {&GameStat::delay_on, Delay_task},
        {&GameStat::wait_on, Wait_task},
        {&GameStat::halt_on, Halt_task},
        {&GameStat::page_wait_on, Page_wait_task},
        {&GameStat::g_change_on, G_change_task},
        {&GameStat::select_on, Select_task},
        {&GameStat::shake_on, Shake_task},
        {&GameStat::fade_out_on, Fade_out_task},
        {&GameStat::fade_in_on, Fade_in_task},
    }},
    {{
        {101, System_menu_task},
        {102, System_load_task},
        {103, System_save_task},
        {104, Fps_window_task},
        {105, Exit_window_task},
        {106, System_load_begin_BGM},
    }},
    {{{201, Start_menu_task}, {202, Start_load_task}, {203, Start_exit_task}}},
    {{
        {&GameStat::fps_on, Fps_task},
        {&GameStat::disp_timer_on, Timer_display_all},
        {&GameStat::disp_timer_single_on, Timer_display_single},
        {&GameStat::timer_wait_on, Timer_wait_task},
        {&GameStat::wait_kbhit_on, Key_wait_task},
    }},
};
