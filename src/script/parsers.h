// The argument parsers every command shares, and the skips over conditional blocks. All read the
// script through ScriptCursor and stop at the end of the text, whatever it holds.
#pragma once

#include <cstdint>

constexpr int PARSE_LIMIT = 254;  // bytes a parser result can hold, before its terminator
constexpr int SKIP_LIMIT = 65535; // bytes a block skip passes before it gives up

// A signed decimal number: passes over bytes of 0x20 and below (it may stand on a later line),
// then reads up to a byte of 0x20 or below or a comma, which is left under the cursor. A `-`
// anywhere makes it negative. Any other byte shows "[...]：10進数ではありません" and posts a close
// request; the scan goes on as if the byte had been a digit of value 0.
int32_t Kaiseki_Num();

// A bare word: passes over spaces and tabs, then reads up to a tab, LF, CR, space or comma (left
// under the cursor), at most 254 bytes. The result stays valid until the next call.
const char* Kaiseki_Symbol();

// The rest of the line: passes over spaces and tabs, then reads up to a CR followed by LF (the
// cursor is left on the CR), at most 254 bytes.
const char* Kaiseki_TextLine();

// Text in double quotes: passes over spaces and tabs; without an opening quote shows
// "["] で囲まれた文字ではありません" and returns nullptr with the cursor on that byte. Otherwise
// reads up to the closing quote (at most 254 bytes) and leaves the cursor just after it.
const char* Kaiseki_TextStr_DQ();

// A selector word that is not one the command knows (a surface, transition or shake word): shows
// "シンボル [WORD]" followed by `rest` under `caption`, then ends the program.
void Symbol_fatal(const char* symbol, const char* rest, const char* caption);

// A block whose end cannot be found: shows the search-end box and stops stepping for good, as
// `halt` does. Returns false, for the callers' convenience.
bool Block_search_failed();

// Passes over commas, spaces and LFs between two arguments.
void Skip_arg_separators();

// With the cursor just after a block's `{` or after one of its `/`, passes over that part (nested
// blocks included) and the `/` that ends it. False if the block is broken (no `/` within 65,535
// bytes or before the end of the text): the search-end box has been shown and stepping has
// stopped as `halt` stops it.
bool Skip_then_part();

// With the cursor on a `/` inside a block, passes over the rest of the block, its closing `}` and
// one byte more. False, as Skip_then_part, if the block never closes.
bool Skip_else_part();
