// The command line of the engine.
#pragma once

#include <cstdint>
#include <string>

struct Options {
    std::string game_dir = ".";
    bool game_dir_given = false;
    bool headless = false;
    std::string events_path;
    std::string log_path;
    std::string shots_dir;
    uint32_t max_ms = 600000;
    int scale = 1;
    bool fullscreen = false;
    bool scale_given = false; // on the command line, overriding the remembered settings
    bool fullscreen_given = false;
    bool report_startup = false;
    bool help = false;
    bool version = false;
    bool check = false;      // check the scripts instead of playing
    bool strict = false;     // with check: warnings count as errors
    std::string source_dir;  // with check: UTF-8 scripts that stand in for the game's txt/
    std::string convert_dir; // convert the UTF-8 scripts here into the game's txt/
    std::string new_dir;     // write a new starter game here
};

// Reads the arguments. False with a one-line reason in *error for anything it does not understand.
bool Options_parse(int argc, char** argv, Options* out, std::string* error);

// The usage text printed by --help and after a bad command line.
const char* Options_usage();
