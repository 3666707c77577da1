#include "script/interpreter.h"

#include <algorithm>

#include "core/game_stat.h"
#include "core/sjis.h"
#include "core/stopwatch.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/text_draw.h"
#include "platform/platform.h"
#include "script/backlog.h"
#include "script/command_dispatch.h"
#include "script/parsers.h"
#include "script/read_text.h"
#include "script/save_point.h"
#include "script/script_file.h"
#include "script/string_vars.h"
#include "script/text_settings.h"

namespace {

constexpr uint32_t BLINK_PERIOD_MS = 200;
constexpr int ICON = 25; // the wait icon's cells in PartsSurface are 25x25
// Finishing the text stops after this many steps (a script that loops without a wait): what is
// left types on as usual.
constexpr int FINISH_STEPS = 1 << 20;
// A frame catches up on at most this many steps when the player's pace is quicker than the frame.
constexpr uint32_t CATCH_UP_STEPS = 64;

int text_speed = 100; // the player's percent of the author's wait, or TEXT_SPEED_INSTANT
bool text_click = true;

Stopwatch step_watch = 0;
Stopwatch delay_watch = 0;
int32_t delay_period = 0;
Stopwatch blink_watch = 0;
int wait_phase = 0;
int page_phase = 0;

void Draw_icon() {
    Surface_and(&BackBuffer, Text.Text_X, Text.Text_Y, ICON, ICON, &PartsSurface, ICON, 0);
    Surface_or(&BackBuffer, Text.Text_X, Text.Text_Y, ICON, ICON, &PartsSurface, 0, 0);
}

void Erase_icon() {
    Surface_copy(&BackBuffer, Text.Text_X, Text.Text_Y, ICON, ICON, &PartsSurface, 2 * ICON, 0);
}

// Both click waits begin alike; only the switch differs.
void Begin_click_wait(int32_t* which) {
    Game_stat.text_on = 0;
    *which = 1;
    Surface_copy(&PartsSurface, 2 * ICON, 0, ICON, ICON, &BackBuffer, Text.Text_X, Text.Text_Y);
    Stopwatch_start(&blink_watch);
    Draw_icon();
}

void Blink(int* phase) {
    if (!Stopwatch_elapsed(blink_watch, BLINK_PERIOD_MS)) return;
    Stopwatch_start(&blink_watch);
    if (*phase == 0) {
        Erase_icon();
        *phase = 1;
    } else {
        Draw_icon();
        *phase = 0;
    }
}

// Clears the page: the background comes back, the cursor goes home, and in AUTO mode the
// progress is recorded.
void Clear_page() {
    Surface_copy(&BackBuffer, 0, 0, BackBuffer.width, BackBuffer.height, &BackgroundSurface, 0, 0);
    Surface_set_name(&BackBuffer, BackgroundSurface.PictureName);
    Text_home();
    Save_point_auto();
}

void Draw_character(int n) {
    char bytes[2] = {char(Script_byte(0)), char(Script_byte(1))};
    Backlog_char(bytes, n);
    Read_text_char_drawn();
    ChrPut3D(&BackBuffer, Text.Text_X, Text.Text_Y, Text.Font_Size, Text.Text_COLOR1, Text.Text_COLOR2, bytes,
             n);
    Text_advance(n);
}

} // namespace

bool Label_line() {
    for (int32_t i = 0; i <= 32; ++i) {
        const uint8_t b = Script_byte(i);
        if (b == ' ') return false;
        if (b == ':') {
            ScriptCursor += i + 1;
            return true;
        }
    }
    return false;
}

void Interpreter_start() {
    Stopwatch_start(&step_watch);
}

void Interpreter_stop() {
    Game_stat.text_on = 0;
    Game_stat.halt_on = 1;
}

namespace {

// One step: a character drawn or a control byte handled.
void Text_step() {
    Read_text_step_begins();
    // A script must end in a command that stops or redirects stepping; one that runs off its end
    // stops here, as if it had ended with `halt`. A string variable whose end marker was swallowed
    // (its text ends in `#` or `\`) returns to the script instead.
    if (!Script_in_text()) {
        if (!Str_return_if_shown()) Interpreter_stop();
    } else if (Sjis_is_lead(Script_byte())) {
        Draw_character(2);
        ScriptCursor += 2;
    } else {
        if (!Script_step_char()) Draw_character(1);
        ++ScriptCursor;
    }
    Read_text_step_ended();
}

} // namespace

