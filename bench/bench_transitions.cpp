// The picture effects a player watches frame by frame: one step of each transition, of a shake and
// of each fade (each must fit well inside a 16 ms frame), and `g_load` of a 640x480 JPEG from disk
// (the pause before a new picture can be shown).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "features/shake_fade.h"
#include "features/transition.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/picture_load.h"
#include "make_demo_assets/demo_assets.h"
#include "platform/headless/headless.h"

namespace {

constexpr int W = 640;
constexpr int H = 480;

void Fill(Surface* s, uint32_t seed) {
    Surface_create(s, W, H);
    for (size_t i = 0; i < s->pixels.size(); ++i)
        s->pixels[i] = uint32_t(i * 2654435761u + seed) & 0xFFFFFF;
}

// The engine as a frame finds it: headless clock, both picture surfaces full.
void Start() {
    Headless_reset();
    Platform_use_backend(Headless_backend());
    Platform_open_window("bench");
    System_reset();
    Transition_reset();
    Shake_fade_reset();
    Fill(&BackBuffer, 1);
    Fill(&BackgroundSurface, 2);
}

// One step of `type` at step value `step`, again and again: the clock moves a frame each time so
// the stopwatch always lets the step through.
void Transition_step(benchmark::State& state, int32_t type, int32_t step) {
    Start();
    for (auto _ : state) {
        TransitionType = type;
        TransitionStep = step;
        Game_stat.g_change_on = 1;
        Headless_advance(16);
        G_change_task();
        benchmark::DoNotOptimize(BackBuffer.pixels.data());
    }
}

void BM_CurtainStep(benchmark::State& state) {
    Transition_step(state, TRANSITION_CURTAIN, 300);
}
BENCHMARK(BM_CurtainStep)->Unit(benchmark::kMicrosecond);

// Tick 20 is the busiest: the most cells copy a square at once.
void BM_SpreadStep(benchmark::State& state) {
    Transition_step(state, TRANSITION_SPREAD, 20);
}
BENCHMARK(BM_SpreadStep)->Unit(benchmark::kMicrosecond);

void BM_StretchXStepScaled(benchmark::State& state) {
    Transition_step(state, TRANSITION_STRETCH_X, 300);
}
BENCHMARK(BM_StretchXStepScaled)->Unit(benchmark::kMicrosecond);

void BM_StretchXStepLast(benchmark::State& state) {
    Transition_step(state, TRANSITION_STRETCH_X, 320);
}
BENCHMARK(BM_StretchXStepLast)->Unit(benchmark::kMicrosecond);

void BM_StretchYStepScaled(benchmark::State& state) {
    Transition_step(state, TRANSITION_STRETCH_Y, 220);
}
BENCHMARK(BM_StretchYStepScaled)->Unit(benchmark::kMicrosecond);

void BM_ShakeStep(benchmark::State& state) {
    Start();
    for (auto _ : state) {
        ShakeType = SHAKE_XY;
        ShakeStep = 5;
        Game_stat.shake_on = 1;
        Headless_advance(64);
        Shake_task();
    }
}
BENCHMARK(BM_ShakeStep)->Unit(benchmark::kMicrosecond);

void Fade_step(benchmark::State& state, void (*task)()) {
    Start();
    Surface_create(&BlackSurface, W, H);
    for (auto _ : state) {
        FadeLevel = 50;
        Headless_advance(64);
        task();
        benchmark::DoNotOptimize(BackBuffer.pixels.data());
    }
}

void BM_FadeOutStep(benchmark::State& state) {
    Fade_step(state, Fade_out_task);
}
BENCHMARK(BM_FadeOutStep)->Unit(benchmark::kMicrosecond);

void BM_FadeInStep(benchmark::State& state) {
    Fade_step(state, Fade_in_task);
}
BENCHMARK(BM_FadeInStep)->Unit(benchmark::kMicrosecond);

// A background with the detail of a painted one (soft shapes, dither-like grain), written as the demo
// writes its pictures: quality 92, full-resolution colour.
std::vector<uint8_t> Painted_jpeg(bool progressive) {
    Picture picture{W, H, std::vector<uint32_t>(size_t(W) * H)};
    uint32_t seed = 7;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const double grain = (double(seed >> 28) - 8) * 0.4;
            const double base = 60 + 50 * std::sin(x / 37.0) * std::cos(y / 23.0) + 0.2 * y;
            uint32_t pixel = 0;
            for (int c = 0; c < 3; ++c)
                pixel = pixel << 8 | uint32_t(std::clamp(base * (0.6 + 0.3 * c) + grain, 0.0, 255.0));
            picture.pixels[size_t(y) * W + x] = pixel;
        }
    }
    std::vector<uint8_t> file;
    Jpeg_encode(picture, JpegSettings{92, progressive}, &file);
    return file;
}

// PXL_LoadJpeg as g_load calls it: name check, file read, decode, copy onto the background.
void Load_from_disk(benchmark::State& state, bool progressive) {
    namespace fs = std::filesystem;
    const fs::path previous = fs::current_path();
    char pattern[] = "/tmp/kotoyumi-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    fs::current_path(pattern);
    fs::create_directories("gdat");
    const std::vector<uint8_t> file = Painted_jpeg(progressive);
    std::ofstream("gdat/bench.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    Start();
    for (auto _ : state) {
        PXL_LoadJpeg(&BackgroundSurface, 0, 0, ".\\gdat\\bench.jpg");
        benchmark::DoNotOptimize(BackgroundSurface.pixels.data());
    }
    if (!Headless_boxes().empty()) state.SkipWithError("the picture did not load");
    state.counters["file_kB"] = double(file.size()) / 1024;
    fs::current_path(previous);
    fs::remove_all(pattern);
}

void BM_GLoadJpegBaseline(benchmark::State& state) {
    Load_from_disk(state, false);
}
BENCHMARK(BM_GLoadJpegBaseline)->Unit(benchmark::kMillisecond);

void BM_GLoadJpegProgressive(benchmark::State& state) {
    Load_from_disk(state, true);
}
BENCHMARK(BM_GLoadJpegProgressive)->Unit(benchmark::kMillisecond);

} // namespace
