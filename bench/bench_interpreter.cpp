// The interpreter's per-frame cost and the wait for a script to load:
//   - one step that draws a full-width character (goal: 0.1 ms or less), typing out a page of text
//     over and over;
//   - reading a 1 MiB script into the script buffer (goal: 5 ms or less).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "gfx/fixed_surfaces.h"
#include "platform/headless/headless.h"
#include "script/interpreter.h"
#include "script/script_file.h"
#include "script/text_settings.h"

namespace {

namespace fs = std::filesystem;

// 吾輩は猫である。名前はまだ無い。 in Shift-JIS: 16 full-width characters.
const char LINE[] = "\x8c\xe1\x94\x79\x82\xcd\x94\x4c\x82\xc5\x82\xa0\x82\xe9\x81\x42"
                    "\x96\xbc\x91\x4f\x82\xcd\x82\xdc\x82\xbe\x96\xb3\x82\xa2\x81\x42";
constexpr int PAGE_CHARS = 400; // fewer than the 463 that fill a page with the defaults

void Start_engine() {
    Headless_reset();
    Platform_use_backend(Headless_backend());
    Platform_open_window("bench");
    System_reset();
    Surface_create(&BackBuffer, 640, 480);
    Surface_create(&BackgroundSurface, 640, 480);
    Surface_create(&PartsSurface, 75, 25);
}

void BM_StepDrawingAFullWidthCharacter(benchmark::State& state) {
    Start_engine();
    std::string page;
    while (page.size() < size_t(2 * PAGE_CHARS))
        page += LINE;
    page.resize(2 * PAGE_CHARS);
    std::memcpy(ScriptBuffer, page.data(), page.size());
    ScriptLength = int32_t(page.size());
    ScriptSource = {ScriptBuffer, ScriptLength};
    ScriptCursor = 0;
    Text_defaults();
    Text.Text_WAIT = 0;
    Game_stat.text_on = 1;
    Interpreter_start();
    Text_task(); // the glyphs are met once before timing: the steady state of a page
    for (auto _ : state) {
        if (ScriptCursor >= ScriptLength) {
            ScriptCursor = 0;
            Text_home();
        }
        Text_task();
    }
    if (Game_stat.text_on != 1) state.SkipWithError("stepping stopped");
    state.SetLabel("goal <= 0.1 ms");
}
BENCHMARK(BM_StepDrawingAFullWidthCharacter)->Unit(benchmark::kMicrosecond);

void BM_ReadA1MiBScript(benchmark::State& state) {
    Start_engine();
    char pattern[] = "/tmp/kotoyumi-bench-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    const fs::path previous = fs::current_path();
    fs::current_path(pattern);
    fs::create_directories("txt");
    {
        std::string text;
        while (text.size() + sizeof LINE + 1 < size_t(SCRIPT_BUFFER_SIZE))
            text += std::string(LINE) + "\r\n";
        text.resize(SCRIPT_BUFFER_SIZE, ' ');
        std::ofstream("txt/big.txt", std::ios::binary) << text;
    }
    for (auto _ : state) {
        if (Script_read(".\\txt\\big.txt") != FileRead::Ok) state.SkipWithError("cannot read the script");
        benchmark::DoNotOptimize(ScriptBuffer[SCRIPT_BUFFER_SIZE - 1]);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * SCRIPT_BUFFER_SIZE);
    state.SetLabel("goal <= 5 ms");
    fs::current_path(previous);
    fs::remove_all(pattern);
}
BENCHMARK(BM_ReadA1MiBScript)->Unit(benchmark::kMillisecond);

} // namespace
