// The end of the program and the modules' start-up state.
//
// Any layer may end the program (a click after `halt`, a fatal script error, Escape); ending stops
// the music and the sound effect first. The app layer hands over, at start-up, the table of every
// module that keeps state: its reset (back to start-up state), its stop (silence what it plays
// before the program ends), and where it owns saved state, its save (its part of the snapshot
// record) and its restore (its live state back from a loaded record), so none of these lists is
// kept by hand in more than one place.
#pragma once

#include <cstddef>

struct SaveStat;

struct EngineModule {
    const char* name;
    void (*reset)();                         // back to the start-up state; may be nullptr
    void (*stop)();                          // stops what it plays when the program ends; may be nullptr
    void (*save)(SaveStat* record);          // writes its part of the record; may be nullptr
    void (*restore)(const SaveStat& record); // rebuilds its live state from it; may be nullptr
};

// The modules, in the order their stops, resets, saves and restores run.
void Engine_modules_set(const EngineModule* modules, size_t count);

// Every module back in its start-up state, and no end of program requested.
void System_reset();

// A save point: every module writes its part of *record.
void Engine_modules_save(SaveStat* record);

// A load: every module rebuilds its live state from `record`.
void Engine_modules_restore(const SaveStat& record);

// Stops the MIDI music, the MP3 music and the sound effect, and asks the main loop to end with
// exit code 0; the frame or handler that called it runs to its end first.
void System_exit();

// System_exit with another exit code (a game that cannot start ends with 1). The first request
// decides the code.
void System_exit_with(int code);

// Posts a close request to the window after a fatal script error: once control is back in the
// main loop, the window is closed as if the player had closed it, and the program ends with 1.
void System_post_close();

// Takes one posted close request; true if there was one.
bool System_take_close_request();

// The exit code of a program that ends after a fatal script error.
constexpr int EXIT_SCRIPT_ERROR = 1;

// True once System_exit has asked the loop to end; *code is the exit code.
bool System_quit_requested(int* code);
