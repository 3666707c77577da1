// What `kotoyumi --check` and `--convert` cost: the demo game's whole folder, a game whose first
// script fills the 1 MiB buffer (the demo's first script over and over, each copy with labels of
// its own), and the shapes of script that cost a careless checker the most, each in a 1 MiB script
// or less.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/command_words.h"
#include "check/game_check.h"
#include "check/source_convert.h"
#include "core/sjis.h"
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

// A game folder with the demo's pictures, sounds and music and `script` as its first script;
// removed when the benchmark is done.
struct Game {
    fs::path folder;
    explicit Game(const std::string& script) {
        char pattern[] = "/tmp/kotoyumi-bench-XXXXXX";
        if (!::mkdtemp(pattern)) return;
        folder = pattern;
        for (const char* sub : {"gdat", "wav", "MIDI", "txt"})
            fs::copy(fs::path(KOTOYUMI_DEMO_DIR) / sub, folder / sub, fs::copy_options::recursive);
        std::ofstream(folder / "txt" / "config.txt", std::ios::binary) << script;
    }
    ~Game() {
        if (!folder.empty()) fs::remove_all(folder);
    }
};

// `line` with %d replaced by each of 0..count-1 in turn, the lines joined.
std::string Lines(const char* line, int count) {
    std::string out;
    char text[128];
    for (int i = 0; i < count; ++i) {
        std::snprintf(text, sizeof text, line, i);
        out += text;
    }
    return out;
}

void BM_CheckTheDemo(benchmark::State& state) {
    Check_in(state, KOTOYUMI_DEMO_DIR);
}
BENCHMARK(BM_CheckTheDemo)->Unit(benchmark::kMillisecond);

void BM_CheckAFullOneMebibyteScript(benchmark::State& state) {
    const std::string demo = Read(fs::path(KOTOYUMI_DEMO_DIR) / "txt" / "config.txt");
    std::string script;
    for (int copy = 0;; ++copy) {
        std::string part = demo;
        for (size_t at = part.find('*'); at != std::string::npos; at = part.find('*', at + 1))
            part.insert(at + 1, std::to_string(copy));
        if (script.size() + part.size() > size_t(SCRIPT_BUFFER_SIZE)) break;
        script += part;
    }
    script.append(size_t(SCRIPT_BUFFER_SIZE) - script.size(), ';');
    Game game(script);
    Check_in(state, game.folder);
    state.SetBytesProcessed(int64_t(state.iterations()) * SCRIPT_BUFFER_SIZE);
}
BENCHMARK(BM_CheckAFullOneMebibyteScript)->Unit(benchmark::kMillisecond);

// 40,000 labels and 20,000 jumps to labels that are not there, each one edit from a label.
void BM_CheckJumpsToMissingLabels(benchmark::State& state) {
    Game game(Lines("*label%05d:\r\n", 40000) + Lines("#jump *lable%05d:\r\n", 20000));
    Check_in(state, game.folder);
}
BENCHMARK(BM_CheckJumpsToMissingLabels)->Unit(benchmark::kMillisecond);

// 50,000 conditions, each inside the one before.
void BM_CheckNestedBlocks(benchmark::State& state) {
    Game game(Lines("#if_flag 1 {\r\n", 50000) + Lines("/}\r\n", 50000));
    Check_in(state, game.folder);
}
BENCHMARK(BM_CheckNestedBlocks)->Unit(benchmark::kMillisecond);

// A 2048x2048 BMP loaded under each of its 256 spellings by case.
void BM_CheckOnePictureUnderManySpellings(benchmark::State& state) {
    std::string script;
    for (int spelling = 0; spelling < 256; ++spelling) {
        std::string name = "abcdefgh.bmp";
        for (int i = 0; i < 8; ++i)
            if (spelling & (1 << i)) name[size_t(i)] = char(name[size_t(i)] - 'a' + 'A');
        script += "#g_load BG " + name + "\r\n";
    }
    Game game(script);
    const uint32_t side = 2048, row = side * 3, size = 54 + row * side;
    std::string bmp(size, '\0');
    const auto put = [&](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp[at + size_t(i)] = char(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, side, 4);
    put(22, side, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    std::ofstream(game.folder / "gdat" / "abcdefgh.bmp", std::ios::binary) << bmp;
    Check_in(state, game.folder);
}
BENCHMARK(BM_CheckOnePictureUnderManySpellings)->Unit(benchmark::kMillisecond);

// One line of 1 MiB of unknown commands: a finding every three bytes, far into the line.
void BM_CheckOneLongLineOfMistakes(benchmark::State& state) {
    std::string script;
    while (script.size() + 3 <= size_t(SCRIPT_BUFFER_SIZE))
        script += "#x ";
    Game game(script);
    Check_in(state, game.folder);
}
BENCHMARK(BM_CheckOneLongLineOfMistakes)->Unit(benchmark::kMillisecond);

// A block opened at every byte of 1 MiB, none closed: a finding for each.
void BM_CheckABlockOpenedAtEveryByte(benchmark::State& state) {
    Game game(std::string(size_t(SCRIPT_BUFFER_SIZE), '{'));
    Check_in(state, game.folder);
}
BENCHMARK(BM_CheckABlockOpenedAtEveryByte)->Unit(benchmark::kMillisecond);

// 40,000 file changes to one script of almost 1 MiB.
void BM_CheckManyFileChanges(benchmark::State& state) {
    Game game(Lines("#file_change big.txt *a:\r\n", 40000));
    std::ofstream(game.folder / "txt" / "big.txt", std::ios::binary)
        << "*a:\r\n" + std::string(size_t(SCRIPT_BUFFER_SIZE) - 8, ';') + "\r\n";
    Check_in(state, game.folder);
}
BENCHMARK(BM_CheckManyFileChanges)->Unit(benchmark::kMillisecond);

} // namespace

// --convert's work on 1 MiB of UTF-8 story text (the demo's first script over and over), the
// encoding table made beforehand as the first file's conversion makes it.
void BM_ConvertOneMebibyteOfUtf8(benchmark::State& state) {
    const std::string demo = Sjis_to_utf8(Read(fs::path(KOTOYUMI_DEMO_DIR) / "txt" / "config.txt").c_str());
    std::string text;
    while (text.size() < 1048576)
        text += demo;
    std::string sjis;
    std::vector<SourceProblem> problems;
    for (auto _ : state)
        benchmark::DoNotOptimize(Source_convert_text(text, &sjis, &problems));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ConvertOneMebibyteOfUtf8)->Unit(benchmark::kMillisecond);
