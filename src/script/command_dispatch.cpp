#include "script/command_dispatch.h"

#include <cstring>
#include <iterator>
#include <string>

#include "core/dialogs.h"
#include "core/sjis.h"
#include "script/script_file.h"
#include "script/string_vars.h"

namespace {

constexpr int WORD_LIMIT = 255;

const CommandEntry* Commands = nullptr;
size_t CommandCount = 0;

const CommandEntry ESCAPES[] = {
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
void Dispatch(const CommandEntry* table, size_t count, const char* before, const char* caption) {
    std::string word;
    if (Read_word(&word)) {
        for (size_t i = 0; i < count; ++i) {
            if (word == table[i].word && table[i].handler) {
                table[i].handler();
                return;
            }
        }
    }
    std::string text = before;
    text += Sjis_to_utf8(word.substr(0, WORD_LIMIT).c_str());
    text += "] が記述されています";
    Msg_box(text.c_str(), caption);
}

} // namespace

void Command_table_set(const CommandEntry* table, size_t count) {
    Commands = table;
    CommandCount = count;
}

void Command_call() {
    if (Script_byte(1) == '#' || Script_byte(-1) == '#') {
        while (Script_in_text() && Script_byte() != '\r')
            ++ScriptCursor;
        return;
    }
    Dispatch(Commands, CommandCount, "警告：無効なコマンド [#", "Command_call()");
}

void String_call() {
    Dispatch(ESCAPES, std::size(ESCAPES), "警告：無効な文字変数 [\\", "String_call()");
}
