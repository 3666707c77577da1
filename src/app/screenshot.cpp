#include "app/screenshot.h"

#include <cstdio>
#include <ctime>

#include "app/present.h"
#include "platform/host_files.h"
#include "platform/platform.h"
#include "platform/png_file.h"

namespace {
const char* const FOLDER = "screenshots";
}

std::string Screenshot_take() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string path;
    if (Host_make_folder(FOLDER)) {
        path = std::string(FOLDER) + "/" + stamp + ".png";
        for (int n = 2; Host_exists(path); ++n)
            path = std::string(FOLDER) + "/" + stamp + "-" + std::to_string(n) + ".png";
        if (Png_write(path.c_str(), Present_window_picture(), WINDOW_WIDTH, WINDOW_HEIGHT)) {
            Platform_log(("screenshot \"" + Platform_log_escape(path) + "\"").c_str());
            return path;
        }
    }
    std::fprintf(stderr, "kotoyumi: cannot write a screenshot into %s/\n", FOLDER);
    return "";
}
