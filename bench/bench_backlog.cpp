// Opening the backlog with its ring full: 100 pages of 16 lines of 28 full-width characters, laid
// out and drawn over the darkened window picture, as the wheel at a click wait does.
#include <benchmark/benchmark.h>

#include "app/system.h"
#include "bench_engine.h"
#include "core/lifecycle.h"
#include "gfx/font.h"
#include "platform/headless/headless.h"
#include "script/backlog.h"
#include "script/text_settings.h"
#include "ui/backlog_view.h"

namespace {

void Fill_ring() {
    const char kana[] =
        "\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8\x82\xa9\x82\xab\x82\xad"; // あいうえおかきく
    for (int page = 0; page < BACKLOG_PAGES; ++page) {
        for (int line = 0; line < 16; ++line) {
            Text.Text_Y = 20 + 26 * line;
            Text.Text_COLOR1 = line % 3 == 0 ? 0xFFE1BEu : 0xFFFFFFu;
            for (int i = 0; i < 28; ++i)
                Backlog_char(kana + 2 * ((i + line + page) % 8), 2);
        }
        Backlog_page_break();
    }
}

void BM_BacklogOpen(benchmark::State& state) {
    Bench_start_engine();
    std::string error;
    Font_init(&error);
    Backlog_reset();
    Fill_ring();
    Backlog_view_draw(0); // glyphs into the cache, as the story itself would have put them
    for (auto _ : state)
        Backlog_view_draw(BACKLOG_PAGES * 17 - 17);
}
BENCHMARK(BM_BacklogOpen)->Unit(benchmark::kMillisecond);

} // namespace
