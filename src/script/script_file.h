// The script in memory: one buffer, the name of the file it came from, and the cursor that the
// interpreter and every argument parser read and move.
//
// The cursor is an index into the text being stepped through: the script buffer, or while a string
// variable is shown, that variable. Every read goes through Script_byte, which answers 0 outside
// the text, so no scan can read outside it whatever the script holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/file_io.h"

struct SaveStat;

constexpr int32_t SCRIPT_BUFFER_SIZE = 1048576;
constexpr int SCRIPT_NAME_SIZE = 512;

extern uint8_t ScriptBuffer[SCRIPT_BUFFER_SIZE];
extern char ScriptFileName[SCRIPT_NAME_SIZE];
// Length of the file last read into ScriptBuffer: stepping stops there.
extern int32_t ScriptLength;

// The text the cursor walks: the script buffer, or a string variable while it is shown.
struct ScriptText {
    const uint8_t* base;
    int32_t length;
};
extern ScriptText ScriptSource;
extern int32_t ScriptCursor;

// The byte `offset` bytes from the cursor; 0 outside the text.
inline uint8_t Script_byte(int32_t offset = 0) {
    const int64_t at = int64_t(ScriptCursor) + offset;
    return at >= 0 && at < ScriptSource.length ? ScriptSource.base[at] : 0;
}

// True while the cursor lies inside the text.
inline bool Script_in_text() {
    return ScriptCursor >= 0 && ScriptCursor < ScriptSource.length;
}

// Reads ".\txt\config.txt" into the buffer, sets the default text settings and starts the
// interpreter's stopwatch. A first script that is missing, unreadable or too large is reported in
// a box naming it and the game folder, and the program ends with exit code 1.
void Script_load_first();

// Reads the script file at `path` (as scripts write it) into the buffer from its first byte; the
// rest of the buffer keeps what it held. Sets the file name and puts the cursor at the buffer's
// start. A file that cannot be read or is larger than the buffer leaves everything untouched; no
// box is shown here. The result is the file read's (core/file_io.h). A script with LF line ends or
// in UTF-8 is named on standard error, one line for each, and read all the same.
FileRead Script_read(const char* path);

// Script_read without the lines on standard error (the checker reports these itself).
FileRead Script_read_quietly(const char* path);

// Script_read_quietly with the file's bytes given (the checker's scripts converted in memory).
FileRead Script_use_text(const char* path, const uint8_t* bytes, size_t n);

// The first LF of the text that does not follow a CR, or -1: the engine steps CR LF line ends only.
int32_t Script_bare_lf(const uint8_t* bytes, int32_t length);

// The first byte above ASCII if the text is UTF-8 with characters beyond ASCII and is not also
// readable as Shift-JIS; else -1.
int32_t Script_utf8_start(const uint8_t* bytes, int32_t length);

// What is wrong and the command that converts the script `shown` (a host path), for each of the two.
std::string Script_lf_message(const std::string& shown);
std::string Script_utf8_message(const std::string& shown);

// Start-up state: an all-zero buffer, no file name, the cursor at 0.
void Script_reset();

// The save point's part: the file name as Script_file and where a load resumes as Script_offset
// (inside a shown string variable, the \STR that showed it: see Str_resume_offset).
void Script_save(SaveStat* record);

// A load's part (the record already checked): the saved script read again, no string variable
// being shown, the cursor at the saved offset in the script.
void Script_restore(const SaveStat& record);
