// Start-up and shutdown of the engine.
#pragma once

// The start-up sequence, once the window is shown: the three surfaces and their pictures, the
// shake offsets, the background onto BackBuffer, the mouse record, the first script, the initial
// switches (stepping and the system menu on) and a first save point.
void System_init();

// Stops the MIDI music, the MP3 music and the sound effect, and asks the main loop to end with
// exit code 0; the frame or handler that called it runs to its end first.
void System_exit();

// System_exit with another exit code (a game that cannot start ends with 1).
void System_exit_with(int code);

// Posts a close request to the window: once control is back in the main loop, the window is
// closed as if the player had closed it, which ends the program.
void System_post_close();

// Takes one posted close request; true if there was one.
bool System_take_close_request();

// True once System_exit has asked the loop to end; *code is the exit code.
bool System_quit_requested(int* code);

// Back to the state before start-up, for tests: every module's live state cleared.
void System_reset();
