// Per-frame costs: whole-picture copy and constant-alpha blend, an idle frame, a frame whose
// picture changed (composed into the window picture and handed to the platform), one whose only
// change is the click-wait icon, and drawing into the window all of the picture or just the icon.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/frame_loop.h"
#include "app/system.h"
#include "bench_engine.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/surface.h"
#include "platform/headless/headless.h"
#include "platform/sdl/window_scaling.h"

namespace {

Surface Pattern(uint32_t seed) {
    Surface s;
    Surface_create(&s, 640, 480);
    for (size_t i = 0; i < s.pixels.size(); ++i)
        s.pixels[i] = uint32_t(i * 2654435761u + seed) & 0xFFFFFF;
    return s;
}

void BM_Copy640x480(benchmark::State& state) {
    Surface a = Pattern(1), b = Pattern(2);
    for (auto _ : state) {
        Surface_copy(&a, 0, 0, 640, 480, &b, 0, 0);
        benchmark::DoNotOptimize(a.pixels.data());
    }
}
BENCHMARK(BM_Copy640x480)->Unit(benchmark::kMillisecond);

void BM_Blend640x480(benchmark::State& state) {
    Surface a = Pattern(1), b = Pattern(2);
    int alpha = 0;
    for (auto _ : state) {
        Surface_blend(&a, 0, 0, 640, 480, &b, 0, 0, alpha = (alpha + 12) % 256);
        benchmark::DoNotOptimize(a.pixels.data());
    }
}
BENCHMARK(BM_Blend640x480)->Unit(benchmark::kMillisecond);

void Start() {
    Bench_start_engine();
    Surface_create(&BackBuffer, 640, 480);
    Game_stat.text_on = 0;
}

void BM_IdleFrame(benchmark::State& state) {
    Start();
    for (auto _ : state) {
        Headless_advance(FRAME_PERIOD_MS);
        Main_task();
    }
}
BENCHMARK(BM_IdleFrame)->Unit(benchmark::kMicrosecond);

void BM_FrameWithChangedPicture(benchmark::State& state) {
    Start();
    for (auto _ : state) {
        Surface_fill(&BackBuffer, 0, 0, 1, 1, uint32_t(state.iterations()));
        Headless_advance(FRAME_PERIOD_MS);
        Main_task();
    }
}
BENCHMARK(BM_FrameWithChangedPicture)->Unit(benchmark::kMillisecond);

// The blink: a 25x25 change, composed, handed over and taken into the runner's picture.
void BM_FrameWithIconChange(benchmark::State& state) {
    Start();
    for (auto _ : state) {
        Surface_fill(&BackBuffer, 600, 440, 625, 465, uint32_t(state.iterations()));
        Headless_advance(FRAME_PERIOD_MS);
        Main_task();
    }
}
BENCHMARK(BM_FrameWithIconChange)->Unit(benchmark::kMicrosecond);

// Drawing into a window twice the picture's size: all of it, or only the icon's part.
void BM_WindowDraw(benchmark::State& state) {
    const Surface picture = Pattern(3);
    const int w = 1280, h = 960;
    std::vector<uint32_t> window(size_t(w) * h);
    const WindowFit fit = Window_fit(w, h);
    for (auto _ : state) {
        if (state.range(0) == 0)
            Window_draw(picture.pixels.data(), fit, window.data(), w, h, size_t(w) * 4);
        else
            Window_draw_part(picture.pixels.data(), fit, window.data(), w, h, size_t(w) * 4, 600, 440, 25,
                             25);
        benchmark::DoNotOptimize(window.data());
    }
}
BENCHMARK(BM_WindowDraw)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
