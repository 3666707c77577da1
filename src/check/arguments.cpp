#include "check/arguments.h"

#include <algorithm>
#include <vector>

#include "check/block_map.h"
#include "check/check_state.h"
#include "core/dialogs.h"
#include "core/lifecycle.h"
#include "core/sjis.h"
#include "core/word_list.h"
#include "script/parsers.h"
#include "script/script_file.h"

namespace {

struct CaughtBox {
    std::string caption, text;
    int32_t cursor;
};
std::vector<CaughtBox> caught;

BoxAnswer Catch(const char* text, const char* caption, BoxKind kind) {
    caught.push_back(CaughtBox{caption, text, ScriptCursor});
    return kind == BoxKind::Ok ? BoxAnswer::Ok : BoxAnswer::No;
}

std::string No_name(const std::string& default_sjis) {
    return default_sjis;
}

const DialogProcs CATCHING = {Catch, No_name};

// A number the parser refused, whose first byte is `at`. The parser passes line ends to find a
// number: one missing at the end of the command's line is reported where that line ends.
void Report_not_decimal(int32_t at) {
    int32_t gap = at;
    while (gap > 0 && ScriptSource.base[gap - 1] <= 0x20)
        --gap;
    for (; gap < at; ++gap) {
        if (ScriptSource.base[gap] == '\r' || ScriptSource.base[gap] == '\n') {
            Check_error(gap, Check.command + " needs a number on its own line; the next line's \"" +
                                 Arg_text(at) + "\" is read as one");
            return;
        }
    }
    Check_error(at, Check.command + ": \"" + Arg_text(at) + "\" is not a decimal number");
}

} // namespace

bool Boxes_take(const char* caption) {
    bool seen = false;
    int32_t last_number = -1;
    for (const CaughtBox& b : caught) {
        if (b.caption == caption) {
            seen = true;
        } else if (b.caption == "えらー") {
            // Read by one of the handlers' own readers: one report for each number, at its start.
            int32_t at = b.cursor;
            while (at > 0 && ScriptSource.base[at - 1] > 0x20 && ScriptSource.base[at - 1] != ',')
                --at;
            if (at != last_number) Report_not_decimal(at);
            last_number = at;
        } else if (b.caption == "Kaiseki_TextStr_DQ()") {
            Check_error(b.cursor, Check.command + ": the text must stand in double quotes (\"...\")");
        } else {
            Check_error(b.cursor, Check.command + ": " + b.text);
        }
    }
    caught.clear();
    // The number parser also asks for the program to end; nothing is running to end.
    while (System_take_close_request()) {
    }
    return seen;
}

void Boxes_catch(bool on) {
    static const DialogProcs* before = nullptr;
    caught.clear();
    if (on) before = Dialogs_get();
    Dialogs_set(on ? &CATCHING : before);
}

int32_t Arg_start(bool lines, int32_t skip) {
    int32_t at = ScriptCursor + skip;
    while (at < ScriptSource.length) {
        const uint8_t b = ScriptSource.base[at];
        if (!(b == ' ' || b == '\t' || (lines && b <= 0x20))) break;
        ++at;
    }
    return at;
}

std::string Arg_text(int32_t at) {
    std::string bytes;
    while (at < ScriptSource.length && ScriptSource.base[at] > 0x20 && ScriptSource.base[at] != ',' &&
           bytes.size() < 32)
        bytes.push_back(char(ScriptSource.base[at++]));
    return Sjis_to_utf8(bytes.c_str());
}

int32_t Check_num(int32_t* at, bool* decimal) {
    const int32_t start = Arg_start(true);
    const int32_t value = Kaiseki_Num();
    const bool refused = Boxes_take("えらー");
    if (decimal) *decimal = !refused;
    if (refused) Report_not_decimal(start);
    if (at) *at = start;
    return value;
}

int32_t Check_num_in(const char* what, int32_t low, int32_t high) {
    int32_t at = 0;
    bool decimal = false;
    const int32_t value = Check_num(&at, &decimal);
    // A number that is not one has been reported already; its value says nothing more.
    if (decimal && (value < low || value > high))
        Check_error(at, Check.command + ": " + what + " " + std::to_string(value) + " is outside " +
                            std::to_string(low) + "-" + std::to_string(high));
    return value;
}

std::string Check_symbol(int32_t* at) {
    const int32_t start = Arg_start(false);
    std::string word = Kaiseki_Symbol();
    if (at) *at = start;
    return word;
}

bool Word_in(const char* words, const std::string& word) {
    return Word_position(words, word) >= 0;
}

std::string Not_one_of(const char* what, const std::string& word, const char* words) {
    std::string list = words;
    std::replace(list.begin(), list.end(), '|', ' ');
    return std::string(what) + " \"" + Sjis_to_utf8(word.c_str()) + "\" is not one of " + list;
}

bool Check_symbol_in(const char* what, const char* words) {
    int32_t at = 0;
    const std::string word = Check_symbol(&at);
    if (Word_in(words, word)) return true;
    Check_error(at, Check.command + ": " + Not_one_of(what, word, words));
    return false;
}

bool Check_quoted(size_t limit, std::string* text, int32_t* at) {
    *at = Arg_start(false);
    const char* quoted = Kaiseki_TextStr_DQ();
    Boxes_take("");
    if (!quoted) return false;
    Review_quoted(quoted, limit, text, at);
    return true;
}

void Review_quoted(const char* quoted, size_t limit, std::string* text, int32_t* at) {
    *text = quoted;
    // The parser leaves the cursor one byte after the text, whether a quote or the limit ended it.
    *at = ScriptCursor - int32_t(text->size()) - 2;
    const bool closed = ScriptCursor - 1 < ScriptSource.length &&
                        ScriptSource.base[ScriptCursor - 1] == '"' && ScriptCursor - 1 > *at;
    if (!closed && text->size() >= size_t(PARSE_LIMIT)) {
        Check_error(*at, Check.command + ": the quoted text is longer than " + std::to_string(PARSE_LIMIT) +
                             " bytes; the rest is shown as story text");
    } else if (!closed) {
        Check_error(*at, Check.command + ": the quoted text never closes");
    } else if (text->find_first_of("\r\n") != std::string::npos) {
        Check_warning(*at,
                      Check.command +
                          ": the closing \" is not on this line; the text runs on and swallows the lines "
                          "that follow");
    }
    if (closed && text->size() > limit)
        Check_error(*at, Check.command + ": the text is " + std::to_string(text->size()) +
                             " bytes; at most " + std::to_string(limit) + " fit");
}

bool Check_block(int32_t from, int parts, int32_t open) {
    // Where the engine's own skips would stop: the closing `}` as a `/` finds it, then each part
    // as a choice or a false condition passes it.
    const int32_t close = Block_close(from);
    int found = 0;
    for (int32_t at = from; close >= 0 && found < parts; ++found) {
        at = Block_part_end(at);
        if (at < 0 || at > close) break;
        ++at;
    }
    if (close < 0 && Block_closes_at_all(from)) {
        Check_error(open, Check.command + ": the block's } is more than " + std::to_string(SKIP_LIMIT) +
                              " bytes away; the engine's search for it gives up");
    } else if (close < 0) {
        Check_error(open, Check.command + ": the block never closes (no matching })");
    } else if (found < parts) {
        Check_error(open, Check.command + ": the block needs " + std::to_string(parts) +
                              (parts == 1 ? " / " : " / lines ") + "before its }, found " +
                              std::to_string(found));
    }
    return close >= 0;
}
