// The script interpreter: one step per frame (and per Text_WAIT ms) through the script, drawing
// story characters and handing control bytes on; the waits that stop stepping and the player's
// ways out of them.
#pragma once

#include <cstdint>

// Starts the interpreter's stopwatch (once the first script is in).
void Interpreter_start();

// Stops stepping for good, as `halt` does: the next left click, Enter or Space ends the program.
// Used where the script cannot go on (it ran off its end, a block never closes).
void Interpreter_stop();

// One step of the script (while text_on is 1), at the author's pace scaled by the player's.
void Text_task();

// Shows the rest of the text at once: steps until stepping stops (a click wait, page end, delay,
// choice, key wait, halt ...), running every command on the way in order. False if none was typing.
bool Text_finish();

// The player's text speed: percent of the author's wait between steps (100 keeps it exactly), or
// TEXT_SPEED_INSTANT for the text up to the next stop at once. 100 at start-up.
constexpr int TEXT_SPEED_INSTANT = 0;
void Text_speed_set(int percent);
int Text_speed();

// Whether a click, Enter or Space while text is typing finishes it (on at start-up).
void Text_click_set(bool on);
bool Text_click();

// Handles the control byte under the cursor; false if it is a character to draw.
bool Script_step_char();

// With the cursor on a `*`: a `:` within the next 32 bytes, before any space, makes it a label,
// passed over up to that `:` (wherever the `*` stands). True if it was; otherwise nothing moves.
bool Label_line();

// Moves the text cursor past a character of n bytes (1 or 2): wraps inside the text area and
// starts a page-end wait when the last line is full.
void Text_advance(int n);

// The `;` line break: a new line, or a page-end wait on the last line.
void Text_newline();

// #delay N: stops stepping for N ms.
void Com_delay();
// #wait and #w: a click wait with the blinking icon at the text cursor.
void Com_wait();
// #halt: the story is over; the next click ends the program.
void Com_halt();
// #page: clears the page at once.
void Com_page();

// Per-frame tasks.
void Delay_task();     // ends a `delay` when its time is up (delay_on)
void Wait_task();      // blinks the icon of a `wait` (wait_on)
void Halt_task();      // nothing: waits for the click that ends the program (halt_on)
void Page_wait_task(); // blinks the icon of a page-end wait (page_wait_on)

// The "go on" input during the waits: erase the icon and resume where it stood; or clear the page
// and resume at the text area's top-left.
void Wait_click();
void Page_wait_click();

// Start-up state: stopwatches and blink phases 0.
void Interpreter_reset();
