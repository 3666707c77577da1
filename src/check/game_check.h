// `kotoyumi --check`: every script of the game in the current folder checked at once, without
// playing it. Scripts are read from txt/config.txt on, following every file change that names a
// script that is there, then every other script in txt/.
#pragma once

#include <cstdio>
#include <vector>

struct SourceScript;

// Checks the game, prints one line per finding and a summary line to `out`. Returns 0 without
// errors, 1 with errors (with `strict`, warnings count as errors). The engine's command table must
// have been handed to the script layer. With `sources` (check/source_convert.h), those scripts,
// converted in memory, stand in for the game's txt/ files, and findings in them name the sources.
// With `out` nullptr nothing is printed and the findings stay for the caller (check/findings.h).
int Check_game(FILE* out, bool strict, const std::vector<SourceScript>* sources = nullptr);
