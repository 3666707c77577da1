// The soak run: a game (the demo) played in this process for hours of virtual time with random
// clicks, right clicks, keys, menu use, saves and loads, started again whenever it ends. Prints the
// resident memory every virtual hour and fails if it grew by more than 1 MB after the first hour.
// Usage: kotoyumi_soak GAME_DIR [HOURS] [SEED]
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/game_stat.h"
#include "harness.h"

namespace {

constexpr uint64_t FRAMES_PER_HOUR = 3600 * 1000 / 16;
constexpr long GROWTH_LIMIT_KB = 1024;

long Resident_kb() {
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Counts slot files written since the last look, by their change times.
int Saves_since_last_look() {
    static long long seen[8] = {};
    int saves = 0;
    for (int slot = 0; slot < 8; ++slot) {
        struct stat st {};
        const std::string name = "SAVE/data0" + std::to_string(slot) + ".svd";
        if (::stat(name.c_str(), &st) != 0) continue;
        const long long stamp = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
        saves += stamp != seen[slot];
        seen[slot] = stamp;
    }
    return saves;
}

uint8_t Byte_x(int x) {
    return uint8_t(x * 256 / 640);
}
uint8_t Byte_y(int y) {
    return uint8_t(y * 256 / 480);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kotoyumi_soak GAME_DIR [HOURS] [SEED]\n");
        return 2;
    }
    const int hours = argc > 2 ? std::atoi(argv[2]) : 10;
    std::mt19937 random(argc > 3 ? unsigned(std::atoi(argv[3])) : 1u);
    const auto chance = [&](int in) { return int(random() % unsigned(in)) == 0; };
    Harness_enter_game(argv[1]);
    Harness_start();

    long warm_kb = 0, end_kb = 0;
    uint64_t restarts = 0, inputs = 0, menus = 0, loads = 0, saves = 0;
    int menu_x = 320, menu_y = 240, release_in = -1, release_kind = 0, release_x = 0, release_y = 0;
    for (uint64_t frame = 1; frame <= FRAMES_PER_HOUR * uint64_t(hours); ++frame) {
        // Input about three times a second: mostly clicks; right clicks open the system menu at a
        // wait, and while a menu is open most clicks land on it (it opens where the mouse was).
        const int menu_before = Game_stat.SystemMenuState;
        if (release_in >= 0 && release_in-- == 0) Harness_input(uint8_t(release_kind), release_x, release_y);
        if (release_in < 0 && chance(20)) {
            ++inputs;
            const int what = int(random() % 100);
            int x = int(random() % 640), y = int(random() % 480);
            if (menu_before != 0 && what < 80) {
                const int w = menu_before == 101 ? 100 : 300, h = menu_before == 101 ? 120 : 200;
                x = std::min(menu_x, 640 - w) + int(random() % unsigned(w));
                y = std::min(menu_y, 480 - h) + int(random() % unsigned(h));
                release_kind = 1;
            } else if (what < 75) {
                release_kind = 1;
            } else if (what < 85) {
                release_kind = 3;
                menu_x = x, menu_y = y;
            } else {
                release_kind = -1;
                if (what < 92)
                    Harness_input(uint8_t(random() % 2 ? 0x06 : 0x16), 0, 0); // yes or no from now on
                else
                    Harness_input(uint8_t(0x05 | (random() % 8) << 4), 0, 0); // a key, never Escape
            }
            if (release_kind > 0) {
                release_x = Byte_x(x), release_y = Byte_y(y);
                Harness_input(uint8_t(release_kind - 1), release_x, release_y);
                release_in = 3;
            }
        }
        if (!Harness_frame()) {
            ++restarts;
            Harness_start();
            release_in = -1;
        }
        menus += menu_before == 0 && Game_stat.SystemMenuState != 0;
        loads += menu_before != 106 && Game_stat.SystemMenuState == 106;
        if (frame % 60 == 0) saves += Saves_since_last_look();
        if (frame % FRAMES_PER_HOUR == 0) {
            end_kb = Resident_kb();
            if (frame == FRAMES_PER_HOUR) warm_kb = end_kb;
            std::printf("soak: hour %llu  resident %ld KiB  inputs %llu  menus %llu  saves %llu  loads %llu"
                        "  restarts %llu\n",
                        (unsigned long long)(frame / FRAMES_PER_HOUR), end_kb, (unsigned long long)inputs,
                        (unsigned long long)menus, (unsigned long long)saves, (unsigned long long)loads,
                        (unsigned long long)restarts);
            std::fflush(stdout);
        }
    }
    const long growth = end_kb - warm_kb;
    std::printf("soak: %d hours; resident after the first hour %ld KiB, at the end %ld KiB (%+ld KiB)\n",
                hours, warm_kb, end_kb, growth);
    if (growth > GROWTH_LIMIT_KB) {
        std::printf("soak: FAILED, memory grew by more than %ld KiB\n", GROWTH_LIMIT_KB);
        return 1;
    }
    return 0;
}
