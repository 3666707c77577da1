// The run log: one line per thing the headless runner records (sound commands, screenshots, boxes).
//
// Every layer may write to it; the runner's wiring points it at the runner's log at start-up. Until
// then, and always under a real window, a line goes nowhere.
#pragma once

// Sends every later line to `write` (nullptr: nowhere).
void Run_log_set(void (*write)(const char* line_utf8));

// Writes one line to the run log, if one is set.
void Run_log(const char* line_utf8);
