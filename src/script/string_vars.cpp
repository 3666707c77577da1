// String variables. Each area holds text + "\EOS" + NUL; showing one points the interpreter's
// cursor into the area, and the "\EOS" at its end points it back.
//
// Return positions are kept on a small stack, one per variable being shown: a \STR met inside a
// variable's text comes back into that text at its own "\EOS", and the outer variable's "\EOS"
// then returns to the script. A variable already on the stack is not shown again, so no text can
// show itself forever; with 16 variables the stack never holds more than 16.
#include "script/string_vars.h"

#include <cstring>
#include <string>

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/sjis.h"
#include "platform/platform.h"
#include "script/backlog.h"
#include "script/parsers.h"
#include "script/script_file.h"

namespace {

constexpr char EOS_MARK[] = "\\EOS";
constexpr int EOS_LENGTH = 4;

struct ReturnPoint {
    ScriptText source;
    int32_t cursor; // the delimiter after the \STR's number
    int32_t variable;
};

ReturnPoint returns[STRING_VAR_COUNT];
int depth = 0;
int32_t outer_escape = 0; // where the outermost \STR's `\` stands in ScriptBuffer

bool Valid(int32_t n) {
    return n >= 0 && n < STRING_VAR_COUNT;
}

void Report_range(int32_t n, const char* caption) {
    const std::string text = "変数番号に " + std::to_string(n) +
                             " が指定されましたが有効範囲を超えています。\n文字列変数は 0 ～ " +
                             std::to_string(STRING_VAR_COUNT - 1) + " 番までが有効です。はにゃ～ん(-0-)";
    Msg_box(text.c_str(), caption);
}

// How many bytes of the area are shown: up to its first NUL, provided an "\EOS" lies before it.
// An area without one was never set (or was damaged in a save file) and shows as empty, since
// stepping through it would never find the way back.
int32_t Shown_length(const char* area) {
    const size_t length = strnlen(area, STRING_VAR_SIZE);
    for (size_t i = 0; i + EOS_LENGTH <= length; ++i)
        if (std::memcmp(area + i, EOS_MARK, EOS_LENGTH) == 0) return int32_t(length);
    return 0;
}

bool Being_shown(int32_t n) {
    for (int i = 0; i < depth; ++i)
        if (returns[i].variable == n) return true;
    return false;
}

void Pop() {
    --depth;
    ScriptSource = returns[depth].source;
    ScriptCursor = returns[depth].cursor;
}

bool Halfwidth_kana(uint8_t b) {
    return b >= 0xA1 && b <= 0xDF;
}

} // namespace

StrArguments Str_read_arguments() {
    StrArguments a;
    ++ScriptCursor;
    a.word = Kaiseki_Symbol();
    Skip_arg_separators();
    a.n = Kaiseki_Num();
    Skip_arg_separators();
    a.text = Kaiseki_TextStr_DQ();
    return a;
}

void Str_str() {
    const int32_t escape = ScriptCursor - 3; // entered on the R of "\STR"
    ++ScriptCursor;
    const int32_t n = Kaiseki_Num();
    if (!Valid(n)) {
        Report_range(n, "Str_str()");
        return;
    }
    const char* area = Game_stat.StringVars[n];
    const int32_t length = Shown_length(area);
    if (length == 0) return; // never set: an empty text, and the cursor stays after the number
    if (Being_shown(n)) {
        const std::string text =
            "文字列変数 " + std::to_string(n) + " は表示中です。\n変数の中から同じ変数は表示できません。";
        Msg_box(text.c_str(), "Str_str()");
        return;
    }
    if (depth == 0) outer_escape = escape;
    returns[depth++] = ReturnPoint{ScriptSource, ScriptCursor, n};
    ScriptSource = {reinterpret_cast<const uint8_t*>(area), length};
    ScriptCursor = -1; // the interpreter's move after the escape lands on the first byte
}

void Str_eos() {
    if (depth > 0) Pop();
}

bool Str_return_if_shown() {
    if (depth == 0) return false;
    Pop();
    ++ScriptCursor; // past the delimiter, as the interpreter's move after "\EOS" would go
    return true;
}

