// What the story logic costs: a jump that has to search a full 1 MiB script for a label at its very
// end, one frame of a pending choice, and one frame of both timer displays.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "features/jump.h"
#include "features/select.h"
#include "features/timers.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/font.h"
#include "platform/headless/headless.h"
#include "script/script_file.h"
#include "script/text_settings.h"

namespace {

void Start() {
    Headless_reset();
    Platform_use_backend(Headless_backend());
    Platform_open_window("bench");
    System_reset();
    Select_reset();
    Timers_reset();
    Surface_create(&BackBuffer, 640, 480);
    Surface_create(&BackgroundSurface, 640, 480);
    Text_defaults();
    Font_init(nullptr);
}

// Puts `text` in the script buffer as if it had been read from a file.
void Load(const std::string& text) {
    std::memcpy(ScriptBuffer, text.data(), text.size());
    ScriptLength = int32_t(text.size());
    ScriptSource = {ScriptBuffer, ScriptLength};
    ScriptCursor = 0;
}

// A full buffer of story lines, with `star_every` bytes between stray `*` characters in the middle
// of lines (0: none), and the only label at the very end.
std::string Full_script(int star_every) {
    const std::string label = "\r\n*end:";
    const std::string line = "\x82\xa0\x82\xa2\x82\xa4 story text, story text; \x82\xa6\x82\xa8\r\n";
    std::string text;
    text.reserve(SCRIPT_BUFFER_SIZE);
    while (text.size() + line.size() + label.size() <= size_t(SCRIPT_BUFFER_SIZE))
        text += line;
    text.append(SCRIPT_BUFFER_SIZE - label.size() - text.size(), ' ');
    text += label;
    if (star_every > 0)
        for (size_t i = 7; i + label.size() < text.size(); i += size_t(star_every))
            if (text[i] != '\r' && text[i] != '\n') text[i] = '*';
    return text;
}

void BM_JumpToTheLastLabelOfAFullBuffer(benchmark::State& state) {
    Start();
    Load(Full_script(int(state.range(0))));
    for (auto _ : state) {
        const int32_t found = Label_search("*end:");
        if (found != SCRIPT_BUFFER_SIZE) state.SkipWithError("label not found at the end");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_JumpToTheLastLabelOfAFullBuffer)->Arg(0)->Arg(64)->Arg(8)->Unit(benchmark::kMillisecond);

// A pending choice with the pointer moving between two options every frame, so every frame
// changes the highlight (the most a pending frame does).
void BM_PendingChoiceFrame(benchmark::State& state) {
    Start();
    Load("#select3 {\r\nThe first option\r\nThe second option\r\nThe third\r\n/\r\n/\r\n/\r\n}\r\n");
    ScriptCursor = 7; // on the last byte of the command word
    Com_select3();
    MouseButtons = 0;
    int k = 0;
    for (auto _ : state) {
        const Rect& r = SelectRect[k];
        MouseX = (r.left + r.right) / 2;
        MouseY = (r.top + r.bottom) / 2;
        k ^= 1;
        Select_task();
    }
    if (Game_stat.select_on != 1) state.SkipWithError("the choice was made");
}
BENCHMARK(BM_PendingChoiceFrame)->Unit(benchmark::kMicrosecond);

void BM_TimerDisplaysFrame(benchmark::State& state) {
    Start();
    for (TimerRec& t : Game_stat.Timers)
        t.running = 1;
    Game_stat.SingleTimer = 1;
    Game_stat.Timers[1].disp_x = 400;
    Game_stat.Timers[1].disp_y = 30;
    for (auto _ : state) {
        Headless_advance(16);
        Timer_display_all();
        Timer_display_single();
    }
}
BENCHMARK(BM_TimerDisplaysFrame)->Unit(benchmark::kMicrosecond);

} // namespace
