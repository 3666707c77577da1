// The headless backend: no window and no sound device. Time is a virtual clock that moves only when
// a scenario (or a test) says so; input comes from the scenario; boxes are answered from it and
// logged. Tests drive it directly through the procedures below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

struct HeadlessOptions {
    std::string events_path;  // scenario file; empty = play on its own (autoplay)
    std::string log_path;     // run log; empty = none
    std::string shots_dir;    // autoplay writes a PNG here at every click it makes; empty = none
    uint32_t max_ms = 600000; // autoplay ends the run after this much virtual time
};

// What the runner asks of the engine: whether a scenario condition (`halt`, `wait`, `page`,
// `select`, `keywait`, `menu`, `title`) holds, and, for autoplay, where a click would move the story
// on (false while nothing waits for a click).
struct HeadlessProbe {
    bool (*condition)(const char* name) = nullptr;
    bool (*click_target)(int* x, int* y) = nullptr;
    void (*comfort)(const char* name, bool on) = nullptr;           // `skip on|off`, `auto on|off`
    void (*setting)(const char* name, const char* value) = nullptr; // `set NAME VALUE` (checked)
};

struct RecordedBox {
    uint32_t time = 0;
    std::string caption;
    std::string text;
    BoxAnswer answer = BoxAnswer::Ok;
};

// The backend tables for Platform_use_backend.
const PlatformBackend* Headless_backend();

// The runner's answer to a box, for the dialogs seam its wiring sets: the next queued answer (a
// yes/no box takes any but No as Yes), else OK or the unqueued answer; the box is logged and recorded.
BoxAnswer Headless_answer_box(const char* caption_utf8, const char* text_utf8, BoxKind kind);

// The runner's answer to the name prompt: the queued text (the default text for `input-cancel`, for
// an empty answer or when nothing is queued), logged as `input "DEFAULT" -> "RESULT"` and written
// into `result_utf8` (cut to fit `result_size` on a character boundary). False, touching nothing,
// while the prompt is left to the window (Headless_set_input_in_window) or `result_size` is 0.
bool Headless_answer_input(const char* default_utf8, char* result_utf8, size_t result_size);

// Writes one line, with the current time in front of it, to the run log (and to the recorded lines).
void Headless_log(const char* line_utf8);

// Reads the scenario and opens the log. False with a reason if the scenario cannot be read or has
// a line it does not understand (the reason names the line).
bool Headless_configure(const HeadlessOptions& options, std::string* error);

// True once a line of the run's log could not be written (said on standard error; the run then
// ends with exit code 1).
bool Headless_log_failed();

// Gives the runner its view of the engine.
void Headless_set_probe(const HeadlessProbe& probe);

// Back to the start: clock 0, no window, no queued events or answers, nothing recorded, no
// scenario, no log file.
void Headless_reset();

// Test controls: set or move the virtual clock, queue an event, queue a box answer, hold a key.
void Headless_set_time(uint32_t ms);
void Headless_advance(uint32_t ms);
void Headless_push_event(const PlatformEvent& event);
void Headless_queue_answer(BoxAnswer answer);
// The answer of a yes/no box when none is queued (No after Headless_reset); long random runs set it
// instead of queuing answers without end.
void Headless_set_unqueued_answer(BoxAnswer answer);
void Headless_set_key(int key, bool down);

// What the run has recorded: the boxes shown, the log lines (without the file), and the last
// picture presented to the window (nullptr before the first present).
// Recording is on after Headless_reset, for tests; the runner and long runs switch it off, so that
// memory does not grow with the length of the run (the log file still gets every line).
void Headless_set_recording(bool on);
const std::vector<RecordedBox>& Headless_boxes();
const std::vector<std::string>& Headless_log_lines();
const uint32_t* Headless_window_picture();
int Headless_present_count();

// Tests of the name dialog itself: while on, the platform leaves the prompt to the engine, which
// shows it in the window and reads the queued events (TextInput, keys, clicks) like a player's.
void Headless_set_input_in_window(bool on);

// True while the engine has typed-text delivery switched on (Platform_text_input).
bool Headless_text_input_on();
