// MIDI music: one synthesiser for the whole run, feeding the mixer's music stream.
//
// A synthesiser per piece would hold a whole soundfont per piece; this one is made once, on the
// thread that opens the device. It builds only the instruments of the programs the pieces played so
// far select (see soundfont_subset.h; each new piece adds what it lacks), and reads only the
// samples of the instruments a piece has selected. A piece is a player on that synthesiser, made
// when it starts and deleted when it stops. The mixer calls `render` on its own thread; `lock`
// keeps the main thread from swapping the player in the middle of a block.
//
// A looping player that cannot read its piece reads it again at once, for ever, inside one block
// of the mixer's thread, holding `lock`. So a piece is first played for a moment, once and not
// looped, on a second synthesiser without instruments (Sdl_midi_trial), and refused if it did not
// start there.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "formats/midi_check.h"
#include "formats/soundfont_subset.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/sdl/sound_libraries.h"
#include "platform/sdl/upsample.h"

namespace {

const char* const SOUNDFONT_DIR = "/usr/share/sounds/sf2";
const char* const SOUNDFONT = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// Voices made ahead of time; the sound modules these pieces were written for had as many.
constexpr int POLYPHONY = 64;
// The synthesiser's own default is quiet for one piece alone in the stream; at this gain a piece
// sounds as loud as through the mixer's own MIDI decoder.
constexpr double GAIN = 1.2;
// The trial plays at the stream's rate; what it plays of a piece by default is less than a quarter of
// the shortest piece the check lets through.
constexpr int TRIAL_FREQUENCY = 44100;
static_assert(MIDI_TRIAL_FRAMES * 4 < MIDI_SHORTEST_US * uint64_t(TRIAL_FREQUENCY) / 1000000);

struct Midi {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    std::string problem; // why no piece can play, when synth is nullptr
    std::string soundfont;
    Soundfont font;          // its preset data, when it can be cut
    bool cut = false;        // whether it is loaded in cuts
    std::bitset<128> loaded; // the programs whose instruments are built

    // What the soundfont file reads as: the cut made last (the sample data is the same in all).
    std::mutex cut_lock;
    std::shared_ptr<const std::string> preset_data;

    std::mutex lock;                  // guards the members below between the main and mixer threads
    fluid_player_t* player = nullptr; // the piece playing
    bool ended = false;               // its end was reported
    Upsampler upsampler;              // from the synthesiser's rate to the stream's
    std::vector<float> block;         // the synthesiser's output for one block of the stream
    std::vector<int16_t> doubled;     // that block at the stream's rate
    int16_t spare[2] = {};            // a frame made ahead, when the stream asked for an odd number
    bool has_spare = false;

    std::mutex error_lock;           // the synthesiser reports from either thread, `lock` held or not
    std::string error;               // its last error text
    std::bitset<FLUID_DBG + 1> said; // the levels said on stderr for the present piece
    bool trying = false;             // a trial runs: it has no instruments, so it warns of them

