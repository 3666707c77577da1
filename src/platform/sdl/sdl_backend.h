// The SDL backend: a real window and, later, real sound. This header is all the entry point sees
// of it, so it carries no SDL types.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

struct SdlOptions {
    int scale = 1;           // the window is 640*scale x 480*scale (shrunk to fit the desktop)
    bool fullscreen = false; // start on the whole desktop instead of in a window
    bool reverb = false;     // the synthesiser's reverb and chorus
};

// The backend table for Platform_use_backend; `options` shape the window that open_window makes.
const PlatformBackend* Sdl_backend(const SdlOptions& options);

// One line "NAME VERSION" each for SDL, SDL_mixer and FluidSynth as loaded at run time; needs no
// window.
std::string Sdl_library_versions();

// Tells the main thread that the music has ended: it receives an EventType::MusicNotify event.
// Safe to call from any thread (the audio callback included) once the window is open.
void Sdl_push_music_notify();

// What the SDL backend decodes, callable without a window or an audio device (the fuzz targets run
// them; the backend's own entries use them too).

// Decodes `size` bytes of a WAV file into *samples, 44.1 kHz signed 16-bit stereo as the mixer
// plays them. False, *samples empty, if the decoder refuses them or they fail Wav_problem.
bool Sdl_wav_decode(const uint8_t* data, size_t size, std::vector<uint8_t>* samples);

// Loads `size` bytes of a MIDI file (checked: see midi_check.h) in a synthesiser of its own with no
// instruments and plays its first `frames` frames offline, once, as the mixer's thread would.
// Nullptr if it still plays after them, otherwise the synthesiser's reason (English, from its log)
// or a Japanese one of the engine's. The engine tries each piece with the default, which is less
// than any piece the check lets through lasts.
constexpr int MIDI_TRIAL_FRAMES = 128;
const char* Sdl_midi_trial(const uint8_t* data, size_t size, int frames = MIDI_TRIAL_FRAMES);
