// MIDI music: one synthesiser for the whole run, feeding the mixer's music stream.
//
// A synthesiser per piece would hold a whole soundfont per piece; this one is made once, on the
// thread that opens the device, and loads only the samples of the instruments a piece selects (the
// file stays on disk otherwise). A piece is a player on that synthesiser, made when it starts and
// deleted when it stops. The mixer calls `render` on its own thread; `lock` keeps the main thread
// from swapping the player in the middle of a block.
#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <utility>

#include "platform/sdl/sdl_internal.h"

namespace {

const char* const SOUNDFONT_DIR = "/usr/share/sounds/sf2";
const char* const SOUNDFONT = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// Voices made ahead of time; the sound modules these pieces were written for had as many.
constexpr int POLYPHONY = 64;
// The synthesiser's own default is quiet for one piece alone in the stream; at this gain a piece
// sounds as loud as through the mixer's own MIDI decoder.
constexpr double GAIN = 0.4;

struct Midi {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    std::string problem; // why no piece can play, when synth is nullptr

    std::mutex lock;                  // guards the members below between the main and mixer threads
    fluid_player_t* player = nullptr; // the piece playing
    bool ended = false;               // its end was reported

    std::mutex error_lock; // the synthesiser reports from either thread, `lock` held or not
    std::string error;     // its last error text
};

Midi M;

// The synthesiser's errors become the engine's failure texts, not lines of their own on stderr.
void keep_error(int, const char* message, void*) {
    std::lock_guard hold(M.error_lock);
    M.error = message;
}

// The error text kept since the last call, and none kept after it.
std::string take_error() {
    std::lock_guard hold(M.error_lock);
    return std::exchange(M.error, std::string());
}

std::string soundfont_path() {
    std::error_code failed;
    if (std::filesystem::is_regular_file(SOUNDFONT, failed)) return SOUNDFONT;
    // Another General MIDI soundfont, the same one every time.
    std::string found;
    for (std::filesystem::directory_iterator it(SOUNDFONT_DIR, failed), end; !failed && it != end;
         it.increment(failed)) {
        const std::filesystem::path& path = it->path();
        if (path.extension() == ".sf2" && std::filesystem::is_regular_file(path, failed) &&
            (found.empty() || path.string() < found))
            found = path.string();
    }
    return found;
}

// The mixer's music hook: the next `bytes` of 16-bit stereo. Runs on the mixer's thread.
void render(void*, Uint8* stream, int bytes) {
    std::lock_guard hold(M.lock);
    if (M.player == nullptr) {
        std::memset(stream, 0, size_t(bytes));
        return;
    }
    auto* out = reinterpret_cast<int16_t*>(stream);
    fluid_synth_write_s16(M.synth, bytes / 4, out, 0, 2, out, 1, 2);
    // A looping player only finishes on a piece it cannot read again; whoever waits for its end
    // hears of it once.
    if (!M.ended && fluid_player_get_status(M.player) == FLUID_PLAYER_DONE) {
        M.ended = true;
        Sdl_push_music_notify();
    }
}

void delete_player() {
    if (M.player == nullptr) return;
    delete_fluid_player(M.player);
    M.player = nullptr;
    // Nothing of the old piece rings on into the next one.
    fluid_synth_all_sounds_off(M.synth, -1);
}

} // namespace

void Sdl_midi_open(int frequency) {
    fluid_set_log_function(FLUID_PANIC, keep_error, nullptr);
    fluid_set_log_function(FLUID_ERR, keep_error, nullptr);
    const std::string soundfont = soundfont_path();
    if (soundfont.empty()) {
        M.problem = std::string("no soundfont in ") + SOUNDFONT_DIR;
        return;
    }
    M.settings = new_fluid_settings();
    fluid_settings_setnum(M.settings, "synth.sample-rate", frequency);
    fluid_settings_setnum(M.settings, "synth.gain", GAIN);
    fluid_settings_setint(M.settings, "synth.polyphony", POLYPHONY);
    fluid_settings_setint(M.settings, "synth.dynamic-sample-loading", 1);
    // Pinning the samples in memory may be refused, and only says so on stderr.
    fluid_settings_setint(M.settings, "synth.lock-memory", 0);
    // The player's clock is the stream the mixer takes, not the wall clock.
    fluid_settings_setstr(M.settings, "player.timing-source", "sample");
    M.synth = new_fluid_synth(M.settings);
    if (M.synth == nullptr || fluid_synth_sfload(M.synth, soundfont.c_str(), 1) == FLUID_FAILED) {
        const std::string error = take_error();
        Sdl_midi_close();
        M.problem = error.empty() ? "cannot read " + soundfont : error;
    }
}

const char* Sdl_midi_problem() {
    return M.synth == nullptr ? M.problem.c_str() : nullptr;
}

bool Sdl_midi_play(const uint8_t* data, size_t size) {
    {
        std::lock_guard hold(M.lock);
        delete_player();
        M.ended = false;
        fluid_player_t* player = new_fluid_player(M.synth);
        if (player != nullptr && fluid_player_add_mem(player, data, size) == FLUID_OK &&
            fluid_player_set_loop(player, -1) == FLUID_OK && fluid_player_play(player) == FLUID_OK) {
            M.player = player;
        } else {
            if (player != nullptr) delete_fluid_player(player);
            return false;
        }
    }
    Mix_HookMusic(render, nullptr);
    return true;
}

void Sdl_midi_stop() {
    Mix_HookMusic(nullptr, nullptr);
    std::lock_guard hold(M.lock);
    delete_player();
}

void Sdl_midi_close() {
    Sdl_midi_stop();
    if (M.synth != nullptr) delete_fluid_synth(M.synth);
    if (M.settings != nullptr) delete_fluid_settings(M.settings);
    M.synth = nullptr;
    M.settings = nullptr;
    M.problem.clear();
}
