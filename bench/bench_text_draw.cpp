// Story character drawing: one full-width character with its shadow at a 20-pixel cell onto a
// 640x480 surface, as the interpreter does once per text step.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "gfx/font.h"
#include "gfx/text_draw.h"

namespace {

// 猫, 吾, 輩 in Shift-JIS: a few characters so the loop is not one memory location.
const char* const CHARS[] = {"\x94\x4c", "\x8c\xe1", "\x94\x79"};

void prepare(Surface* s) {
    Surface_create(s, 640, 480);
    std::string error;
    if (!Font_init(&error)) std::abort();
}

// Warm cache: the steady state while a page is being typed out.
void BM_ChrPut3D_warm(benchmark::State& state) {
    Surface s;
    prepare(&s);
    int i = 0;
    for (auto _ : state) {
        ChrPut3D(&s, 100 + (i & 7) * 20, 200, 20, 0xFFFFFF, 0x1E1E1E, CHARS[i % 3], 2);
        ++i;
    }
    benchmark::DoNotOptimize(s.pixels.data());
}
BENCHMARK(BM_ChrPut3D_warm);

// Cold cache: every call renders its glyph with FreeType (a character met for the first time).
void BM_ChrPut3D_cold(benchmark::State& state) {
    Surface s;
    prepare(&s);
    int i = 0;
    for (auto _ : state) {
        Font_clear_cache();
        ChrPut3D(&s, 100 + (i & 7) * 20, 200, 20, 0xFFFFFF, 0x1E1E1E, CHARS[i % 3], 2);
        ++i;
    }
    benchmark::DoNotOptimize(s.pixels.data());
}
BENCHMARK(BM_ChrPut3D_cold);

// A slot label or choice line: a whole shadowed string, warm.
void BM_TextPut3D_line(benchmark::State& state) {
    Surface s;
    prepare(&s);
    const char* line = "\x8c\xe1\x94\x79\x82\xcd\x94\x4c\x82\xc5\x82\xa0\x82\xe9\x81\x42"; // 吾輩は猫である。
    for (auto _ : state)
        TextPut3D(&s, 40, 300, 20, 0xFFFFFF, 0x1E1E1E, line);
    benchmark::DoNotOptimize(s.pixels.data());
}
BENCHMARK(BM_TextPut3D_line);

} // namespace
