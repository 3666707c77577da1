// How the checker reads a command's arguments: with the engine's own parsers, whose boxes are
// caught instead of shown and turned into findings at the bytes they are about.
#pragma once

#include <cstdint>
#include <string>

// Routes the engine's boxes to the checker for as long as a check runs (on), or back to where they
// went before (off). A box the checker does not expect is reported as an error at the cursor, with
// its own text.
void Boxes_catch(bool on);

// Takes the boxes the engine's readers showed since the last take: those under `caption` count as
// expected (true if there was one); a number or quoted text they refused is reported at its start,
// any other box as an error with its own text.
bool Boxes_take(const char* caption);

// Where the next argument starts, looking from `skip` bytes after the cursor, which stays where it
// is: past spaces and tabs, and past line ends too when `lines` (as the number parser passes them).
int32_t Arg_start(bool lines, int32_t skip = 0);

// Kaiseki_Num; a byte that is not a digit is reported at the number's first byte. *at (if given)
// gets that byte, *decimal (if given) whether the number had only digits and signs.
int32_t Check_num(int32_t* at = nullptr, bool* decimal = nullptr);

// Check_num, and a value outside low..high is reported as "WHAT N is outside low-high".
int32_t Check_num_in(const char* what, int32_t low, int32_t high);

// Kaiseki_Symbol; *at (if given) gets its first byte.
std::string Check_symbol(int32_t* at = nullptr);

// True if `word` is one of `words` (a |-separated list), compared exactly.
bool Word_in(const char* words, const std::string& word);

// "WHAT "word" is not one of A B C", for a word that is not one of `words`.
std::string Not_one_of(const char* what, const std::string& word, const char* words);

// Check_symbol, and a word that is not one of `words` (a |-separated list) is reported as an error.
// True if it is one.
bool Check_symbol_in(const char* what, const char* words);

// Kaiseki_TextStr_DQ: reports a text without its opening quote, one that runs past its line (a
// warning: it swallows the lines that follow), one that never closes and one longer than `limit`
// bytes. False if there was no text. *at gets the opening quote's place.
bool Check_quoted(size_t limit, std::string* text, int32_t* at);

// Reviews a text just read by Kaiseki_TextStr_DQ (the cursor still where it left it), as above.
// *at gets the opening quote's place.
void Review_quoted(const char* quoted, size_t limit, std::string* text, int32_t* at);

// Checks that the block that starts at `from` (just after its `{`, or for `if_timer` just after
// its number) closes, and that `parts` separating `/` stand in it before its `}`: the skips a
// choice or a false condition makes. Reported at `open` (its `{`). True if the block closes.
bool Check_block(int32_t from, int parts, int32_t open);

// The text of the argument at `at` as written, up to a blank or comma (UTF-8), for messages.
std::string Arg_text(int32_t at);
