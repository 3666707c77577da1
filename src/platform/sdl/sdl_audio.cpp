// Sound effects and music through SDL2_mixer; MIDI pieces through the synthesiser of sdl_midi.cpp.
//
// The device opens, and the synthesiser is made with its first instruments, only for a game that
// sounds: a game that never does never pays for them, in memory or at start-up. They are made on
// a thread of their own once the engine sees a script that sounds (Sdl_audio_prepare), and the
// first sound call waits for that thread; without it, that call opens the device itself. From then
// on every mixer call is made on the main thread. The main thread makes no audio call before the
// join, so the join is the only hand-over needed. While nothing sounds the device is paused, so
// the mixer does not mix silence.
#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "formats/midi_check.h"
#include "platform/event_mapping.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/sdl/sound_libraries.h"

namespace {

constexpr int FREQUENCY = 44100;
constexpr int CHANNELS = 2;
constexpr int CHUNK_FRAMES = 1024; // about 23 ms: effects start promptly, the synthesiser keeps up
constexpr int EFFECT_CHANNEL = 0;  // one effect at a time: a new one replaces the one playing

enum class State : uint8_t {
    Closed,   // not opened yet, or closed again
    Starting, // the opening thread runs
    Open,     // the device plays
    Silent,   // no device: every call answers as if it played
};

struct Audio {
    State state = State::Closed;
    // An SDL thread rather than a std::thread: SDL frees its per-thread error text when its own
    // threads end, not when others do.
    SDL_Thread* opener = nullptr;
    // Written by the opening thread, read after the join.
    bool subsystem_up = false;
    bool device_open = false;
    SDL_AudioDeviceID device = 0; // the mixer's device, for pausing it; 0 if it was not found

    Mix_Chunk* effect = nullptr;
    std::vector<uint8_t> effect_samples; // what `effect` plays: the chunk does not own them
    // A slot holds a piece's file; an MP3 piece also the mixer's decoder reading it.
    std::vector<uint8_t> file[MUSIC_SLOTS];
    Mix_Music* mp3[MUSIC_SLOTS] = {};
    int playing = -1; // the slot last started, -1 after a stop
};

// The player's loudness, 0-100; kept across a close so a reopened device plays as loud.
int music_percent = 100;
int effects_percent = 100;

Audio A;

// True while we halt the music ourselves: the mixer calls the finished hook for a halt too, and only
// a natural end is reported.
std::atomic<bool> halting{false};

// The synthesiser's reverb and chorus, as the player chose.
bool reverb = false;

// Runs on the audio thread at a natural end, or inside Mix_HaltMusic on the main thread.
void music_finished() {
    if (!halting.load()) Sdl_push_music_notify();
}

// The mixer keeps its device's number to itself; it is the one device this program has open.
SDL_AudioDeviceID find_mixer_device() {
    for (SDL_AudioDeviceID id = 1; id <= 16; ++id)
        if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED) return id;
    return 0;
}

// Whether a piece plays (A.playing >= 0), for the mixer's thread.
std::atomic<bool> music_on{false};

// Pauses the device while neither music nor an effect sounds, and runs it while one does.
void pause_when_silent(bool effect_sounds) {
    if (A.device != 0) SDL_PauseAudioDevice(A.device, music_on.load() || effect_sounds ? 0 : 1);
}

void pause_when_silent() {
    pause_when_silent(SoundLib->Mix_Playing(EFFECT_CHANNEL) != 0);
}

// The system's sound library prints errors of its own (eight lines on a machine without a sound
// card) before SDL can report the missing device; the engine says it once, in its own words.
void silent_sound_library_error(const char*, int, const char*, int, const char*, ...) {}

