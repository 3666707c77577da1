// Scenario files of the headless runner: one command per line, `#` starts a comment.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScenarioCommand {
    enum Kind {
        Run,     // ms
        Move,    // x, y
        Down,    // button, x, y
        Up,      // button, x, y
        Key,     // key: a press and a release
        Hold,    // key
        Release, // key
        Answer,  // text: "ok", "yes" or "no"
        Input,   // text (UTF-8)
        InputCancel,
        Shot,     // text: file
        Until,    // text: condition, ms
        MusicEnd, // the end-of-play notification of the music device
        Comfort,  // text: "skip" or "auto", x: 1 on, 0 off; or "reload"
        Wheel,    // y: notches, up positive
        Set,      // text: a player setting's name, value: its value
    };
    Kind kind = Run;
    int line = 0;
    uint32_t ms = 0;
    int x = 0, y = 0;
    int button = 1;
    int key = 0;
    std::string text;
    std::string value;
};

// Parses a scenario. `click`, `rclick` and `middle` become Down, Run 50, Up.
// `set NAME VALUE` takes text-click on|off, text-speed 25-200|instant, skip-mode read|all and
// auto-pace 25-400. False with "line N: reason" in
// *error for a line it does not understand.
bool Scenario_parse(const std::string& source, std::vector<ScenarioCommand>* out, std::string* error);

// The key code for a scenario key name (Return, space, Escape, shift, ctrl, Up, Down, Left, Right,
// PageUp, PageDown, plus, minus, F1-F5, F12, or one letter); 0 if unknown.
int Scenario_key_code(const std::string& name);
