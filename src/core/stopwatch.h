// Stopwatch: a millisecond start time from the platform clock, tested in wrapping unsigned arithmetic.
#pragma once

#include <cstdint>

using Stopwatch = uint32_t;

// Stores the current clock reading in *watch.
void Stopwatch_start(Stopwatch* watch);

// True when the clock reads at least start + period, the sum taken modulo 2^32 and compared
// unsigned. A period of 0 is elapsed at once; so is one that wraps the sum below start.
bool Stopwatch_elapsed(Stopwatch start, uint32_t period);

// Skipping: while hurried, every Stopwatch_elapsed is true, so the story's pauses (text speed,
// delays, transitions, shakes, fades) pass at once. The frame clock and the timers read the clock
// itself and keep real time.
void Stopwatch_hurry(bool on);

// What the Stopwatch_elapsed calls since the last Stopwatch_watch_begin saw: whether any was
// elapsed, and the earliest clock reading at which one that was not will be (when `pending`).
struct StopwatchWatch {
    bool elapsed = false;
    bool pending = false;
    uint32_t due = 0;
};

// Starts a new record of the Stopwatch_elapsed calls (the frame loop's, once a frame).
void Stopwatch_watch_begin();

// The record since Stopwatch_watch_begin.
StopwatchWatch Stopwatch_watched();