void Text_task() {
    if (text_speed == TEXT_SPEED_INSTANT) {
        Text_finish();
        return;
    }
    // The author's pace exactly as written at 100%; the player's percent of it otherwise, with as
    // many steps in a frame as the scaled wait allows.
    if (text_speed == 100) {
        if (!Stopwatch_elapsed(step_watch, uint32_t(Text.Text_WAIT))) return;
        Stopwatch_start(&step_watch);
        Text_step();
        return;
    }
    const uint32_t wait = uint32_t(int64_t(Text.Text_WAIT) * text_speed / 100);
    if (!Stopwatch_elapsed(step_watch, wait)) return;
    const uint32_t since = Platform_time_ms() - step_watch;
    const uint32_t steps = wait == 0 ? 1 : std::clamp<uint32_t>(since / wait, 1, CATCH_UP_STEPS);
    Stopwatch_start(&step_watch);
    for (uint32_t i = 0; i < steps && Game_stat.text_on == 1; ++i)
        Text_step();
}

bool Text_finish() {
    if (Game_stat.text_on != 1 || Game_stat.halt_on == 1) return false;
    for (int i = 0; i < FINISH_STEPS && Game_stat.text_on == 1; ++i)
        Text_step();
    Stopwatch_start(&step_watch);
    return true;
}

void Text_speed_set(int percent) {
    text_speed = percent;
}

int Text_speed() {
    return text_speed;
}

void Text_click_set(bool on) {
    text_click = on;
}

bool Text_click() {
    return text_click;
}

bool Script_step_char() {
    switch (Script_byte()) {
    case '#':
        Command_call();
        ++ScriptCursor;
        return true;
    case '*':
        Label_line();
        return true;
    case '\t':
    case '\n':
    case '\r':
    case '{':
    case '}':
        return true;
    case '/':
        Skip_else_part();
        return true;
    case ';':
        Text_newline();
        return true;
    case '\\':
        String_call();
        return true;
    default:
        return false;
    }
}

// Cursor arithmetic is done in 64 bits: scripts can set sizes and areas large enough to overflow.
void Text_advance(int n) {
    const int64_t x = Text.Text_X, y = Text.Text_Y, w = int64_t(n) * Text.Text_X_PITCH,
                  pitch_y = Text.Text_Y_PITCH;
    if (y + pitch_y >= Text.Text_AREA.bottom - pitch_y &&
        x + w >= Text.Text_AREA.right - 4 * int64_t(Text.Text_X_PITCH)) {
        Text.Text_X = int32_t(x + w);
        Begin_click_wait(&Game_stat.page_wait_on);
    } else if (x + w < Text.Text_AREA.right - 2 * int64_t(Text.Text_X_PITCH)) {
        Text.Text_X = int32_t(x + w);
    } else {
        Text.Text_X = Text.Text_AREA.left;
        Text.Text_Y = int32_t(y + pitch_y);
    }
}

void Text_newline() {
    const int64_t y = Text.Text_Y, pitch_y = Text.Text_Y_PITCH;
    if (y + pitch_y > Text.Text_AREA.bottom - pitch_y) {
        Begin_click_wait(&Game_stat.page_wait_on);
    } else {
        Text.Text_X = Text.Text_AREA.left;
        Text.Text_Y = int32_t(y + pitch_y);
    }
}

void Com_delay() {
    ++ScriptCursor;
    delay_period = Kaiseki_Num();
    Game_stat.text_on = 0;
    Game_stat.delay_on = 1;
    Stopwatch_start(&delay_watch);
}

void Delay_task() {
    // A negative pause ends at the next frame, whatever the clock reads (a wrapped sum would wait
    // for some 49 days).
    if (delay_period > 0 && !Stopwatch_elapsed(delay_watch, uint32_t(delay_period))) return;
    Game_stat.delay_on = 0;
    Game_stat.text_on = 1;
}

void Com_wait() {
    Begin_click_wait(&Game_stat.wait_on);
}

void Com_halt() {
    Game_stat.text_on = 0;
    Game_stat.halt_on = 1;
}

void Halt_task() {}

void Com_page() {
    ++ScriptCursor;
    Clear_page();
}

void Wait_task() {
    Blink(&wait_phase);
}

void Page_wait_task() {
    Blink(&page_phase);
}

void Wait_click() {
    Game_stat.text_on = 1;
    Game_stat.wait_on = 0;
    Erase_icon();
}

void Page_wait_click() {
    Game_stat.text_on = 1;
    Game_stat.page_wait_on = 0;
    Clear_page();
}

void Interpreter_reset() {
    text_speed = 100;
    text_click = true;
    step_watch = delay_watch = blink_watch = 0;
    delay_period = 0;
    wait_phase = page_phase = 0;
}
