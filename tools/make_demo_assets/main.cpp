// make_demo_assets SRC_DEMO_DIR OUT_GAME_DIR: builds the demo game folder from the repository's
// demo sources (see demo_assets.h). Exits with 1 and a message naming the file on any failure.
#include "demo_assets.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_demo_assets SRC_DEMO_DIR OUT_GAME_DIR\n");
        return 2;
    }
    std::string error;
    if (!Copy_demo_tree(argv[1], argv[2], &error) || !Generate_pictures(argv[2], &error) ||
        !Generate_sounds(argv[2], &error)) {
        std::fprintf(stderr, "make_demo_assets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
