#include "app/engine_main.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "app/command_words.h"
#include "app/frame_loop.h"
#include "app/headless_probe.h"
#include "app/options.h"
#include "app/system.h"
#include "check/game_check.h"
#include "core/lifecycle.h"
#include "platform/headless/headless.h"
#include "platform/host_files.h"
#include "script/string_vars.h"

namespace {

// --check: the game's scripts checked in its folder, nothing played or shown.
int Check_main(const Options& options) {
    std::string error;
    if (!Host_change_folder(options.game_dir, &error)) {
        std::fprintf(stderr, "kotoyumi: cannot enter the game folder %s: %s\n", options.game_dir.c_str(),
                     error.c_str());
        return 2;
    }
    Platform_use_backend(Headless_backend());
    Command_table_set(CommandWords, COMMAND_WORD_COUNT);
    return Check_game(stdout, options.strict);
}

} // namespace

int Engine_main(int argc, char** argv, const PlatformBackend* (*window_backend)(int scale, bool fullscreen)) {
    const auto started = std::chrono::steady_clock::now();
    Options options;
    std::string error;
    if (!Options_parse(argc, argv, &options, &error)) {
        std::fprintf(stderr, "kotoyumi: %s\n\n%s", error.c_str(), Options_usage());
        return 2;
    }
    if (options.help) {
        std::fputs(Options_usage(), stdout);
        return 0;
    }
    if (options.check) return Check_main(options);
    if (options.headless) {
        // Scenario, log and shot paths are read relative to where the runner was started (the shots
        // folder is made if it is missing).
        HeadlessOptions h{options.events_path, options.log_path, options.shots_dir, options.max_ms};
        if (!Headless_configure(h, &error)) {
            std::fprintf(stderr, "kotoyumi: %s\n", error.c_str());
            return 2;
        }
        Headless_set_recording(false);
        Headless_set_probe(Headless_probe());
        Platform_use_backend(Headless_backend());
    } else {
        Platform_use_backend(window_backend(options.scale, options.fullscreen));
    }
    // Everything the engine reads lies in the game folder: work from inside it.
    if (!Host_change_folder(options.game_dir, &error)) {
        std::fprintf(stderr, "kotoyumi: cannot enter the game folder %s: %s\n", options.game_dir.c_str(),
                     error.c_str());
        return 2;
    }
    if (!Platform_open_window(WINDOW_TITLE_DEFAULT)) {
        // Not a story that ended: a game that could not start says so and ends with 1.
        std::fprintf(stderr, "kotoyumi: cannot open the window (no display?); try --headless\n");
        return 1;
    }
    System_wire();
    System_reset();
    System_init();
    std::function<void()> report_first_frame;
    if (options.report_startup)
        report_first_frame = [started] {
            const auto ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
            std::fprintf(stderr, "kotoyumi: first frame in the window %.1f ms after start\n", ms.count());
        };
    const int code = Main_loop(report_first_frame);
    Platform_close(code);
    return code;
}
