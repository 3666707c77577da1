#include "test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/frame_loop.h"
#include "app/system.h"
#include "core/lifecycle.h"
#include "formats/image_decode.h"
#include "platform/headless/headless.h"

namespace fs = std::filesystem;

void EngineTest::SetUp() {
    previous_dir = fs::current_path().string();
    char pattern[] = "/tmp/kotoyumi-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    game_dir = pattern;
    fs::current_path(game_dir);
    Headless_reset();
    Platform_use_backend(Headless_backend());
    Platform_open_window("test");
    System_wire();
    System_wire_runner();
    System_reset();
}

void EngineTest::TearDown() {
    fs::current_path(previous_dir);
    std::error_code ignored;
    fs::remove_all(game_dir, ignored);
}

void EngineTest::Write_file(const std::string& relative, const std::string& bytes) {
    fs::path path = fs::path(game_dir) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void EngineTest::Write_bmp(const std::string& relative, int w, int h,
                           const std::function<uint32_t(int, int)>& paint) {
    std::vector<uint32_t> pixels(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels[size_t(y) * w + x] = paint(x, y);
    std::vector<uint8_t> file = Bmp_encode_24(pixels.data(), w, h);
    Write_file(relative, std::string(file.begin(), file.end()));
}

uint32_t Test_background_pixel(int x, int y) {
    return uint32_t((x & 0xFF) << 16 | (y & 0xFF) << 8 | 0x40);
}

void EngineTest::Write_startup_pictures() {
    Write_bmp("gdat/system/Back00.bmp", 640, 480, Test_background_pixel);
    Write_bmp("gdat/system/Parts.bmp", 75, 25, [](int x, int) { return x < 25 ? 0xFFFFFFu : 0u; });
    Write_file("txt/config.txt", "#delay 999999999\r\n");
}

void EngineTest::Run_frames(int n) {
    for (int i = 0; i < n; ++i) {
        Headless_advance(FRAME_PERIOD_MS);
        Main_task();
    }
}

std::string Test_wav(uint32_t rate, uint32_t data_bytes, uint32_t claimed) {
    const auto le32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    return "RIFF" + le32(36 + data_bytes) + "WAVEfmt " + le32(16) + std::string("\1\0\1\0", 4) + le32(rate) +
           le32(rate) + std::string("\1\0\x08\0", 4) + "data" + le32(claimed ? claimed : data_bytes) +
           std::string(data_bytes, '\x80');
}
