// The three millisecond timers TIMER_1..TIMER_3 (Game_stat.Timers), their commands, their two
// displays and the timed wait. Timers read the platform clock whenever they are used, so they
// keep counting while a box holds up the frames.
#pragma once

#include <cstdint>
#include <string>

#include "core/game_stat.h"

struct SaveStat;

// The words the timer commands take: the timers' names (in index order), #disp_timer's switch and
// #if_timer's comparisons.
constexpr const char* TIMER_WORDS = "TIMER_1|TIMER_2|TIMER_3";
constexpr const char* TIMER_SWITCH_WORDS = "ON|OFF";
constexpr const char* TIMER_COMPARISON_WORDS = "<|=|>";

// Reads a timer name; *name keeps it as written for the messages. The timer's index, or -1 for
// anything but the three exact names TIMER_1, TIMER_2, TIMER_3.
int Read_timer(std::string* name);

// The timer commands' own separators: spaces and LFs (`timer_wait`, `if_timer`); commas and spaces
// (`disp_timer_single`).
void Skip_blanks_and_lf();
void Skip_commas_and_spaces();

// A timer's value in ms: accumulated + (now - start) while it runs, the frozen value otherwise.
int64_t Timer_value(const TimerRec& t);

// Before a snapshot: folds a running timer's time so far into its accumulated value and restarts
// its start at now; its value does not change.
void Timer_checkpoint(TimerRec* t);

// After a restore: a running timer's start becomes now, so the time between save and load is not
// counted.
void Timer_resume(TimerRec* t);

// The single display's text for `ms`: " mmm:ss:hh" (minutes right-aligned in three columns, not
// wrapped into hours).
void Timer_single_text(int64_t ms, char* out, int size);

// #shot_timer T: clears T and starts it from 0.
void Com_timer_shot();
// #stop_timer T: freezes T at its current value.
void Com_stop_timer();
// #clear_timer T: T becomes 0 and stops.
void Com_clear_timer();
// #disp_timer ON|OFF: the line of all three timers at the bottom of the picture.
void Com_disp_timer();
// #disp_timer_single X Y T: shows T as minutes, seconds and hundredths at (X, Y) every frame.
void Com_disp_timer_single();
// #timer_wait T to MS: stops stepping until T reaches MS.
void Com_timer_wait();
// #if_timer T OP MS (OP one of > < =): runs the first part of the block that follows when the
// comparison holds, else the part after its `/`.
void Com_if_timer();

// Draws all three timers on the line at y 460 (while disp_timer_on is 1).
void Timer_display_all();
// Draws the chosen timer at its place (while disp_timer_single_on is 1).
void Timer_display_single();
// Ends a `timer_wait` once its timer has reached the target (while timer_wait_on is 1).
void Timer_wait_task();

// Start-up state of what is not in Game_stat: the timed wait on TIMER_1 with target 0.
void Timers_reset();

// The save point's part, after Game_stat's: the three timers checkpointed, and the record's copies
// of them with the time so far folded in.
void Timers_save(SaveStat* record);

// A load's part, after Game_stat's: the restored timers resumed.
void Timers_restore(const SaveStat& record);
