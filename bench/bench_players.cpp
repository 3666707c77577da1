// The players' comforts: the settings screen's first picture (what F1 shows before any input),
// and the read-text bookkeeping of a step against the work of a frame that types a character.
#include <benchmark/benchmark.h>

#include "app/frame_loop.h"
#include "app/system.h"
#include "bench_engine.h"
#include "comforts/player_settings.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/font.h"
#include "platform/headless/headless.h"
#include "script/interpreter.h"
#include "script/read_text.h"
#include "script/script_file.h"
#include "script/text_settings.h"
#include "ui/settings_view.h"

namespace {

void Start() {
    Bench_start_engine();
    std::string error;
    Font_init(&error);
    Surfaces_create_fixed();
}

// A script of nothing but あ, its record holding `runs` runs read.
void Script_of_text(int runs) {
    for (int32_t i = 0; i + 1 < SCRIPT_BUFFER_SIZE; i += 2) {
        ScriptBuffer[i] = 0x82;
        ScriptBuffer[i + 1] = 0xA0;
    }
    ScriptLength = SCRIPT_BUFFER_SIZE;
    ScriptSource = {ScriptBuffer, ScriptLength};
    Read_text_script_loaded();
    for (int r = 0; r < runs; ++r) {
        ScriptCursor = r * 20;
        Game_stat.text_on = 1;
        Read_text_step_begins();
        Read_text_char_drawn();
        Game_stat.text_on = 0;
        Read_text_step_ended();
    }
    ScriptCursor = 0;
}

void BM_SettingsScreenOpen(benchmark::State& state) {
    Start();
    const std::vector<SettingsRow> rows = Settings_screen_rows();
    Surface screen = Ui_screen();
    Settings_view_draw(&screen, rows, 0); // glyphs into the cache, as the first open leaves them
    for (auto _ : state) {
        screen = Ui_screen();
        for (uint32_t& p : screen.pixels)
            p = (p >> 1) & 0x7F7F7F;
        Settings_view_draw(&screen, rows, 0);
        Platform_present(screen.pixels.data());
    }
}
BENCHMARK(BM_SettingsScreenOpen)->Unit(benchmark::kMillisecond);

// A frame that types one character and shows the picture: the work the bookkeeping adds to.
void BM_TypingFrame(benchmark::State& state) {
    Start();
    Script_of_text(50000);
    Text.Text_WAIT = 0;
    Game_stat.text_on = 1;
    for (auto _ : state) {
        Headless_advance(FRAME_PERIOD_MS);
        Main_task();
        if (Game_stat.page_wait_on == 1) Page_wait_click();
    }
}
BENCHMARK(BM_TypingFrame)->Unit(benchmark::kMicrosecond);

// The bookkeeping of one step that begins a run, draws its character and ends it, against a
// record of 50000 runs read.
void BM_ReadTextStep(benchmark::State& state) {
    Start();
    Script_of_text(50000);
    int32_t at = 0;
    for (auto _ : state) {
        ScriptCursor = at = (at + 40) % 1000000;
        Game_stat.text_on = 1;
        Read_text_step_begins();
        Read_text_char_drawn();
        Game_stat.text_on = 0;
        Read_text_step_ended();
    }
}
BENCHMARK(BM_ReadTextStep)->Unit(benchmark::kNanosecond);

} // namespace
