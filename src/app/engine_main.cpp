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
#include "comforts/comfort_marks.h"
#include "comforts/settings_file.h"
#include "core/lifecycle.h"
#include "gfx/font.h"
#include "platform/headless/headless.h"
#include "platform/host_files.h"
#include "script/string_vars.h"
#include "sound/volume.h"

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

int Engine_main(int argc, char** argv,
                const PlatformBackend* (*window_backend)(int scale, bool fullscreen, bool reverb)) {
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
    }
    // Everything the engine reads lies in the game folder: work from inside it.
    if (!Host_change_folder(options.game_dir, &error)) {
        std::fprintf(stderr, "kotoyumi: cannot enter the game folder %s: %s\n", options.game_dir.c_str(),
                     error.c_str());
        return 2;
    }
    // The window remembers the player's settings; the runner's runs depend on nothing but the scenario.
    PlayerSettings settings;
    std::string settings_path, settings_ignored;
    if (!options.headless) {
        if (!Host_config_folder().empty())
            settings_path = Settings_path(Host_config_folder(), Host_current_folder());
        if (!settings_path.empty()) Settings_load(settings_path, &settings, &settings_ignored);
        if (options.scale_given) settings.scale = options.scale;
        if (options.fullscreen_given) settings.fullscreen = true;
        Platform_use_backend(window_backend(settings.scale, settings.fullscreen, settings.reverb));
    }
    // The first text's glyphs need the faces: they are found while the window opens.
    Font_init_start();
    if (!Platform_open_window(WINDOW_TITLE_DEFAULT)) {
        // Not a story that ended: a game that could not start says so and ends with 1.
        std::fprintf(stderr, "kotoyumi: cannot open the window (no display?); try --headless\n");
        return 1;
    }
    System_wire();
    if (options.headless) System_wire_runner();
    System_reset();
    if (!options.headless) Volume_set(settings.volume);
    System_init();
    // The player learns why the remembered settings did not come back, not only standard error.
    if (!settings_ignored.empty()) Marks_show_note("設定ファイルを読めないので、既定の設定で始めます");
    std::function<void()> report_first_frame;
    if (options.report_startup)
        report_first_frame = [started] {
            const auto ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
            std::fprintf(stderr, "kotoyumi: first frame in the window %.1f ms after start\n", ms.count());
        };
    const int code = Main_loop(report_first_frame);
    if (!settings_path.empty()) {
        Platform_window_mode(&settings.scale, &settings.fullscreen);
        settings.volume = Volume;
        Settings_save(settings_path, settings);
    }
    Platform_close(code);
    return options.headless && Headless_log_failed() ? 1 : code;
}
