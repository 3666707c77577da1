// What saving, loading and the menus cost a player: a save point (the snapshot taken) and its
// restore, a page start's record and a rollback, a reload of the demo, a save (write, flush, rename), a load
// with three 640x480 pictures and a 100 KB script, the eight slot labels, opening the save screen (eight
// labels drawn in both looks), and one frame of an open menu with the mouse over a button.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "app/frame_loop.h"
#include "app/system.h"
#include "bench_engine.h"
#include "comforts/reload.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "formats/image_decode.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/font.h"
#include "platform/headless/headless.h"
#include "script/backlog.h"
#include "system/load_game.h"
#include "system/save_load_screens.h"
#include "system/snapshot.h"
#include "system/system_menu.h"

namespace fs = std::filesystem;

namespace {

void Write(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void Write_picture(const std::string& path, uint32_t seed) {
    std::vector<uint32_t> pixels(640 * 480);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint32_t(i * 2654435761u + seed) & 0xFFFFFF;
    const std::vector<uint8_t> bmp = Bmp_encode_24(pixels.data(), 640, 480);
    Write(path, std::string(bmp.begin(), bmp.end()));
}

// A game folder with three pictures, a 100 KB script and a save point in it; the engine started.
class Game {
  public:
    Game() {
        folder = fs::temp_directory_path() / ("kotoyumi-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        fs::current_path(folder);
        Write_picture("gdat/system/Back00.bmp", 1);
        Write_picture("gdat/bg.bmp", 2);
        Write_picture("gdat/cg.bmp", 3);
        Write("gdat/system/Parts.bmp", "");
        std::string script = "#g_load BG bg.bmp\r\n#g_load BS cg.bmp\r\n#sp\r\n#wait\r\n";
        while (script.size() < 100 * 1024)
            script += "\x82\xa0\x82\xa2 story text, story text;\r\n";
        Write("txt/config.txt", script);
        for (const char* name : {"main", "save_02", "load_02"})
            Write_picture(std::string("gdat/system/menu_window_") + name + ".bmp", 4);
        Bench_start_engine();
        System_init();
        Font_init(nullptr);
        for (int i = 0; i < 200 && Game_stat.wait_on != 1; ++i) {
            Headless_advance(16);
            Main_task();
        }
    }
    ~Game() {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(folder);
    }

  private:
    fs::path folder;
};

// Rollback takes one every page: it has to stay far below a frame.
void BM_TakeASnapshot(benchmark::State& state) {
    Game game;
    for (auto _ : state) {
        Snapshot_take();
        benchmark::DoNotOptimize(Save_stat);
    }
}
BENCHMARK(BM_TakeASnapshot)->Unit(benchmark::kMicrosecond);

// The restore alone, the slot file already read: the script and three pictures read again.
void BM_RestoreASnapshot(benchmark::State& state) {
    Game game;
    Snapshot_take();
    for (auto _ : state)
        Snapshot_restore();
}
BENCHMARK(BM_RestoreASnapshot)->Unit(benchmark::kMillisecond);

// What every page start costs: the page closed into the backlog and the record kept for rollback.
void BM_PageStartSnapshot(benchmark::State& state) {
    Game game;
    for (auto _ : state) {
        Backlog_char("a", 1);
        Backlog_page_break();
    }
}
BENCHMARK(BM_PageStartSnapshot)->Unit(benchmark::kMicrosecond);

// A rollback to the start of the current page: the load path with three 640x480 pictures.
void BM_RollbackThreePictures(benchmark::State& state) {
    Game game;
    for (auto _ : state)
        benchmark::DoNotOptimize(Load_page_start(Backlog_pages().size()));
}
BENCHMARK(BM_RollbackThreePictures)->Unit(benchmark::kMillisecond);

// Shift+R on the demo: every script checked, then the current page's start restored in the new text.
void BM_ReloadTheDemo(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / ("kotoyumi-bench-demo-" + std::to_string(::getpid()));
    fs::copy(KOTOYUMI_DEMO_DIR, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::current_path(folder);
    Bench_start_engine();
    System_init();
    for (auto _ : state) {
        // Between two reloads a frame finishes the last one (the music's resume), and the page
        // the story is on starts again.
        state.PauseTiming();
        Headless_advance(16);
        Main_task();
        Backlog_page_break();
        state.ResumeTiming();
        Reload_game();
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
}
BENCHMARK(BM_ReloadTheDemo)->Unit(benchmark::kMillisecond);

void BM_SaveToASlot(benchmark::State& state) {
    Game game;
    std::string reason;
    for (auto _ : state)
        benchmark::DoNotOptimize(Slot_write(1, &reason));
}
BENCHMARK(BM_SaveToASlot)->Unit(benchmark::kMillisecond);

void BM_LoadThreePicturesAndA100KbScript(benchmark::State& state) {
    Game game;
    std::string reason;
    Slot_write(1, &reason);
    for (auto _ : state)
        benchmark::DoNotOptimize(Load_game(1, &reason));
}
BENCHMARK(BM_LoadThreePicturesAndA100KbScript)->Unit(benchmark::kMillisecond);

void BM_TheEightSlotLabels(benchmark::State& state) {
    Game game;
    std::string reason;
    for (int i = 0; i < 8; i += 2)
        Slot_write(i, &reason);
    char label[SLOT_LABEL_SIZE];
    for (auto _ : state)
        for (int i = 0; i < SLOT_COUNT; ++i)
            benchmark::DoNotOptimize(Slot_label(i, label));
}
BENCHMARK(BM_TheEightSlotLabels)->Unit(benchmark::kMicrosecond);

void BM_OpenTheSaveScreen(benchmark::State& state) {
    Game game;
    MenuWindow screen{};
    for (auto _ : state) {
        Slot_screen_open(&screen, "system\\menu_window_save_02.bmp");
        Menu_close(&screen);
    }
}
BENCHMARK(BM_OpenTheSaveScreen)->Unit(benchmark::kMillisecond);

void BM_AMenuFrameWithTheMouseMoving(benchmark::State& state) {
    Game game;
    MenuWindow menu{};
    const MenuLayout layout = {"system\\menu_window_main.bmp",
                               100,
                               120,
                               300,
                               200,
                               4,
                               {{15, 15, 80, 36}, {15, 37, 80, 58}, {15, 61, 80, 80}, {15, 83, 80, 102}},
                               2};
    Menu_open(&menu, layout, 200, 150);
    int i = 0;
    for (auto _ : state) {
        MouseX = 220;
        MouseY = (++i & 1) ? 170 : 190; // from one button to the next: two buttons repainted
        benchmark::DoNotOptimize(Menu_paint_buttons(&menu));
    }
    Menu_close(&menu);
}
BENCHMARK(BM_AMenuFrameWithTheMouseMoving)->Unit(benchmark::kMicrosecond);

} // namespace
