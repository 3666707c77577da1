#include "app/engine_main.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/command_words.h"
#include "app/frame_loop.h"
#include "app/game_folder.h"
#include "app/headless_probe.h"
#include "app/new_game.h"
#include "app/options.h"
#include "app/system.h"
#include "app/version.h"
#include "check/game_check.h"
#include "check/source_convert.h"
#include "comforts/comfort_marks.h"
#include "comforts/player_settings.h"
#include "comforts/read_text_file.h"
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
    // Sources are read from where the checker was started, before it enters the game folder.
    std::vector<SourceScript> sources;
    if (!options.source_dir.empty()) {
        std::vector<std::string> errors;
        if (!Source_convert_folder(options.source_dir, &sources, &errors)) {
            for (const std::string& line : errors)
                std::printf("%s\n", line.c_str());
            std::printf("%zu error%s: the sources cannot be converted, so nothing was checked\n",
                        errors.size(), errors.size() == 1 ? "" : "s");
            return 1;
        }
    }
    std::string error;
    if (!Host_change_folder(options.game_dir, &error)) {
        std::fprintf(stderr, "kotoyumi: cannot enter the game folder %s: %s\n", options.game_dir.c_str(),
                     error.c_str());
        return 2;
    }
    Platform_use_backend(Headless_backend());
    Command_table_set(CommandWords, COMMAND_WORD_COUNT);
    return Check_game(stdout, options.strict, options.source_dir.empty() ? nullptr : &sources);
}

} // namespace

int Engine_main(int argc, char** argv,
                const PlatformBackend* (*window_backend)(int scale, bool fullscreen, bool reverb),
                std::string (*window_libraries)()) {
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
    if (options.version) {
        std::fputs(Version_text(window_libraries()).c_str(), stdout);
        return 0;
    }
    if (options.check) return Check_main(options);
    if (!options.convert_dir.empty())
        return Source_convert_main(options.convert_dir, options.game_dir, stdout);
    if (!options.new_dir.empty()) return New_game_main(options.new_dir);
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
    if (!options.headless && !options.game_dir_given) {
        options.game_dir = Game_folder_to_play();
        if (options.game_dir != ".")
            std::fprintf(stderr, "kotoyumi: no game in the current folder; playing the demo game in %s\n",
                         options.game_dir.c_str());
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
    // The runner plays with the player's defaults but skips everything, and keeps no record.
    if (options.headless) settings.skip_read_only = false;
    Player_settings_apply(settings);
    Player_settings_remember_in(settings_path);
    Read_text_file_use(options.headless || Host_data_home().empty()
                           ? ""
                           : Read_text_path(Host_data_home(), Host_current_folder()));
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
    if (!settings_path.empty()) Settings_save(settings_path, Player_settings_now());
    Read_text_file_write();
    Platform_close(code);
    return options.headless && Headless_log_failed() ? 1 : code;
}
