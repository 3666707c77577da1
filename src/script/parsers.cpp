#include "script/parsers.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/dialogs.h"
#include "core/lifecycle.h"
#include "core/sjis.h"
#include "script/interpreter.h"
#include "script/script_file.h"

namespace {

char symbol[PARSE_LIMIT + 1];
char text_line[PARSE_LIMIT + 1];
char quoted[PARSE_LIMIT + 1];

void Skip_blanks() {
    while (Script_in_text() && (Script_byte() == ' ' || Script_byte() == '\t'))
        ++ScriptCursor;
}

// True if the byte under the cursor is `c` standing alone, not the second byte of a two-byte
// character.
bool Plain(uint8_t c) {
    return Script_byte() == c && !Sjis_is_lead(Script_byte(-1));
}

} // namespace

int32_t Kaiseki_Num() {
    while (Script_in_text() && Script_byte() <= 0x20)
        ++ScriptCursor;
    uint32_t result = 0; // wraps like the 32-bit arithmetic scripts were written against
    bool negative = false;
    while (Script_in_text()) {
        const uint8_t b = Script_byte();
        if (b == '-') {
            negative = true;
        } else if (b >= '0' && b <= '9') {
            result += uint32_t(b - '0');
        } else {
            char shown[33];
            for (int i = 0; i < 32; ++i)
                shown[i] = char(Script_byte(i));
            shown[32] = '\0';
            std::string text = "[";
            text += Sjis_to_utf8(shown);
            text += "]：10進数ではありません";
            Msg_box(text.c_str(), "えらー");
            System_post_close();
        }
        ++ScriptCursor;
        const uint8_t next = Script_byte();
        if (!Script_in_text() || next <= 0x20 || next == ',') break;
        result *= 10;
    }
    return int32_t(negative ? 0u - result : result);
}

const char* Kaiseki_Symbol() {
    Skip_blanks();
    int n = 0;
    while (n < PARSE_LIMIT && Script_in_text()) {
        const uint8_t b = Script_byte();
        if (b == '\t' || b == '\n' || b == '\r' || b == ' ' || b == ',') break;
        symbol[n++] = char(b);
        ++ScriptCursor;
    }
    symbol[n] = '\0';
    return symbol;
}

const char* Kaiseki_TextLine() {
    Skip_blanks();
    int n = 0;
    while (n < PARSE_LIMIT && Script_in_text() && !(Script_byte() == '\r' && Script_byte(1) == '\n')) {
        text_line[n++] = char(Script_byte());
        ++ScriptCursor;
    }
    text_line[n] = '\0';
    return text_line;
}

const char* Kaiseki_TextStr_DQ() {
    Skip_blanks();
    if (Script_byte() != '"') {
        Msg_box("[\"] で囲まれた文字ではありません", "Kaiseki_TextStr_DQ()");
        return nullptr;
    }
    ++ScriptCursor;
    int n = 0;
    while (n < PARSE_LIMIT && Script_in_text() && Script_byte() != '"') {
        quoted[n++] = char(Script_byte());
        ++ScriptCursor;
    }
    quoted[n] = '\0';
    ++ScriptCursor;
    return quoted;
}

void Skip_arg_separators() {
    while (Script_in_text() && (Script_byte() == ',' || Script_byte() == ' ' || Script_byte() == '\n'))
        ++ScriptCursor;
}

bool Skip_then_part() {
    int depth = 0;
    for (int count = 0;; ++count) {
        if (count > SKIP_LIMIT || !Script_in_text()) return Block_search_failed();
        if (Plain('/') && depth == 0) break;
        if (Plain('{')) ++depth;
        if (Plain('}')) --depth;
        ++ScriptCursor;
    }
    ++ScriptCursor;
    return true;
}

bool Skip_else_part() {
    int depth = 1;
    for (int count = 0; depth != 0; ++count) {
        if (count > SKIP_LIMIT || !Script_in_text()) return Block_search_failed();
        if (Plain('{')) ++depth;
        if (Plain('}')) --depth;
        ++ScriptCursor;
    }
    ++ScriptCursor;
    return true;
}

void Symbol_fatal(const char* symbol, const char* rest, const char* caption) {
    const std::string text = "シンボル [" + Sjis_to_utf8(symbol) + rest;
    Msg_box(text.c_str(), caption);
    System_exit_with(EXIT_SCRIPT_ERROR);
}

bool Block_search_failed() {
    Msg_box("サーチＥＮＤ。{ }の対応が変？かも･･･（謎）", "Error");
    Interpreter_stop();
    return false;
}
