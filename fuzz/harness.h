// Plays the whole engine in this process on the headless platform, frame by frame, for the fuzz
// targets, their corpus replay and the soak run: a game folder of its own, a fresh start at will,
// and input made from bytes.
#pragma once

#include <cstdint>
#include <string>

// Makes a temporary game folder and works from inside it for the rest of the process (removed at
// exit). With `copy_from`, the folder starts as a copy of that game; otherwise it holds small
// start-up pictures only. Later calls do nothing.
void Harness_enter_game(const std::string& copy_from = "");

// Writes `bytes` to `relative` (a host path inside the game folder), making folders as needed.
void Harness_write(const std::string& relative, const std::string& bytes);

// Starts the program afresh, as a player launching it would: clock 0, every module reset, the
// window open, the start-up sequence run (txt/config.txt read).
void Harness_start();

// One input made from three bytes (a kind, and x and y scaled to the window): a press or release
// of either button, a move, a key, or the answer yes/no boxes get from now on; most kinds are
// no input at all, so that the story gets frames to itself.
void Harness_input(uint8_t kind, uint8_t x, uint8_t y);

// Runs one frame of virtual time. False once the program has asked to end (a close request is
// turned into the window closing, as the main loop does).
bool Harness_frame();