    // The trial's synthesiser: no instruments, so its notes make no voices, and one voice made ahead
    // instead of POLYPHONY (0.7 MB less). Main thread only.
    fluid_settings_t* trial_settings = nullptr;
    fluid_synth_t* trial_synth = nullptr;
    std::string trial_reason;
};

Midi M;

// Every message of the synthesiser comes here. Errors become the engine's failure texts, not lines
// of their own on stderr; a warning is said once a piece (a piece can make the same one millions of
// times); what it says to inform or debug is not said.
void log_message(int level, const char* message, void*) {
    std::lock_guard hold(M.error_lock);
    if (level <= FLUID_ERR) M.error = message;
    if (level == FLUID_WARN && !M.trying && !M.said.test(size_t(level))) {
        M.said.set(size_t(level));
        std::fprintf(stderr, "kotoyumi: synthesiser: %s\n", message);
    }
}

// A new piece may say each kind of message once again; a trial says none.
void new_piece_messages(bool trying) {
    std::lock_guard hold(M.error_lock);
    M.said.reset();
    M.trying = trying;
}

// The error text kept since the last call, and none kept after it.
std::string take_error() {
    std::lock_guard hold(M.error_lock);
    return std::exchange(M.error, std::string());
}

// An open soundfont file as the synthesiser reads it: up to its preset data the file itself, from
// there `preset_data`.
struct CutFile {
    FILE* file;
    std::shared_ptr<const std::string> preset_data; // nullptr: the file as it is
    uint64_t preset_data_at, size, pos = 0;
};

void* cut_open(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return nullptr;
    std::lock_guard hold(M.cut_lock);
    if (M.preset_data)
        return new CutFile{file, M.preset_data, M.font.preset_data_at,
                           M.font.preset_data_at + M.preset_data->size()};
    const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    if (size >= 0) return new CutFile{file, nullptr, uint64_t(size), uint64_t(size)};
    std::fclose(file);
    return nullptr;
}

int cut_read(void* buffer, fluid_long_long_t count, void* handle) {
    auto* cut = static_cast<CutFile*>(handle);
    auto* out = static_cast<char*>(buffer);
    if (count < 0 || uint64_t(count) > cut->size - cut->pos) return FLUID_FAILED;
    const uint64_t from = cut->pos, to = from + uint64_t(count);
    if (from < cut->preset_data_at) {
        const size_t n = size_t(std::min(to, cut->preset_data_at) - from);
        if (std::fseek(cut->file, long(from), SEEK_SET) != 0 || std::fread(out, 1, n, cut->file) != n)
            return FLUID_FAILED;
        // The RIFF size at bytes 4 to 7 counts the cut preset data.
        for (uint64_t at = std::max<uint64_t>(from, 4); at < std::min<uint64_t>(to, 8); ++at)
            out[at - from] = char((cut->size - 8) >> (8 * (at - 4)));
    }
    if (to > cut->preset_data_at) {
        const uint64_t start = std::max(from, cut->preset_data_at);
        std::memcpy(out + (start - from), cut->preset_data->data() + (start - cut->preset_data_at),
                    to - start);
    }
    cut->pos = to;
    return FLUID_OK;
}

int cut_seek(void* handle, fluid_long_long_t offset, int origin) {
    auto* cut = static_cast<CutFile*>(handle);
    const int64_t base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? int64_t(cut->pos) : int64_t(cut->size);
    if (base + offset < 0 || uint64_t(base + offset) > cut->size) return FLUID_FAILED;
    cut->pos = uint64_t(base + offset);
    return FLUID_OK;
}

fluid_long_long_t cut_tell(void* handle) {
    return fluid_long_long_t(static_cast<CutFile*>(handle)->pos);
}

int cut_close(void* handle) {
    auto* cut = static_cast<CutFile*>(handle);
    std::fclose(cut->file);
    delete cut;
    return FLUID_OK;
}

// Builds the instruments of `programs` not built yet. False if the synthesiser refuses them.
bool load_programs(const std::bitset<128>& programs) {
    const std::bitset<128> missing = programs & ~M.loaded;
    if (missing.none()) return true;
    if (M.cut) {
        std::lock_guard hold(M.cut_lock);
        M.preset_data = std::make_shared<const std::string>(Soundfont_subset(M.font, missing));
    }
    if (SoundLib->fluid_synth_sfload(M.synth, M.soundfont.c_str(), 0) == FLUID_FAILED) return false;
    M.loaded |= M.cut ? missing : ~std::bitset<128>();
    return true;
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
    int frames = bytes / 4;
    if (M.has_spare && frames > 0) {
        std::copy(M.spare, M.spare + 2, out);
        out += 2;
        --frames;
        M.has_spare = false;
    }
    // The synthesiser makes half as many frames; an odd count leaves one made frame for next time.
    const int made = (frames + 1) / 2;
    M.block.resize(size_t(made) * 2);
    std::vector<int16_t>& doubled = M.doubled;
    doubled.resize(size_t(made) * 4);
    SoundLib->fluid_synth_write_float(M.synth, made, M.block.data(), 0, 2, M.block.data(), 1, 2);
    Upsample_2x(&M.upsampler, M.block.data(), made, doubled.data());
    std::copy(doubled.begin(), doubled.begin() + ptrdiff_t(frames) * 2, out);
    if (frames % 2 != 0) {
        std::copy(doubled.end() - 2, doubled.end(), M.spare);
        M.has_spare = true;
    }
    // A looping player only finishes on a piece it cannot read again; whoever waits for its end
    // hears of it once.
    if (!M.ended && SoundLib->fluid_player_get_status(M.player) == FLUID_PLAYER_DONE) {
        M.ended = true;
        Sdl_push_music_notify();
    }
}

void route_messages() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        SoundLib->fluid_set_log_function(level, log_message, nullptr);
}

// The settings both synthesisers share.
fluid_settings_t* new_settings(int frequency, int polyphony) {
    fluid_settings_t* settings = SoundLib->new_fluid_settings();
    SoundLib->fluid_settings_setnum(settings, "synth.sample-rate", frequency);
    SoundLib->fluid_settings_setnum(settings, "synth.gain", GAIN);
    SoundLib->fluid_settings_setint(settings, "synth.polyphony", polyphony);
    SoundLib->fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    // Pinning the samples in memory may be refused, and only says so on stderr.
    SoundLib->fluid_settings_setint(settings, "synth.lock-memory", 0);
    // The player's clock is the stream the mixer takes, not the wall clock.
    SoundLib->fluid_settings_setstr(settings, "player.timing-source", "sample");
    return settings;
}

// Makes the trial's synthesiser if there is none. False if it cannot be made.
bool make_trial_synth() {
    if (M.trial_synth != nullptr) return true;
    if (Sound_libraries() == nullptr) return false;
    route_messages();
    M.trial_settings = new_settings(TRIAL_FREQUENCY, 1);
    M.trial_synth = SoundLib->new_fluid_synth(M.trial_settings);
    return M.trial_synth != nullptr;
}