void quiet_sound_library() {
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    // Kept loaded: SDL opens the same library and so gets the quiet handler too.
    void* library = dlopen("libasound.so.2", RTLD_LAZY | RTLD_GLOBAL);
    if (library == nullptr) return;
    if (auto set = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler")))
        set(silent_sound_library_error);
}

void say_no_device(const char* reason) {
    std::fprintf(stderr, "kotoyumi: no audio device (%s); playing without sound\n", reason);
}

// Opens the device and makes the synthesiser: on the opening thread, or on the main thread when
// none was started.
void open_device() {
    const char* missing = "";
    if (Sound_libraries(&missing) == nullptr) {
        say_no_device(missing);
        return;
    }
    quiet_sound_library();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        say_no_device(SDL_GetError());
        return;
    }
    A.subsystem_up = true;
    // The stream is exactly this format (SDL converts for a device that differs), which the
    // synthesiser writes into directly.
    if (SoundLib->Mix_OpenAudioDevice(FREQUENCY, MIX_DEFAULT_FORMAT, CHANNELS, CHUNK_FRAMES, nullptr, 0) !=
        0) {
        say_no_device(Mix_GetError());
        return;
    }
    A.device_open = true;
    SoundLib->Mix_Init(MIX_INIT_MP3);
    SoundLib->Mix_AllocateChannels(1);
    SoundLib->Mix_HookMusicFinished(music_finished);
    A.device = find_mixer_device();
    // On the mixer's thread when an effect ends (SDL lets it take the device's lock again there).
    SoundLib->Mix_ChannelFinished([](int) { pause_when_silent(false); });
    Sdl_midi_open(FREQUENCY, reverb);
}

void apply_volume() {
    SoundLib->Mix_VolumeMusic(music_percent * MIX_MAX_VOLUME / 100);
    SoundLib->Mix_Volume(EFFECT_CHANNEL, effects_percent * MIX_MAX_VOLUME / 100);
}

// Waits for the opening thread, or opens the device now if it was never started. True if sound
// plays.
bool ready() {
    if (A.state == State::Open || A.state == State::Silent) return A.state == State::Open;
    if (A.state == State::Starting) {
        SDL_WaitThread(A.opener, nullptr);
        A.opener = nullptr;
    } else {
        open_device();
    }
    A.state = A.device_open ? State::Open : State::Silent;
    if (A.state != State::Open) return false;
    apply_volume();
    pause_when_silent();
    return true;
}

bool valid_slot(int slot) {
    return slot >= 0 && slot < MUSIC_SLOTS;
}

void halt_music() {
    halting.store(true);
    SoundLib->Mix_HaltMusic();
    halting.store(false);
    Sdl_midi_stop();
    A.playing = -1;
    music_on.store(false);
}

void free_slot(int slot) {
    if (A.playing == slot) halt_music();
    if (A.mp3[slot] != nullptr) SoundLib->Mix_FreeMusic(A.mp3[slot]);
    A.mp3[slot] = nullptr;
    A.file[slot] = std::vector<uint8_t>();
}

void free_effect() {
    if (A.effect == nullptr) return;
    SoundLib->Mix_HaltChannel(EFFECT_CHANNEL);
    SoundLib->Mix_FreeChunk(A.effect);
    A.effect = nullptr;
    A.effect_samples = std::vector<uint8_t>();
}

// The reason in `error_utf8`: `format` with the decoder's own words on one line.
void set_error(char* error_utf8, size_t error_size, const char* format, const char* detail) {
    if (error_size == 0) return;
    std::string reason = detail;
    for (char& c : reason)
        if (c == '\n' || c == '\r') c = ' ';
    char text[512];
    std::snprintf(text, sizeof text, format, reason.c_str());
    Event_copy_text(error_utf8, error_size, text);
}

void decoder_error(char* error_utf8, size_t error_size, const char* detail) {
    set_error(error_utf8, error_size, "音楽データを読み込めません（デコーダ: %s）", detail);
}

// The synthesiser plays from a copy of the whole file, checked and tried first (see midi_check.h).
bool open_midi(int slot, const uint8_t* data, size_t size, char* error_utf8, size_t error_size) {
    if (const char* problem = Midi_problem(data, size)) {
        set_error(error_utf8, error_size, "MIDI データが壊れています（%s）", problem);
    } else if (const char* problem = Sdl_midi_problem()) {
        decoder_error(error_utf8, error_size, problem);
    } else if (const char* problem = Sdl_midi_trial(data, size)) {
        decoder_error(error_utf8, error_size, problem);
    } else {
        A.file[slot].assign(data, data + size);
    }
    return !A.file[slot].empty();
}

