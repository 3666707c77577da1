// What the files of the SDL backend share with each other. Only src/platform/sdl/ includes this.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/window_scaling.h"

// sdl_window.cpp: the window, its icon, presenting and fullscreen.

// Makes the window (SDL video must be up). False, with SDL's reason logged, if it cannot be made.
bool Sdl_window_open(const char* title_utf8, const SdlOptions& options);

// Destroys the window if there is one.
void Sdl_window_close();

// The window, or nullptr before open and after close.
SDL_Window* Sdl_window();

// Shows a 640x480 0x00RRGGBB picture, scaled and centred, and keeps a copy of it.
void Sdl_window_present(const uint32_t* picture);

// Shows the picture where its w x h rectangle at (x, y) changed since the last present, and keeps
// the picture itself (no copy: see Platform_present_part).
void Sdl_window_present_part(const uint32_t* picture, int x, int y, int w, int h);

// Draws the kept picture again (after the window's surface was lost or uncovered).
void Sdl_window_redraw();

// Switches between the desktop-filling fullscreen and the window.
void Sdl_window_toggle_fullscreen();

// Sets the window's scale (fitted to the desktop) and whether it fills the screen.
void Sdl_window_set_mode(int scale, bool fullscreen);

// True while the window fills the screen.
bool Sdl_window_fullscreen();

// Where the picture was last drawn in the window, for mapping mouse positions back to it.
WindowFit Sdl_window_fit();

// sdl_audio.cpp: sound effects and music through SDL2_mixer.

// Whether the synthesiser made when the device opens adds reverb and chorus (off unless called).
void Sdl_audio_reverb(bool on);

// The backend's audio entries (see platform.h).
bool Sdl_audio_effect_play(const uint8_t* data, size_t size, bool loop);
void Sdl_audio_effect_stop();
bool Sdl_audio_music_open(int slot, const uint8_t* data, size_t size, MusicKind kind, char* error_utf8,
                          size_t error_size);
void Sdl_audio_music_play(int slot);
void Sdl_audio_music_stop(int slot);
void Sdl_audio_music_close(int slot);
void Sdl_audio_volume(int music_percent, int effects_percent);
void Sdl_audio_prepare();

// Stops everything, closes the audio device and ends the mixer's threads (at shutdown). Sound
// calls after it open the device again.
void Sdl_audio_close();

// sdl_midi.cpp: MIDI music through one synthesiser, fed into the mixer's music stream.

// Makes the synthesiser for a stream of `frequency` frames a second, with the instruments every
// channel starts with, and with reverb and chorus if `reverb`. Call once the mixer's device is
// open, before any other Sdl_midi_ call.
void Sdl_midi_open(int frequency, bool reverb);

// Why no MIDI piece can play (no soundfont, or one the synthesiser refused), or nullptr if they can.
const char* Sdl_midi_problem();

// Plays the checked MIDI data (see midi_check.h; copied) from its beginning, looping without a gap,
// in place of any piece and of the mixer's own music (halt that first). False if it cannot start.
bool Sdl_midi_play(const uint8_t* data, size_t size);

// Stops the piece playing, if any; no ended notice follows.
void Sdl_midi_stop();

// Stops and deletes the synthesiser (before the device closes).
void Sdl_midi_close();

// sdl_events.cpp: turning SDL's events into the engine's.

// Prepares event delivery for a newly opened window: the music user event, no text input, no
// buttons held, no close delivered yet.
void Sdl_events_start();

// The backend's wait_event and key_down.
bool Sdl_events_wait(PlatformEvent* event, uint32_t timeout_ms);
bool Sdl_events_key_down(int key);
