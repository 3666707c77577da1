// Picture decoding from memory at the window's size: what a player waits for on every picture
// command and at start-up.
#include "gfx/image_decode.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

// clang-format off
#include <jpeglib.h>
// clang-format on

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
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = W;
    cinfo.image_height = H;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(W * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint32_t* src = pixels.data() + size_t(cinfo.next_scanline) * W;
        for (int x = 0; x < W; ++x) {
            row[x * 3] = uint8_t(src[x] >> 16);
            row[x * 3 + 1] = uint8_t(src[x] >> 8);
            row[x * 3 + 2] = uint8_t(src[x]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> file(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
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
