#include "app/options.h"

#include <cstring>

namespace {

// A number written in decimal digits only: no sign, no blanks, nothing after it (strtoull alone
// would take " 3" and "+3").
bool Number(const char* text, unsigned long long high, unsigned long long* value) {
    if (!text || *text == '\0') return false;
    unsigned long long v = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
        v = v * 10 + unsigned(*c - '0');
        if (v > high) return false;
    }
    *value = v;
    return true;
}

} // namespace

const char* Options_usage() {
    return "usage: kotoyumi [--scale N] [--fullscreen] [GAME_DIR]\n"
           "       kotoyumi --check [--strict] [--source SRC_DIR] [GAME_DIR]\n"
           "       kotoyumi --convert SRC_DIR [GAME_DIR]\n"
           "       kotoyumi --new DIR\n"
           "       kotoyumi --headless [--events FILE] [--log FILE] [--shots DIR] [--max-ms N] [GAME_DIR]\n"
           "       kotoyumi --version\n"
           "\n"
           "Plays the game in GAME_DIR (default: the current folder; in a window, the demo game when the\n"
           "current folder holds no game). The window's scale, full screen and the volume are remembered\n"
           "per game in $XDG_CONFIG_HOME/kotoyumi/ (or ~/.config/kotoyumi/); --scale and --fullscreen\n"
           "override them.\n"
           "  --scale N        show the 640x480 picture N times larger (1-8)\n"
           "  --fullscreen     start in full screen (Alt+Enter switches)\n"
           "  --headless       no window and no sound; a virtual clock and scripted input\n"
           "  --events FILE    the scenario to play (without it the runner plays on its own)\n"
           "  --log FILE       write the run log (boxes, titles, sounds, exit) to FILE\n"
           "  --shots DIR      when playing on its own, save a PNG at every click\n"
           "  --max-ms N       when playing on its own, stop after N virtual ms (default 600000)\n"
           "  --check          check every script of the game and list each problem (exit 1 if any error)\n"
           "  --strict         with --check: warnings count as errors\n"
           "  --source SRC_DIR with --check: check SRC_DIR's UTF-8 scripts in place of the game's txt/\n"
           "  --convert SRC_DIR convert SRC_DIR's UTF-8 *.txt into GAME_DIR/txt/ (Shift-JIS, CR LF)\n"
           "  --new DIR        write a small starter game into DIR (new or empty) to build on\n"
           "  --report-startup print how long the first frame took to reach the window\n"
           "  --version        print the engine's version and those of the libraries it runs with\n";
}

bool Options_parse(int argc, char** argv, Options* out, std::string* error) {
    bool dir_seen = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long long n = 0;
        auto need = [&](std::string* field) {
            if (!next) {
                *error = std::string(a) + " needs a value";
                return false;
            }
            *field = next;
            ++i;
            return true;
        };
        if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h")) {
            out->help = true;
        } else if (!std::strcmp(a, "--version")) {
            out->version = true;
        } else if (!std::strcmp(a, "--check")) {
            out->check = true;
        } else if (!std::strcmp(a, "--strict")) {
            out->strict = true;
        } else if (!std::strcmp(a, "--headless")) {
            out->headless = true;
        } else if (!std::strcmp(a, "--fullscreen")) {
            out->fullscreen = out->fullscreen_given = true;
        } else if (!std::strcmp(a, "--report-startup")) {
            out->report_startup = true;
        } else if (!std::strcmp(a, "--events")) {
            if (!need(&out->events_path)) return false;
        } else if (!std::strcmp(a, "--source")) {
            if (!need(&out->source_dir)) return false;
        } else if (!std::strcmp(a, "--convert")) {
            if (!need(&out->convert_dir)) return false;
        } else if (!std::strcmp(a, "--new")) {
            if (!need(&out->new_dir)) return false;
        } else if (!std::strcmp(a, "--log")) {
            if (!need(&out->log_path)) return false;
        } else if (!std::strcmp(a, "--shots")) {
            if (!need(&out->shots_dir)) return false;
        } else if (!std::strcmp(a, "--max-ms")) {
            if (!Number(next, UINT32_MAX, &n)) {
                *error = "--max-ms needs a number of milliseconds";
                return false;
            }
            out->max_ms = uint32_t(n);
            ++i;
        } else if (!std::strcmp(a, "--scale")) {
            if (!Number(next, 8, &n) || n == 0) {
                *error = "--scale needs a whole number from 1 to 8";
                return false;
            }
            out->scale = int(n);
            out->scale_given = true;
            ++i;
        } else if (a[0] == '-' && a[1] != '\0') {
            *error = std::string("unknown option ") + a;
            return false;
        } else if (dir_seen) {
            *error = "only one game folder can be given";
            return false;
        } else {
            out->game_dir = a;
            out->game_dir_given = dir_seen = true;
        }
    }
    if (out->strict && !out->check) {
        *error = "--strict goes with --check";
        return false;
    }
    if (!out->source_dir.empty() && !out->check) {
        *error = "--source goes with --check";
        return false;
    }
    if (int(out->check) + int(out->headless) + int(!out->convert_dir.empty()) + int(!out->new_dir.empty()) >
        1) {
        *error = "--check, --headless, --convert and --new cannot go together";
        return false;
    }
    if (!out->new_dir.empty() && dir_seen) {
        *error = "--new takes its folder alone";
        return false;
    }
    return true;
}
