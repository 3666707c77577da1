// Sound effects and music through SDL2_mixer.
#include "platform/sdl/sdl_internal.h"

// Placeholder until the mixer code lands: nothing plays.
void Sdl_audio_effect_play(const char*, bool) {}
void Sdl_audio_effect_stop() {}
bool Sdl_audio_music_open(int, const char*, MusicKind, char*, size_t) { return true; }
void Sdl_audio_music_play(int) {}
void Sdl_audio_music_stop(int) {}
void Sdl_audio_music_close(int) {}
void Sdl_audio_close() {}
