// String variables (Game_stat.StringVars, 16 areas of 256 bytes), their escapes \STR n and \EOS,
// the commands that fill them (set_str, text_input), and the window title (set_window_text).
//
// A variable holds its text, the four bytes "\EOS" and a terminator. \STR n makes the interpreter
// step through that text as if it stood in the script; the "\EOS" at its end brings it back to
// the byte after the \STR's number. While a variable is shown, ScriptSource is its area.
#pragma once

#include <cstdint>
#include <string>

struct SaveStat;

constexpr int STRING_TEXT_LIMIT = 251; // bytes of text an area holds before "\EOS" and the NUL
constexpr int WINDOW_TITLE_LIMIT = 128;
constexpr const char* WINDOW_TITLE_DEFAULT = "ことゆみ Ver1.02"; // UTF-8

// \STR n (the cursor on the R): shows variable n. A number outside 0-15 is reported and nothing is
// shown; so is a variable that is already being shown (a variable cannot show itself). A variable
// that was never set shows as empty.
void Str_str();

// \EOS: back to the script (or the variable) that showed the current variable. Does nothing when
// no variable is being shown.
void Str_eos();

// Stores `sjis` (cut to 251 bytes on a character boundary) in variable n (0-15) followed by "\EOS".
void Str_store(int n, const char* sjis);

// The three arguments that set_str and text_input share: the word \STR, the variable number and a
// quoted text (nullptr when it has no opening quote; the parser has said so).
struct StrArguments {
    std::string word;
    int32_t n = 0;
    const char* text = nullptr;
};

// Reads them, the cursor first on the command word's last byte.
StrArguments Str_read_arguments();

// #set_str \STR n "text".
void Com_set_str();

// #text_input \STR n "default": asks the player for a name in the name dialog and stores it.
void Com_text_input();

// #set_window_text "title": at most 128 bytes; an empty title brings back the default one.
void Com_set_window_text();

// Shows the title that Game_stat.WindowTitle records (the default title when it is empty) in the
// window; for a restored save.
void Window_title_apply();

// If a variable is being shown, returns to the script as its "\EOS" would and returns true. The
// interpreter calls it when the cursor has run off the end of a variable whose "\EOS" was never
// reached (a text ending in `#` swallows it into a command word, say).
bool Str_return_if_shown();

// Stops showing variables: the cursor is about to be put somewhere in the script (a jump, a file
// change, a restored save). The caller sets ScriptSource and ScriptCursor.
void Str_leave_all();

// Where in ScriptBuffer a save taken now should resume: ScriptCursor, or while a variable is
// shown, the `\` of the \STR in the script that showed it, so that a restored game shows the
// variable again whole.
int32_t Str_resume_offset();

// Start-up state: no variable being shown. (The areas themselves live in Game_stat.)
void String_vars_reset();

// A load's part, once Game_stat is back: the window shows the restored title.
void String_vars_restore(const SaveStat& record);
