#include "app/game_folder.h"

#include "platform/host_files.h"

std::string Game_folder_to_play() {
    std::string txt, config;
    if (Host_find_ignoring_case("", "txt", &txt) && Host_find_ignoring_case(txt, "config.txt", &config))
        return ".";
    const std::string demo = Host_shipped_folder("demo");
    return demo.empty() ? "." : demo;
}
