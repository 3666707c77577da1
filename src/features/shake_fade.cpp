#include "features/shake_fade.h"

#include <string>

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/sjis.h"
#include "core/stopwatch.h"
#include "core/word_list.h"
#include "gfx/box_fill.h"
#include "gfx/fixed_surfaces.h"
#include "script/parsers.h"
#include "script/save_point.h"
#include "script/script_file.h"
#include "script/text_settings.h"

int32_t ShakeType = SHAKE_X;
int32_t ShakeStep = 0;
int32_t FadeLevel = 0;
Surface BlackSurface;

namespace {

constexpr uint32_t STEP_PERIOD_MS = 50;

// The offsets of each shake step. X and Y swing alike but for steps 12 and 13 (2 against 3); the
// shake of both axes swings one axis at a time and is a step shorter. The step after the last row
// puts the moved offset back to 0 and ends the shake.
constexpr int32_t SHAKE_SWING[16] = {10, -10, 10, -10, 7, -7, 7, -7, 5, -5, 5, -5, 2, -2, 2, -2};
constexpr int SHAKE_SWING_STEPS = 16;
constexpr int32_t SHAKE_Y_STEP_12 = 3;

struct Offset {
    int32_t x, y;
};
constexpr Offset SHAKE_XY_SWING[] = {{0, 10}, {0, -10}, {10, 0}, {-10, 0}, {0, 7}, {0, -7}, {0, 7}, {0, -7},
                                     {5, 0},  {-5, 0},  {0, 3},  {0, -3},  {3, 0}, {-3, 0}, {0, 2}};
constexpr int SHAKE_XY_STEPS = int(sizeof SHAKE_XY_SWING / sizeof SHAKE_XY_SWING[0]);

Stopwatch shake_watch = 0;
Stopwatch fade_watch = 0; // both fades share it, as only one runs at a time

// The vertical swing: the horizontal one, with 3 pixels in place of 2 at steps 12 and 13.
int32_t Y_swing(int step) {
    if (step == 12) return SHAKE_Y_STEP_12;
    if (step == 13) return -SHAKE_Y_STEP_12;
    return SHAKE_SWING[step];
}

void End_shake() {
    Game_stat.shake_on = 0;
    Game_stat.text_on = 1;
}

// A fade command's start: stepping and any click wait off, its own switch on, level 0.
void Begin_fade(int32_t* which) {
    *which = 1;
    Game_stat.wait_on = 0;
    Game_stat.text_on = 0;
    FadeLevel = 0;
    Stopwatch_start(&fade_watch);
}

// One fade step: `src` blended over the whole BackBuffer at the current level, compounding on the
// steps before. True when the step just drawn was the last (opacity 255).
bool Fade_step(const Surface* src) {
    Surface_blend(&BackBuffer, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, src, 0, 0, FadeLevel * 255 / 100);
    FadeLevel += 5;
    return FadeLevel > 100;
}

// What both fades do at their end besides their own picture work.
void End_fade(int32_t* which) {
    *which = 0;
    Game_stat.wait_on = 0;
    Game_stat.text_on = 1;
    Text_home();
}

} // namespace

void Com_shake() {
    ++ScriptCursor;
    const std::string symbol = Kaiseki_Symbol();
    const int32_t type = Word_position(SHAKE_WORDS, symbol);
    if (type < 0) {
        // The program is ending: no shake is started to run in the meantime.
        Symbol_fatal(symbol.c_str(), "] は不正です。強制終了～♪", "Com_shake()");
        return;
    }
    ShakeType = type;
    Game_stat.text_on = 0;
    Game_stat.shake_on = 1;
    ShakeStep = 0;
    Stopwatch_start(&shake_watch);
}

void Shake_task() {
    if (!Stopwatch_elapsed(shake_watch, STEP_PERIOD_MS)) return;
    Stopwatch_start(&shake_watch);
    const int step = ShakeStep;
    switch (ShakeType) {
    case SHAKE_X:
        if (step < SHAKE_SWING_STEPS) {
            ScreenOffsetX = SHAKE_SWING[step];
        } else {
            ScreenOffsetX = 0;
            End_shake();
        }
        break;
    case SHAKE_Y:
        if (step < SHAKE_SWING_STEPS) {
            ScreenOffsetY = Y_swing(step);
        } else {
            ScreenOffsetY = 0;
            End_shake();
        }
        break;
    case SHAKE_XY:
        if (step < SHAKE_XY_STEPS) {
            ScreenOffsetX = SHAKE_XY_SWING[step].x;
            ScreenOffsetY = SHAKE_XY_SWING[step].y;
        } else {
            // The last swing was vertical, so only that offset is still away from 0.
            ScreenOffsetY = 0;
            End_shake();
        }
        break;
    }
    ++ShakeStep;
}

void Com_fade_out() {
    ++ScriptCursor;
    Surface_create(&BlackSurface, WINDOW_WIDTH, WINDOW_HEIGHT);
    BoxFill(&BlackSurface, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, 0);
    Begin_fade(&Game_stat.fade_out_on);
}

void Com_fade_in() {
    ++ScriptCursor;
    Begin_fade(&Game_stat.fade_in_on);
}

void Fade_out_task() {
    if (!Stopwatch_elapsed(fade_watch, STEP_PERIOD_MS)) return;
    Stopwatch_start(&fade_watch);
    if (!Fade_step(&BlackSurface)) return;
    Fade_out_finish();
    Save_point_auto();
}

void Fade_in_task() {
    if (!Stopwatch_elapsed(fade_watch, STEP_PERIOD_MS)) return;
    Stopwatch_start(&fade_watch);
    if (!Fade_step(&BackgroundSurface)) return;
    Fade_in_finish();
    Save_point_auto();
}

void Shake_finish() {
    ScreenOffsetX = ScreenOffsetY = 0;
    End_shake();
}

void Fade_out_finish() {
    End_fade(&Game_stat.fade_out_on);
    Surface_release(&BlackSurface);
    BoxFill(&BackBuffer, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, 0);
    Surface_set_name(&BackBuffer, BLACK_PICTURE);
}

void Fade_in_finish() {
    End_fade(&Game_stat.fade_in_on);
    Surface_copy(&BackBuffer, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, &BackgroundSurface, 0, 0);
    Surface_set_name(&BackBuffer, BackgroundSurface.PictureName);
}

void Shake_fade_reset() {
    ShakeType = SHAKE_X;
    ShakeStep = 0;
    FadeLevel = 0;
    Surface_release(&BlackSurface);
    shake_watch = fade_watch = 0;
}

void Shake_fade_restore(const SaveStat&) {
    if (Game_stat.shake_on == 1) Shake_finish();
    if (Game_stat.fade_out_on == 1) Fade_out_finish();
    if (Game_stat.fade_in_on == 1) Fade_in_finish();
}
