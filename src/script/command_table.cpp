#include "script/command_table.h"

#include <cstring>
#include <string>

#include "app/msg_box.h"
#include "app/sjis.h"
#include "features/flags.h"
#include "features/jump.h"
#include "features/key_wait.h"
#include "features/select.h"
#include "features/timers.h"
#include "gfx/key_copy_test.h"
#include "gfx/picture_commands.h"
#include "gfx/shake_fade.h"
#include "gfx/transition.h"
#include "script/interpreter.h"
#include "script/script_file.h"
#include "script/string_vars.h"
#include "script/text_settings.h"

namespace {

constexpr int WORD_LIMIT = 255;

struct Command {
    const char* word;
    void (*handler)();  // nullptr until the command's feature is built: reported as invalid
};

// Every command word in its fixed order.
const Command COMMANDS[] = {
    {"delay", Com_delay},
    {"wait", Com_wait},
    {"w", Com_wait},
    {"halt", Com_halt},
    {"page", Com_page},
    {"g_load", Com_g_load},
    {"g_copy", Com_g_copy},
    {"g_change", Com_g_change_task},
    {"flag_on", Com_flag_on},
    {"flag_off", Com_flag_off},
    {"disp_flag", Com_disp_flag},
    {"if_flag", Com_if_flag},
    {"jump", Com_jump},
    {"file_change", Com_file_change},
    {"select3", Com_select3},
    {"play_wav", nullptr},
    {"stop_wav", nullptr},
    {"play_midi", nullptr},
    {"stop_midi", nullptr},
    {"play_mp3", nullptr},
    {"stop_mp3", nullptr},
    {"set_font_size", Com_set_font_size},
    {"set_text_area", Com_set_text_area},
    {"set_text_wait", Com_set_text_wait},
    {"set_text_color", Com_set_text_color},
    {"set_str", Com_set_str},
    {"text_input", Com_text_input},
    {"save_point", Com_save_point},
    {"sp", Com_save_point},
    {"save_point_mode", Com_save_point_mode},
    {"disp_save_point_mode", Com_disp_save_point_mode},
    {"shake", Com_shake},
    {"fade_out", Com_fade_out},
    {"fade_in", Com_fade_in},
    {"alpha_copy", Com_alpha_copy},
    {"start_menu", nullptr},
    {"system_menu_flag", nullptr},
    {"shot_timer", Com_timer_shot},
    {"disp_timer", Com_disp_timer},
    {"stop_timer", Com_stop_timer},
    {"clear_timer", Com_clear_timer},
    {"timer_wait", Com_timer_wait},
    {"if_timer", Com_if_timer},
    {"wait_kbhit", Com_wait_kbhit},
    {"wk", Com_wait_kbhit},
    {"disp_timer_single", Com_disp_timer_single},
    {"set_window_text", Com_set_window_text},
    {"test", Com_test},
};
static_assert(sizeof COMMANDS / sizeof COMMANDS[0] == 48);

const Command ESCAPES[] = {
    {"STR", Str_str},
    {"EOS", Str_eos},
};

// Reads the word after the cursor: every byte above 0x20, the cursor left on its last byte (on the
// `#` or `\` itself when the word is empty). False for a word too long for the word buffer.
bool Read_word(std::string* word) {
    word->clear();
    ++ScriptCursor;
    while (Script_in_text() && Script_byte() > 0x20) {
        word->push_back(char(Script_byte()));
        ++ScriptCursor;
    }
    --ScriptCursor;
    return word->size() <= size_t(WORD_LIMIT);
}

// Reads the word and runs its handler from `table`, or reports it with `before` + word + "] ...".
template <size_t N>
void Dispatch(const Command (&table)[N], const char* before, const char* caption) {
    std::string word;
    if (Read_word(&word)) {
        for (const Command& command : table) {
            if (word == command.word && command.handler) {
                command.handler();
                return;
            }
        }
    }
    std::string text = before;
    text += Sjis_to_utf8(word.substr(0, WORD_LIMIT).c_str());
    text += "] が記述されています";
    Msg_box(text.c_str(), caption);
}

}  // namespace

void Command_call() {
    if (Script_byte(1) == '#' || Script_byte(-1) == '#') {
        while (Script_in_text() && Script_byte() != '\r') ++ScriptCursor;
        return;
    }
    Dispatch(COMMANDS, "警告：無効なコマンド [#", "Command_call()");
}

void String_call() { Dispatch(ESCAPES, "警告：無効な文字変数 [\\", "String_call()"); }
