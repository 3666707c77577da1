#include "app/system.h"

#include "app/frame_loop.h"
#include "app/fps_display.h"
#include "app/game_stat.h"
#include "app/present.h"
#include "app/window_messages.h"
#include "features/select.h"
#include "features/timers.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/shake_fade.h"
#include "gfx/transition.h"
#include "platform/platform.h"
#include "script/interpreter.h"
#include "script/script_file.h"
#include "script/string_vars.h"
#include "sound/sound.h"
#include "system/snapshot.h"

namespace {
bool quit_posted = false;
int quit_code = 0;
int close_requests = 0;
}  // namespace

void System_init() {
    Surfaces_create_fixed();
    ScreenOffsetX = 0;
    ScreenOffsetY = 0;
    Surface_copy(&BackBuffer, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, &BackgroundSurface, 0, 0);
    Mouse_reset();
    Script_load_first();
    Game_stat.text_on = 1;
    Game_stat.delay_on = 0;
    Game_stat.wait_on = 0;
    Game_stat.system_menu_flag = 1;
    Save_point();
}

void System_exit() { System_exit_with(0); }

void System_exit_with(int code) {
    Com_stop_midi();
    Com_stop_mp3();
    Com_stop_wav();
    // The first request decides the code: later ones (a second close, say) change nothing.
    if (!quit_posted) quit_code = code;
    quit_posted = true;
}

void System_post_close() { ++close_requests; }

bool System_take_close_request() {
    if (close_requests == 0) return false;
    --close_requests;
    return true;
}

bool System_quit_requested(int* code) {
    if (quit_posted) *code = quit_code;
    return quit_posted;
}

void System_reset() {
    quit_posted = false;
    quit_code = 0;
    close_requests = 0;
    Game_stat_reset();
    Surfaces_reset();
    Present_reset();
    Main_task_reset();
    Mouse_reset();
    Fps_reset();
    Script_reset();
    Interpreter_reset();
    String_vars_reset();
    Timers_reset();
    Select_reset();
    Transition_reset();
    Shake_fade_reset();
}
