// The three-way choice of `select3`.
//
// The command draws the three options below the text once, onto two work surfaces (plain and
// highlighted) and from the plain one onto BackBuffer; while the choice is pending each frame only
// copies option rectangles back, so no font work happens per frame.
#pragma once

#include <string>

#include "core/rect.h"
#include "gfx/surface.h"

constexpr int SELECT_OPTIONS = 3;

// The options' rectangles (left, top, right, bottom in BackBuffer pixels), valid while a choice
// is pending.
extern Rect SelectRect[SELECT_OPTIONS];

// The work surfaces: BackBuffer's pixels under each option with the option drawn on them, in the
// normal colour and in the highlight colour. 640x480 while a choice is pending, 0x0 otherwise.
extern Surface SelectPlain;
extern Surface SelectLit;

// #select3 { three option lines / part 1 / part 2 / part 3 }: ends the program when there is no
// room below the text cursor for the options; otherwise shows them and stops stepping.
void Com_select3();

// Reads one option line: passes over blanks and blank lines before it, then reads to the line end.
std::string Select_read_option();

// Highlights the option under the mouse; when the last mouse message held the left button alone
// over option k, moves the cursor into part k of the block and resumes stepping (while select_on
// is 1).
void Select_task();

// Start-up state: no choice pending, the work surfaces released.
void Select_reset();
