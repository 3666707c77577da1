// What `kotoyumi --check` costs: the demo game's whole folder, and a game whose first script fills
// the 1 MiB buffer (the demo's first script over and over, each copy with labels of its own).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/command_words.h"
#include "check/game_check.h"
#include "platform/headless/headless.h"
#include "script/script_file.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Checks the game in `folder` as often as the benchmark asks, its findings printed to nowhere.
void Check_in(benchmark::State& state, const fs::path& folder) {
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    Platform_use_backend(Headless_backend());
    Command_table_set(CommandWords, COMMAND_WORD_COUNT);
    FILE* out = std::fopen("/dev/null", "w");
    for (auto _ : state)
        benchmark::DoNotOptimize(Check_game(out, false));
    std::fclose(out);
    fs::current_path(before);
}

void BM_CheckTheDemo(benchmark::State& state) {
    Check_in(state, KOTOYUMI_DEMO_DIR);
}
BENCHMARK(BM_CheckTheDemo)->Unit(benchmark::kMillisecond);

void BM_CheckAFullOneMebibyteScript(benchmark::State& state) {
    char pattern[] = "/tmp/kotoyumi-bench-XXXXXX";
    if (!::mkdtemp(pattern)) return;
    const fs::path game = pattern;
    for (const char* folder : {"gdat", "wav", "MIDI", "txt"})
        fs::copy(fs::path(KOTOYUMI_DEMO_DIR) / folder, game / folder, fs::copy_options::recursive);
    const std::string demo = Read(game / "txt" / "config.txt");
    std::string script;
    for (int copy = 0;; ++copy) {
        std::string part = demo;
        for (size_t at = part.find('*'); at != std::string::npos; at = part.find('*', at + 1))
            part.insert(at + 1, std::to_string(copy));
        if (script.size() + part.size() > size_t(SCRIPT_BUFFER_SIZE)) break;
        script += part;
    }
    script.append(size_t(SCRIPT_BUFFER_SIZE) - script.size(), ';');
    std::ofstream(game / "txt" / "config.txt", std::ios::binary) << script;
    Check_in(state, game);
    state.SetBytesProcessed(int64_t(state.iterations()) * SCRIPT_BUFFER_SIZE);
    fs::remove_all(game);
}
BENCHMARK(BM_CheckAFullOneMebibyteScript)->Unit(benchmark::kMillisecond);

} // namespace
