// A check of MIDI data before the synthesiser sees it. The synthesiser loops a piece by reading it
// again at its end; a piece it cannot read, or one that lasts no time, would make it read forever
// inside the audio thread. The check follows the synthesiser's reader and refuses what it refuses.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>

// Pieces shorter than this (at the fastest tempo they use) are refused: too short to loop.
constexpr uint32_t MIDI_SHORTEST_US = 20000;

// More tracks than this the synthesiser does not read.
constexpr unsigned MIDI_MOST_TRACKS = 127;

// Pieces that start more notes than this in one second of music are refused: no music needs so many,
// and the synthesiser would spend its time and log starting them.
constexpr uint32_t MIDI_NOTES_PER_SECOND = 4000;

// Nullptr if `data` is a standard MIDI file the synthesiser reads and plays for at least
// MIDI_SHORTEST_US, starting at most MIDI_NOTES_PER_SECOND notes in each second of music;
// otherwise a short Japanese reason. With `programs`, also sets there the program numbers the piece selects
// (program 0, every channel's start, is not added).
const char* Midi_problem(const uint8_t* data, size_t size, std::bitset<128>* programs = nullptr);
