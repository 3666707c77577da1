#include "comforts/screenshot.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include "core/path.h"
#include "core/run_log.h"
#include "formats/png_file.h"
#include "platform/host_files.h"
#include "platform/platform.h"
#include "ui/ui_host.h"

namespace {
const char* const FOLDER = "screenshots";

bool Fail(std::string* result, const std::string& reason) {
    *result = reason;
    std::fprintf(stderr, "kotoyumi: cannot write a screenshot into %s/: %s\n", FOLDER, reason.c_str());
    return false;
}

} // namespace

bool Screenshot_take(std::string* result) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string folder;
    if (!Game_path(FOLDER, &folder))
        return Fail(result, "フォルダ screenshots がゲームのフォルダの外を指しています");
    if (!Host_make_folder(folder)) return Fail(result, "フォルダ screenshots を作れません");
    std::string path = folder + "/" + stamp + ".png";
    for (int n = 2; Host_exists(path); ++n)
        path = folder + "/" + stamp + "-" + std::to_string(n) + ".png";
    std::vector<uint8_t> png;
    std::string error;
    if (!Png_encode(Ui_window_picture(), WINDOW_WIDTH, WINDOW_HEIGHT, &png))
        return Fail(result, "画像を作れません");
    if (!Host_write_file(path, png.data(), png.size(), &error))
        return Fail(result, "書き込めません（" + error + "）");
    Run_log(("screenshot \"" + Platform_log_escape(path) + "\"").c_str());
    *result = path;
    return true;
}
