#include "harness.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/frame_loop.h"
#include "app/system.h"
#include "app/window_messages.h"
#include "core/lifecycle.h"
#include "formats/image_decode.h"
#include "platform/headless/headless.h"

namespace fs = std::filesystem;

namespace {

std::string Game_dir;

void Remove_game() {
    std::error_code ignored;
    fs::current_path("/", ignored);
    fs::remove_all(Game_dir, ignored);
}

// Small start-up pictures: a start costs little, so a fuzzer runs many.
void Write_small_pictures() {
    std::vector<uint32_t> back(16 * 16, 0x304060), parts(75 * 25, 0);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 25; ++x)
            parts[y * 75 + x] = 0xFFFFFF;
    const std::vector<uint8_t> b = Bmp_encode_24(back.data(), 16, 16),
                               p = Bmp_encode_24(parts.data(), 75, 25);
    Harness_write("gdat/system/Back00.bmp", std::string(b.begin(), b.end()));
    Harness_write("gdat/system/Parts.bmp", std::string(p.begin(), p.end()));
}

} // namespace

void Harness_enter_game(const std::string& copy_from) {
    if (!Game_dir.empty()) return;
    // In memory where the system offers it: a fuzzer writes a file for every input.
    std::error_code no_shm;
    std::string pattern = fs::is_directory("/dev/shm", no_shm) ? "/dev/shm" : "/tmp";
    pattern += "/kotoyumi-harness-XXXXXX";
    const char* made = ::mkdtemp(pattern.data());
    if (made == nullptr) std::abort();
    Game_dir = made;
    std::atexit(Remove_game);
    if (!copy_from.empty())
        fs::copy(copy_from, Game_dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::current_path(Game_dir);
    if (copy_from.empty()) Write_small_pictures();
    System_wire();
    System_wire_runner();
}

void Harness_write(const std::string& relative, const std::string& bytes) {
    const fs::path path = fs::path(Game_dir) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void Harness_start() {
    Headless_reset();
    Headless_set_recording(false);
    Platform_use_backend(Headless_backend());
    Platform_open_window("harness");
    System_reset();
    System_init();
}

void Harness_input(uint8_t kind, uint8_t x, uint8_t y) {
    static const int KEYS[] = {KEY_RETURN, KEY_SPACE, KEY_ESCAPE,    'a',
                               KEY_TAB,    KEY_SHIFT, KEY_BACKSPACE, 'y'};
    PlatformEvent e;
    e.x = x * 640 / 256;
    e.y = y * 480 / 256;
    switch (kind % 16) {
    case 0: // left press, release; right press, release
    case 1:
    case 2:
    case 3:
        e.type = kind % 2 ? EventType::MouseUp : EventType::MouseDown;
        e.button = kind % 16 < 2 ? 1 : 2;
        e.buttons = kind % 2 ? 0 : e.button == 1 ? MK_LBUTTON : MK_RBUTTON;
        break;
    case 4:
        e.type = EventType::MouseMove;
        break;
    case 5:
        // Escape ends the program, which ends the input's run early; it comes only from the high bit.
        e.type = EventType::KeyDown;
        e.key = KEYS[kind >> 4 & 7];
        if (e.key == KEY_ESCAPE && kind < 0x80) e.key = KEY_RETURN;
        break;
    case 6:
        Headless_set_unqueued_answer(kind & 0x10 ? BoxAnswer::Yes : BoxAnswer::No);
        return;
    default:
        return;
    }
    if (e.button != 0)
        Headless_set_key(-int(e.button == 1 ? MK_LBUTTON : MK_RBUTTON), e.type == EventType::MouseDown);
    WndProc(e);
}

bool Harness_frame() {
    int code = 0;
    if (System_quit_requested(&code)) return false;
    if (System_take_close_request()) {
        PlatformEvent closed;
        closed.type = EventType::WindowClosed;
        WndProc(closed);
    }
    Headless_advance(FRAME_PERIOD_MS);
    Main_task();
    return !System_quit_requested(&code);
}
