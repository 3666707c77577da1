// Read text: which text of each script the player has seen, so that skip can stop at the first
// text not yet read. The interpreter steps text in runs: a run begins where stepping resumes (after
// a click wait, a page end, a choice, a delay ...) and ends where stepping stops next; a run that
// drew a character is read once it ended. Runs are known by the offset of their first byte in the
// script, and the offsets by script: its name and a hash of its bytes, so an edited script starts
// unread. Runs inside a shown string variable are not recorded and count as read.
#pragma once

#include <cstdint>
#include <string>

// The script buffer holds a newly read script: its record is chosen (made if new).
void Read_text_script_loaded();

// The interpreter's hooks: a step begins while text is stepping, it drew a character, it ended
// (with text_on 0 a run that drew a character is recorded as read).
void Read_text_step_begins();
void Read_text_char_drawn();
void Read_text_step_ended();

// True once since the last call if a run that was not read drew its first character.
bool Read_text_take_unread_reached();

// True if the run beginning at `offset` of the present script was read.
bool Read_text_is_read(int32_t offset);

// The record in a compact binary form for the file, and back: false (record untouched) with the
// reason in *error for bytes that are not what Read_text_encode writes. A script's runs take the
// smaller of a list of offset steps and a bitmap of one bit per three bytes of script (two runs'
// first bytes lie at least three apart: a character and a two-byte command at the least).
std::string Read_text_encode();
bool Read_text_decode(const std::string& bytes, std::string* error);

// True if something was recorded since the last Read_text_mark_kept.
bool Read_text_changed();
void Read_text_mark_kept();

// Start-up state: nothing read, no script chosen.
void Read_text_reset();
