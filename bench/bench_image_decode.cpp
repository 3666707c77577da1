// Picture decoding from memory at the window's size: what a player waits for on every picture
// command and at start-up.
#include "formats/image_decode.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "make_demo_assets/demo_assets.h"

namespace {

constexpr int W = 640;
constexpr int H = 480;

// Smooth gradients with some fine texture, so the JPEG has the detail of a real background.
std::vector<uint32_t> Make_pixels() {
    std::vector<uint32_t> pixels(size_t(W) * H);
    uint32_t seed = 1;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 28) - 8;
            const int r = std::clamp(int(120 + 100 * std::sin(x / 90.0)) + grain, 0, 255);
            const int g = std::clamp(int(80 + y * 0.3) + grain, 0, 255);
            const int b = std::clamp(int(140 + 90 * std::cos((x + y) / 70.0)) + grain, 0, 255);
            pixels[size_t(y) * W + x] = uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
        }
    }
    return pixels;
}

std::vector<uint8_t> Make_jpeg(const std::vector<uint32_t>& pixels, bool progressive) {
    const Picture picture{W, H, pixels};
    std::vector<uint8_t> file;
    Jpeg_encode(picture, JpegSettings{90, progressive}, &file);
    return file;
}

void Decode_loop(benchmark::State& state, const std::vector<uint8_t>& file) {
    DecodedImage image;
    std::string error;
    for (auto _ : state) {
        if (!Image_decode(file.data(), file.size(), &image, &error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}

void BM_JpegDecodeBaseline640x480(benchmark::State& state) {
    static const std::vector<uint8_t> file = Make_jpeg(Make_pixels(), false);
    Decode_loop(state, file);
}
BENCHMARK(BM_JpegDecodeBaseline640x480)->Unit(benchmark::kMillisecond);

void BM_JpegDecodeProgressive640x480(benchmark::State& state) {
    static const std::vector<uint8_t> file = Make_jpeg(Make_pixels(), true);
    Decode_loop(state, file);
}
BENCHMARK(BM_JpegDecodeProgressive640x480)->Unit(benchmark::kMillisecond);

void BM_BmpDecode24Bit640x480(benchmark::State& state) {
    static const std::vector<uint8_t> file = [] {
        const std::vector<uint32_t> pixels = Make_pixels();
        return Bmp_encode_24(pixels.data(), W, H);
    }();
    Decode_loop(state, file);
}
BENCHMARK(BM_BmpDecode24Bit640x480)->Unit(benchmark::kMillisecond);

} // namespace
