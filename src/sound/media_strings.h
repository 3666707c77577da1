// The media command strings that start, loop and stop music, and their interpreter.
//
// Music is driven by short command strings, each naming a device alias:
//   open PATH type sequencer|mpegvideo alias A    (MIDI or MP3; PATH as scripts write it)
//   capability A can play wait                    (answers "true" for an open, playable piece)
//   seek A to start / play A notify / stop A / close A
// The interpreter checks each file itself (present, a regular file, a MIDI or MP3 header) and hands
// playable pieces to the platform's music slots. Every string and its answer go to the run log.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

// Error codes of Media_send; 0 is success.
enum MediaError : int {
    MEDIA_OK = 0,
    MEDIA_ERR_UNKNOWN_COMMAND,
    MEDIA_ERR_SYNTAX,
    MEDIA_ERR_UNKNOWN_TYPE,
    MEDIA_ERR_ALIAS_NOT_OPEN,
    MEDIA_ERR_ALIAS_IN_USE,
    MEDIA_ERR_TOO_MANY_OPEN,
    MEDIA_ERR_FILE_NOT_FOUND,
    MEDIA_ERR_NOT_MIDI,
    MEDIA_ERR_NOT_MP3,
    MEDIA_ERR_DECODER,
    MEDIA_ERR_OUTSIDE,
    MEDIA_ERR_TOO_LARGE,
};

// The largest music files opened; larger ones are refused before anything is read. No piece of a
// game comes near them: each is read whole and kept in memory while it is open (64 MiB is over an
// hour of MP3).
constexpr size_t MIDI_FILE_LIMIT = 8u << 20;
constexpr size_t MP3_FILE_LIMIT = 64u << 20;

// Runs one command string (Shift-JIS). `answer` (if not nullptr) receives the answer, empty for
// commands that give none, cut to `answer_size`. An open that fails leaves the alias closed, and
// a later capability of that alias reports the open's error, so the reason reaches the player.
int Media_send(const char* command_sjis, char* answer = nullptr, size_t answer_size = 0);

// The Japanese text of an error code, cut to `size` bytes (UTF-8, always terminated). A decoder
// error carries the decoder's own reason.
void Media_error_text(int code, char* text_utf8, size_t size);

// True if the first n bytes of a music file look like `kind`, as an open requires: "MThd" for MIDI,
// an ID3 tag or an MPEG audio frame header for MP3.
bool Media_starts_like(MusicKind kind, const uint8_t* head, size_t n);

// Closes every alias (the platform's slots too) and forgets failed opens.
void Media_reset();
