// `kotoyumi --new DIR`: a copy of the starter game the engine ships, for an author to build on.
#pragma once

#include <string>

// Copies the shipped starter game into `dir` (made if missing; its parent must exist). Refuses a
// `dir` that exists and is not an empty folder. The exit code: 0 when written, 2 when refused,
// 1 when the starter game is missing or a file cannot be written; the reason on standard error.
int New_game_main(const std::string& dir);