// The MP3 decoder reads the copy as it plays.
bool open_mp3(int slot, const uint8_t* data, size_t size, char* error_utf8, size_t error_size) {
    A.file[slot].assign(data, data + size);
    A.mp3[slot] =
        SoundLib->Mix_LoadMUSType_RW(SDL_RWFromConstMem(A.file[slot].data(), int(size)), MUS_MP3, 1);
    if (A.mp3[slot] != nullptr) return true;
    decoder_error(error_utf8, error_size, Mix_GetError());
    A.file[slot] = std::vector<uint8_t>();
    return false;
}

} // namespace

void Sdl_audio_reverb(bool on) {
    reverb = on;
}

void Sdl_audio_prepare() {
    if (A.state != State::Closed) return;
    A.state = State::Starting;
    A.opener = SDL_CreateThread(
        [](void*) {
            open_device();
            return 0;
        },
        "kotoyumi-audio", nullptr);
    if (A.opener == nullptr) A.state = State::Closed; // the first sound call opens the device
}

bool Sdl_audio_effect_play(const uint8_t* data, size_t size, bool loop) {
    if (size == 0) {
        Sdl_audio_effect_stop();
        return true;
    }
    if (!ready()) return true;
    free_effect();
    if (!Sdl_wav_decode(data, size, &A.effect_samples)) return false;
    A.effect = SoundLib->Mix_QuickLoad_RAW(A.effect_samples.data(), Uint32(A.effect_samples.size()));
    if (A.effect != nullptr) SoundLib->Mix_PlayChannel(EFFECT_CHANNEL, A.effect, loop ? -1 : 0);
    pause_when_silent();
    return A.effect != nullptr;
}

void Sdl_audio_effect_stop() {
    if (A.state != State::Open) return;
    free_effect();
    pause_when_silent();
}

bool Sdl_audio_music_open(int slot, const uint8_t* data, size_t size, MusicKind kind, char* error_utf8,
                          size_t error_size) {
    if (!valid_slot(slot)) {
        set_error(error_utf8, error_size, "音楽の番号が範囲外です（%s）", std::to_string(slot).c_str());
        return false;
    }
    if (!ready()) return true;
    free_slot(slot);
    return kind == MusicKind::Midi ? open_midi(slot, data, size, error_utf8, error_size)
                                   : open_mp3(slot, data, size, error_utf8, error_size);
}

void Sdl_audio_music_play(int slot) {
    if (A.state != State::Open || !valid_slot(slot)) return;
    const std::vector<uint8_t>& file = A.file[slot];
    if (file.empty()) return;
    halt_music();
    // The decoders loop the piece themselves: restarting it on the end notice would leave a gap.
    if (A.mp3[slot] != nullptr ? SoundLib->Mix_PlayMusic(A.mp3[slot], -1) == 0
                               : Sdl_midi_play(file.data(), file.size())) {
        A.playing = slot;
        music_on.store(true);
    } else {
        Sdl_push_music_notify(); // it ended before it began: nobody should wait for it
    }
    pause_when_silent();
}

void Sdl_audio_music_stop(int slot) {
    if (A.state == State::Open && valid_slot(slot) && A.playing == slot) halt_music();
    if (A.state == State::Open) pause_when_silent();
}

void Sdl_audio_music_close(int slot) {
    if (A.state == State::Open && valid_slot(slot)) free_slot(slot);
    if (A.state == State::Open) pause_when_silent();
}

void Sdl_audio_volume(int music, int effects) {
    music_percent = music;
    effects_percent = effects;
    // A device not opened yet takes the levels when it opens.
    if (A.state == State::Open) apply_volume();
}

void Sdl_audio_close() {
    if (A.state == State::Starting) SDL_WaitThread(A.opener, nullptr);
    if (A.device_open) {
        SoundLib->Mix_HookMusicFinished(nullptr);
        SoundLib->Mix_ChannelFinished(nullptr);
        for (int slot = 0; slot < MUSIC_SLOTS; ++slot)
            free_slot(slot);
        halt_music();
        free_effect();
        Sdl_midi_close();
        SoundLib->Mix_CloseAudio();
        SoundLib->Mix_Quit();
    }
    if (A.subsystem_up) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    A = Audio{};
}
