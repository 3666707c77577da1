// What a script's sound commands cost the main thread with the SDL backend (dummy audio and video
// drivers): opening and starting a MIDI piece the first time after the window opened (the soundfont
// was loaded in the background meanwhile) and later, starting a 1 s 44.1 kHz stereo effect, the
// check and trial that every MIDI piece passes before it is opened, and the longest wait of a stop
// or a start of the music for the mixer's thread.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <iterator>
#include <vector>

#include "formats/midi_check.h"
#include "make_demo_assets/demo_assets.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"

namespace {

const std::filesystem::path DIR = std::filesystem::temp_directory_path() / "kotoyumi-bench-sound";

void Put32(std::string* s, uint32_t v) {
    s->append({char(v), char(v >> 8), char(v >> 16), char(v >> 24)});
}

// Two organ notes of a second each, and a second of a 440 Hz tone.
void Write_files() {
    std::filesystem::create_directories(DIR);
    const std::string track(
        "\x00\xC0\x13\x00\x90\x3C\x64\x87\x40\x80\x3C\x00\x00\x90\x40\x64\x87\x40\x80\x40\x00"
        "\x00\xFF\x2F\x00",
        25);
    std::ofstream(DIR / "piece.mid", std::ios::binary)
        << std::string("MThd\0\0\0\x06\0\0\0\x01\x01\xE0MTrk\0\0\0", 21) << char(track.size()) << track;
    std::string wav = "RIFF";
    Put32(&wav, 36 + 44100 * 4);
    wav += "WAVEfmt ";
    Put32(&wav, 16);
    wav.append({1, 0, 2, 0});
    Put32(&wav, 44100);
    Put32(&wav, 44100 * 4);
    wav.append({4, 0, 16, 0});
    wav += "data";
    Put32(&wav, 44100 * 4);
    for (int i = 0; i < 44100; ++i) {
        const auto v = int16_t(8000 * std::sin(i * 2 * 3.14159265 * 440 / 44100));
        wav.append({char(v), char(v >> 8), char(v), char(v >> 8)});
    }
    std::ofstream(DIR / "tone.wav", std::ios::binary) << wav;
}

void Start() {
    static bool started = false;
    if (started) return;
    started = true;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0); // or the disk driver, given in the environment
    Write_files();
    Platform_use_backend(Sdl_backend(SdlOptions{}));
    Platform_open_window("bench");
    Platform_audio_prepare(); // as when the first script read holds a sound command
    std::atexit([] {
        Platform_close(0);
        std::filesystem::remove_all(DIR);
    });
    std::this_thread::sleep_for(std::chrono::seconds(1)); // a player reads the first page meanwhile
}

std::vector<uint8_t> Read(const char* name) {
    std::ifstream in(DIR / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Open_and_play(int slot) {
    static const std::vector<uint8_t> piece = Read("piece.mid");
    char error[256];
    benchmark::DoNotOptimize(
        Platform_music_open(slot, piece.data(), piece.size(), MusicKind::Midi, error, sizeof error));
    Platform_music_play(slot);
}

void BM_PlayMidiFirst(benchmark::State& state) {
    Start();
    for (auto _ : state)
        Open_and_play(0);
}
BENCHMARK(BM_PlayMidiFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PlayMidiLater(benchmark::State& state) {
    Start();
    int slot = 0;
    for (auto _ : state)
        Open_and_play(slot = (slot + 1) % MUSIC_SLOTS);
}
BENCHMARK(BM_PlayMidiLater)->Unit(benchmark::kMillisecond);

void BM_PlayWav1s(benchmark::State& state) {
    Start();
    const std::vector<uint8_t> tone = Read("tone.wav");
    for (auto _ : state)
        Platform_effect_play(tone.data(), tone.size(), false);
}
BENCHMARK(BM_PlayWav1s)->Unit(benchmark::kMicrosecond);

// The demo's theme, checked and tried as every piece is when a script opens it.
void BM_CheckAndTryDemoTheme(benchmark::State& state) {
    Start();
    const std::vector<uint8_t> theme = Midi_encode(Tune_town());
    for (auto _ : state) {
        benchmark::DoNotOptimize(Midi_problem(theme.data(), theme.size()));
        benchmark::DoNotOptimize(Sdl_midi_trial(theme.data(), theme.size()));
    }
}
BENCHMARK(BM_CheckAndTryDemoTheme)->Unit(benchmark::kMillisecond);

// A stop and a start each wait for the block the mixer's thread is rendering; the counters give the
// longest of each in milliseconds.
void BM_StopAndStartMusic(benchmark::State& state) {
    Start();
    Open_and_play(0);
    double stop_ms = 0, start_ms = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        Platform_music_stop(0);
        const auto t1 = Clock::now();
        Platform_music_play(0);
        const auto t2 = Clock::now();
        stop_ms = std::max(stop_ms, std::chrono::duration<double, std::milli>(t1 - t0).count());
        start_ms = std::max(start_ms, std::chrono::duration<double, std::milli>(t2 - t1).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(3)); // let the mixer render a block
    }
    state.counters["worst_stop_ms"] = stop_ms;
    state.counters["worst_start_ms"] = start_ms;
    Platform_close(0);
}
BENCHMARK(BM_StopAndStartMusic)->Iterations(300)->Unit(benchmark::kMillisecond);

} // namespace
