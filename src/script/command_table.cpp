#include "script/command_table.h"

#include <cstring>
#include <string>

#include "app/msg_box.h"
#include "app/sjis.h"
#include "script/interpreter.h"
#include "script/script_file.h"
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
    {"g_load", nullptr},
    {"g_copy", nullptr},
    {"g_change", nullptr},
    {"flag_on", nullptr},
    {"flag_off", nullptr},
    {"disp_flag", nullptr},
    {"if_flag", nullptr},
    {"jump", nullptr},
    {"file_change", nullptr},
    {"select3", nullptr},
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
    {"set_str", nullptr},
    {"text_input", nullptr},
    {"save_point", Com_save_point},
    {"sp", Com_save_point},
    {"save_point_mode", Com_save_point_mode},
    {"disp_save_point_mode", Com_disp_save_point_mode},
    {"shake", nullptr},
    {"fade_out", nullptr},
    {"fade_in", nullptr},
    {"alpha_copy", nullptr},
    {"start_menu", nullptr},
    {"system_menu_flag", nullptr},
    {"shot_timer", nullptr},
    {"disp_timer", nullptr},
    {"stop_timer", nullptr},
    {"clear_timer", nullptr},
    {"timer_wait", nullptr},
    {"if_timer", nullptr},
    {"wait_kbhit", nullptr},
    {"wk", nullptr},
    {"disp_timer_single", nullptr},
    {"set_window_text", nullptr},
    {"test", nullptr},
};
static_assert(sizeof COMMANDS / sizeof COMMANDS[0] == 48);

const Command ESCAPES[] = {
    {"STR", nullptr},
    {"EOS", nullptr},
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
