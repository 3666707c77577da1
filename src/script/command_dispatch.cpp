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
    {"STR", Str_str, nullptr},
    {"EOS", Str_eos, nullptr},
};

// Reads the word and runs its handler from `table`, or reports it with `before` + word + "] ...".
void Dispatch(const CommandEntry* table, size_t count, const char* before, const char* caption) {
    std::string word;
    if (Command_read_word(&word)) {
        if (const CommandEntry* entry = Command_find(table, count, word)) {
            entry->handler();
            return;
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

const CommandEntry* Command_table(size_t* count) {
    *count = CommandCount;
    return Commands;
}

const CommandEntry* Command_find(const CommandEntry* table, size_t count, const std::string& word) {
    for (size_t i = 0; i < count; ++i)
        if (word == table[i].word && table[i].handler) return &table[i];
    return nullptr;
}

const CommandEntry* String_escape_table(size_t* count) {
    *count = std::size(ESCAPES);
    return ESCAPES;
}

bool Command_is_comment() {
    return Script_byte(1) == '#' || Script_byte(-1) == '#';
}

bool Command_read_word(std::string* word) {
    word->clear();
    ++ScriptCursor;
    while (Script_in_text() && Script_byte() > 0x20) {
        word->push_back(char(Script_byte()));
        ++ScriptCursor;
    }
    --ScriptCursor;
    return word->size() <= size_t(WORD_LIMIT);
}

void Command_pass_comment() {
    while (Script_in_text() && Script_byte() != '\r')
        ++ScriptCursor;
}

void Command_call() {
    if (Command_is_comment()) {
        Command_pass_comment();
        return;
    }
    Dispatch(Commands, CommandCount, "警告：無効なコマンド [#", "Command_call()");
}

void String_call() {
    Dispatch(ESCAPES, std::size(ESCAPES), "警告：無効な文字変数 [\\", "String_call()");
}