void Str_leave_all() {
    depth = 0;
}

int32_t Str_resume_offset() {
    return depth > 0 ? outer_escape : ScriptCursor;
}

void Str_store(int n, const char* sjis) {
    if (!Valid(n) || sjis == nullptr) return;
    const uint8_t* text = reinterpret_cast<const uint8_t*>(sjis);
    const size_t length = std::strlen(sjis);
    // Keep whole characters by the interpreter's own rule (a byte of 0x80 or above begins two),
    // so that the text never ends in half a character that would swallow the `\` of "\EOS".
    size_t kept = 0;
    while (kept < length) {
        const size_t step = Sjis_is_lead(text[kept]) ? 2 : 1;
        if (kept + step > length || kept + step > size_t(STRING_TEXT_LIMIT)) break;
        kept += step;
    }
    char* area = Game_stat.StringVars[n];
    std::memset(area, 0, STRING_VAR_SIZE);
    std::memcpy(area, sjis, kept);
    // A half-width katakana at the very end is a character of its own, but the interpreter steps
    // it together with the next byte: a space after it keeps "\EOS" whole.
    if (kept + 1 == length && Halfwidth_kana(text[kept]) && kept + 2 <= size_t(STRING_TEXT_LIMIT)) {
        area[kept++] = char(text[length - 1]);
        area[kept++] = ' ';
    }
    std::memcpy(area + kept, EOS_MARK, EOS_LENGTH);
}

void Com_set_str() {
    const StrArguments a = Str_read_arguments();
    if (a.word != "\\STR") {
        const std::string text =
            "無効な文字列指定子 [" + Sjis_to_utf8(a.word.c_str()) + "] が記述されています";
        Msg_box(text.c_str(), "Com_set_str()");
        return;
    }
    if (!a.text) return;
    if (!Valid(a.n)) {
        Report_range(a.n, "Com_set_str()");
        return;
    }
    Str_store(a.n, a.text);
}

void Com_text_input() {
    const StrArguments a = Str_read_arguments();
    if (!a.text) return;
    const bool specifier_ok = a.word == "\\STR";
    // There is no point asking the player for a name that has nowhere to go.
    if (specifier_ok && !Valid(a.n)) {
        Report_range(a.n, "Com_text_input()");
        return;
    }
    const std::string answer = Name_prompt(a.text);
    Backlog_note("（名前の入力：", answer, "）");
    if (!specifier_ok) {
        const std::string text = "無効な文字列指定子 [" + Sjis_to_utf8(a.word.c_str()) + " " +
                                 std::to_string(a.n) + "] が記述されています";
        Msg_box(text.c_str(), "Com_set_str()");
        return;
    }
    Str_store(a.n, answer.c_str());
}

void Com_set_window_text() {
    ++ScriptCursor;
    const char* title = Kaiseki_TextStr_DQ();
    if (!title) return;
    const size_t length = std::strlen(title);
    if (length > size_t(WINDOW_TITLE_LIMIT)) {
        Msg_box(
            "#set_window_text\n\nウィンドウタイトルは半角128文字(全角64文字)\n以内にしてくださいヽ(´ー｀)ノ",
            "Com_set_window_text()");
        return;
    }
    std::memset(Game_stat.WindowTitle, 0, sizeof Game_stat.WindowTitle);
    std::memcpy(Game_stat.WindowTitle, title, length);
    Window_title_apply();
}

void Window_title_apply() {
    // A save file may hold anything here: at most 128 bytes are ever taken from it.
    const size_t length = strnlen(Game_stat.WindowTitle, WINDOW_TITLE_LIMIT);
    if (length == 0) {
        Platform_set_title(WINDOW_TITLE_DEFAULT);
    } else {
        Platform_set_title(Sjis_to_utf8(Game_stat.WindowTitle, length).c_str());
    }
}

void String_vars_reset() {
    depth = 0;
    outer_escape = 0;
}

void String_vars_restore(const SaveStat&) {
    Window_title_apply();
}
