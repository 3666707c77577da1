// The sound effect: one WAV at a time, once or looping, next to the music.
#pragma once

#include <cstddef>
#include <cstdint>

struct SaveStat;

constexpr uint32_t WAV_ONCE = 0x20001; // file name, asynchronous
constexpr uint32_t WAV_LOOP = 0x20009; // file name, asynchronous, loop
constexpr int WAV_PATH_SIZE = 256;
// Larger effect files are refused before anything is read: the mixer decodes an effect whole, and
// 64 MiB is over six minutes of CD-quality sound.
constexpr size_t WAV_FILE_LIMIT = 64u << 20;

struct WavRecord {
    int32_t WavPlaying;              // 1 from a play until a stop, even after a one-shot ended
    uint32_t WAV_loop_flag;          // WAV_ONCE, WAV_LOOP, or 0 after a stop
    char WavLoopPath[WAV_PATH_SIZE]; // the looping effect's ".\wav\" path; empty otherwise
};
extern WavRecord WavState;

// Plays the effect at `path` (".\wav\" and the name) with `flags` (WAV_ONCE or WAV_LOOP), in
// place of any effect still playing, and records it. A missing file (or one that is not a regular
// file) is not reported; one larger than WAV_FILE_LIMIT, or one that is not a WAV the decoder
// plays (see wav_check.h), is, and changes nothing.
void Effect_play(uint32_t flags, const char* path);

// Stops the effect, if one is marked as playing, and clears the record.
void Effect_stop();

// Start-up state: nothing plays, the record empty.
void Effect_reset();

// The save point's part: the looping effect's path as WAV_file (empty for a one-shot or none) and
// the play-mode word as it is.
void Effect_save(SaveStat* record);
