// Flags: 256 one-byte values in Game_stat, 0 = OFF and 1 = ON. Only these commands write them (and
// a restored save, which may bring any byte value; such a flag is neither ON nor OFF).
#include "features/flags.h"

#include <string>

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/sjis.h"
#include "script/interpreter.h"
#include "script/parsers.h"
#include "script/script_file.h"

namespace {

bool Valid(int32_t n) {
    return n >= 0 && n < FLAG_COUNT;
}

// Every flag command reports a bad number under the same caption, `flag_off` and `disp_flag`
// included, so authors find one message whichever command they mistyped.
void Report_invalid(int32_t n) {
    const std::string text = "フラグ番号 " + std::to_string(n) + " は無効です";
    Msg_box(text.c_str(), "Com_flag_on");
}

void Set_flag(uint8_t value) {
    ++ScriptCursor;
    const int32_t n = Kaiseki_Num();
    if (Valid(n)) {
        Game_stat.Flags[n] = value;
    } else {
        Report_invalid(n);
    }
}

} // namespace

void Com_flag_on() {
    Set_flag(1);
}

void Com_flag_off() {
    Set_flag(0);
}

void Com_disp_flag() {
    ++ScriptCursor;
    const int32_t n = Kaiseki_Num();
    if (!Valid(n)) {
        Report_invalid(n);
        return;
    }
    const uint8_t value = Game_stat.Flags[n];
    // "ON " keeps its trailing space: the three answers were written to line up in the box.
    const char* state = value == 1 ? " = ON " : value == 0 ? " = OFF" : " = UNKNOWN";
    const std::string text = "Flag " + std::to_string(n) + state;
    Msg_box(text.c_str(), "Com_disp_flag()");
}

bool Skip_past_open_brace() {
    while (Script_in_text()) {
        if (Script_byte() == '{') {
            ++ScriptCursor;
            return true;
        }
        // The second byte of a two-byte character can be 0x7B; it is never a brace.
        ScriptCursor += Sjis_is_lead(Script_byte()) ? 2 : 1;
    }
    return Block_search_failed();
}

void Com_if_flag() {
    ++ScriptCursor;
    const int32_t n = Kaiseki_Num();
    // A number outside the 256 flags names no flag that could be ON: say so, and run the second
    // part, as for a flag that is OFF.
    const bool on = Valid(n) && Game_stat.Flags[n] == 1;
    if (!Valid(n)) Report_invalid(n);
    if (!Skip_past_open_brace()) return;
    if (!on) Skip_then_part();
}
