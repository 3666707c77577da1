// make_icons OUT_DIR: the application icon for the desktop's hicolor theme, drawn by the engine's
// own emblem code at each size the theme asks for: OUT_DIR/NxN/apps/kotoyumi.png.
#include <cstdio>
#include <filesystem>
#include <string>

#include "formats/png_file.h"
#include "platform/sdl/icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUT_DIR\n");
        return 2;
    }
    for (int size : {32, 48, 64, 128, 256}) {
        const std::string side = std::to_string(size);
        const std::filesystem::path folder = std::filesystem::path(argv[1]) / (side + "x" + side) / "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        const std::string path = (folder / "kotoyumi.png").string();
        if (!Png_write(path.c_str(), Icon_render(size).data(), size, size, true)) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
