// The three millisecond timers and their displays.
#pragma once

// Draws every running timer (while disp_timer_on is 1).
void Timer_display_all();
// Draws the single chosen timer (while disp_timer_single_on is 1).
void Timer_display_single();
// Ends a `timer_wait` when its timer reaches the mark (while timer_wait_on is 1).
void Timer_wait_task();