void delete_player() {
    if (M.player == nullptr) return;
    SoundLib->delete_fluid_player(M.player);
    M.player = nullptr;
    // Nothing of the old piece rings on into the next one.
    SoundLib->fluid_synth_all_sounds_off(M.synth, -1);
    M.upsampler = Upsampler{};
    M.has_spare = false;
}

} // namespace

void Sdl_midi_open(int frequency, bool reverb) {
    route_messages();
    M.soundfont = soundfont_path();
    if (M.soundfont.empty()) {
        M.problem = std::string("no soundfont in ") + SOUNDFONT_DIR;
        return;
    }
    if (FILE* file = std::fopen(M.soundfont.c_str(), "rb")) {
        M.cut = Soundfont_read(file, &M.font);
        std::fclose(file);
    }
    // At half the stream's rate: see upsample.h.
    M.settings = new_settings(frequency / 2, POLYPHONY);
    // Reverb and chorus cost about a third of the synthesiser's time: a player's choice.
    SoundLib->fluid_settings_setint(M.settings, "synth.reverb.active", reverb ? 1 : 0);
    SoundLib->fluid_settings_setint(M.settings, "synth.chorus.active", reverb ? 1 : 0);
    M.synth = SoundLib->new_fluid_synth(M.settings);
    if (M.synth != nullptr) {
        fluid_sfloader_t* loader = SoundLib->new_fluid_defsfloader(M.settings);
        SoundLib->fluid_sfloader_set_callbacks(loader, cut_open, cut_read, cut_seek, cut_tell, cut_close);
        SoundLib->fluid_synth_add_sfloader(M.synth, loader); // tried first, and deleted with the synthesiser
    }
    // Program 0 is every channel's program until a piece selects another. The trial's synthesiser
    // is made here too, off the main thread.
    if (M.synth == nullptr || !load_programs(std::bitset<128>(1)) || !make_trial_synth()) {
        const std::string error = take_error();
        const std::string soundfont = M.soundfont;
        Sdl_midi_close();
        M.problem = error.empty() ? "cannot read " + soundfont : error;
    }
}

const char* Sdl_midi_problem() {
    return M.synth == nullptr ? M.problem.c_str() : nullptr;
}

const char* Sdl_midi_trial(const uint8_t* data, size_t size, int frames) {
    if (!make_trial_synth()) return "シンセサイザを作れません";
    new_piece_messages(true);
    take_error();
    fluid_player_t* player = SoundLib->new_fluid_player(M.trial_synth);
    bool playing = player != nullptr && SoundLib->fluid_player_add_mem(player, data, size) == FLUID_OK &&
                   SoundLib->fluid_player_play(player) == FLUID_OK;
    // The player reads the piece in the first block it plays.
    int16_t block[MIDI_TRIAL_FRAMES * 2];
    for (int done = 0; playing && done < frames; done += MIDI_TRIAL_FRAMES)
        SoundLib->fluid_synth_write_s16(M.trial_synth, std::min(MIDI_TRIAL_FRAMES, frames - done), block, 0,
                                        2, block, 1, 2);
    playing = playing && SoundLib->fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
    if (player != nullptr) SoundLib->delete_fluid_player(player);
    SoundLib->fluid_synth_system_reset(M.trial_synth);
    new_piece_messages(false);
    const std::string error = take_error();
    if (playing) return nullptr;
    M.trial_reason = error.empty() ? "シンセサイザが読めない MIDI データです" : error;
    return M.trial_reason.c_str();
}

bool Sdl_midi_play(const uint8_t* data, size_t size) {
    std::bitset<128> programs(1);
    Midi_problem(data, size, &programs);
    new_piece_messages(false);
    {
        std::lock_guard hold(M.lock);
        delete_player();
        M.ended = false;
        if (!load_programs(programs)) return false;
        fluid_player_t* player = SoundLib->new_fluid_player(M.synth);
        if (player != nullptr && SoundLib->fluid_player_add_mem(player, data, size) == FLUID_OK &&
            SoundLib->fluid_player_set_loop(player, -1) == FLUID_OK &&
            SoundLib->fluid_player_play(player) == FLUID_OK) {
            M.player = player;
        } else {
            if (player != nullptr) SoundLib->delete_fluid_player(player);
            return false;
        }
    }
    SoundLib->Mix_HookMusic(render, nullptr);
    return true;
}

void Sdl_midi_stop() {
    SoundLib->Mix_HookMusic(nullptr, nullptr);
    std::lock_guard hold(M.lock);
    delete_player();
}

void Sdl_midi_close() {
    Sdl_midi_stop();
    if (M.synth != nullptr) SoundLib->delete_fluid_synth(M.synth);
    if (M.settings != nullptr) SoundLib->delete_fluid_settings(M.settings);
    M.synth = nullptr;
    M.settings = nullptr;
    M.problem.clear();
    M.font = Soundfont{};
    M.cut = false;
    M.loaded.reset();
    M.preset_data.reset();
    if (M.trial_synth != nullptr) SoundLib->delete_fluid_synth(M.trial_synth);
    if (M.trial_settings != nullptr) SoundLib->delete_fluid_settings(M.trial_settings);
    M.trial_synth = nullptr;
    M.trial_settings = nullptr;
}
