// Background music: one MIDI or MP3 piece at a time, looping until it is stopped.
//
// The record below is what a save point copies. Everything goes through the media command
// strings (media_strings.h) under the fixed aliases "_MIDI_" and "_MP3_".
#pragma once

#include <cstdint>

struct SaveStat;

constexpr int32_t MUSIC_MIDI = 0;
constexpr int32_t MUSIC_MP3 = 1;
constexpr int MUSIC_PATH_SIZE = 256;

struct BgmRecord {
    int32_t MusicPlaying;            // 1 while a piece is open and playing
    char MusicPath[MUSIC_PATH_SIZE]; // ".\MIDI\" and the name; empty when none plays
    int32_t MusicType;               // MUSIC_MIDI or MUSIC_MP3; kept after the music stops
};
extern BgmRecord BgmState;

// Starts `path` as music of `type`: open, check, and (if the check answers "true") play. On a
// failed check shows the failure box with the device's error text under `caption` and changes
// nothing. True if it plays.
bool Music_start(int32_t type, const char* path, const char* caption);

// Resumes music a loaded save recorded: open, check, rewind ("seek ... to start"), play. On a
// failed check shows the failure box under `caption` and changes nothing. True if it plays.
bool Music_resume(int32_t type, const char* path, const char* caption);

// Stops and closes the music if it plays and is of `type`; does nothing otherwise.
void Music_stop(int32_t type);

// The end-of-play notification: music that plays starts again from its beginning (closed,
// reopened, checked, played); music that was stopped only loses its path.
void Bgm_notify();

// Start-up state: nothing open, the record empty.
void Music_reset();

// The save point's part: the playing piece's path as MIDI_file or MP3_file by its type, the other
// empty (both empty when nothing plays).
void Music_save(SaveStat* record);
