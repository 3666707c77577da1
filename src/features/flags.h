// The 256 story flags (Game_stat.Flags) and the commands that set, show and test them.
#pragma once

#include <cstdint>

// #flag_on N: flag N becomes 1 (ON). A number outside 0-255 is reported and changes nothing.
void Com_flag_on();

// #flag_off N: flag N becomes 0 (OFF), with the same check.
void Com_flag_off();

// #disp_flag N: shows "Flag N = ON " / "= OFF" / "= UNKNOWN" in a box, or the invalid-number box.
void Com_disp_flag();

// #if_flag N { first / second }: leaves the cursor inside the first part when flag N is ON,
// otherwise just after the block's `/` at depth 0. A number outside 0-255 is reported and counts
// as not ON.
void Com_if_flag();

// Moves the cursor just past the next `{` of the text (two-byte characters are stepped over
// whole). False when the text has none: the block-search box has been shown and stepping stopped.
bool Skip_past_open_brace();
