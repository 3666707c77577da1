// Skip and auto-advance: the player's ways to hurry the story along or to let it read itself.
//
// Skip runs while Ctrl is held or after S switched it on. A skipping frame runs the story's tasks
// round after round with every story stopwatch hurried (text, delays, transitions, shakes, fades),
// until a click wait or page end is reached, which the next frame passes by itself: each page is
// shown for one frame. It stops wherever the story asks the player something (a choice, a key
// wait, the title menu, the system menu, a box, the name prompt); timers keep real time.
//
// Auto passes a click wait or page end by itself after about 1 s plus 60 ms for every character
// shown since the last one, at the player's speed; any other click or key ends it (a modifier
// key alone is no key here: it only changes what another key or click means).
#pragma once

#include <cstdint>

// Frame hooks of Main_task: before the tasks (passes a click wait that skip or auto made due), and
// after each round of the switch tasks (true if a skipping frame should run another round).
void Skip_auto_frame_begin();
bool Skip_auto_another_round(int rounds_done);

// S and the runner's `skip on|off`: the skip switch (Ctrl held skips whatever it says).
void Skip_toggle();
void Skip_set(bool on);

// Which text skip passes: only text read before (true), or all of it (false, at start-up). Skipping
// read text only stops where a run of text not yet read begins to show (script/read_text.h).
void Skip_read_only_set(bool on);
bool Skip_read_only();

// Something asks the player (a box, the name prompt): the skip switch goes off and the frame's
// rounds end.
void Skip_stop();

// A and the runner's `auto on|off`.
void Auto_toggle();
void Auto_set(bool on);

// + and -: auto a step (25%) quicker or slower; the speed stays within 25% and 400% of the plain
// pace, whose pause it divides.
void Auto_pace_change(int steps_quicker);

// Sets the auto speed, kept within 25% and 400%.
void Auto_speed_set(int percent);

// The auto speed in percent of the plain pace (100 at start-up).
int Auto_speed();

// A click or key that is not one of the comfort keys: ends auto mode.
void Auto_player_input();

// What the corner mark shows: skip switched on or running, auto on.
bool Skip_shown();
bool Auto_active();

// How long auto waits at a click wait after `chars` characters were shown, at the present speed.
uint32_t Auto_delay_ms(uint64_t chars);

// Start-up state: skip and auto off, the plain pace (speed 100%).
void Skip_auto_reset();
