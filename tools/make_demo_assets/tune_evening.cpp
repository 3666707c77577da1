// The starter game's evening piece, as data: eight bars of a piano's rising broken chords over held
// strings and a soft bass, C major, I vi IV V twice; the last bar's G leads back to the first C.
// Kept to the General MIDI programs the soundfont plays best (piano, strings, bass).
#include "demo_assets.h"

namespace {

constexpr uint32_t EIGHTH = 240, BAR = 8 * EIGHTH; // at 480 ticks a quarter, in 4/4

struct Chord {
    uint8_t notes[4]; // low to high; the bass plays the first an octave down
};
constexpr Chord CHORDS[8] = {{{48, 55, 64, 71}}, {{45, 52, 60, 67}}, {{41, 48, 57, 64}}, {{43, 50, 59, 65}},
                             {{48, 55, 64, 72}}, {{45, 52, 60, 69}}, {{41, 48, 57, 65}}, {{43, 50, 59, 62}}};

void Note(MidiTrack* track, int channel, int pitch, int velocity, uint32_t start, uint32_t length) {
    track->events.push_back({start, {uint8_t(0x90 | channel), uint8_t(pitch), uint8_t(velocity)}});
    track->events.push_back({start + length, {uint8_t(0x80 | channel), uint8_t(pitch), 0}});
}

MidiTrack Instrument(const char* name, int channel, int program, int volume) {
    const uint8_t control = uint8_t(0xB0 | channel);
    return {name,
            {{0, {uint8_t(0xC0 | channel), uint8_t(program)}},
             {0, {control, 7, uint8_t(volume)}},
             {0, {control, 91, 70}}}};
}

} // namespace

MidiSong Tune_evening() {
    MidiSong song;
    song.end_tick = 8 * BAR;
    song.tracks.push_back(
        {"Evening", {{0, {0xFF, 0x51, 3, 0x0B, 0x71, 0xB0}}, {0, {0xFF, 0x58, 4, 4, 2, 24, 8}}}});
    MidiTrack piano = Instrument("Piano", 0, 0, 100);
    MidiTrack strings = Instrument("Strings", 1, 48, 64);
    MidiTrack bass = Instrument("Bass", 2, 32, 84);
    static constexpr int rise[8] = {0, 1, 2, 3, 2, 3, 1, 2};
    for (uint32_t bar = 0; bar < 8; ++bar) {
        const uint32_t at = bar * BAR;
        const Chord& chord = CHORDS[bar];
        for (int k = 0; k < 8; ++k)
            Note(&piano, 0, chord.notes[rise[k]] + 12, k == 0 ? 72 : 56, at + k * EIGHTH,
                 (k == 7 ? 1 : 2) * EIGHTH);
        for (int k = 1; k < 4; ++k)
            Note(&strings, 1, chord.notes[k], 44, at, BAR);
        Note(&bass, 2, chord.notes[0] - 12, 76, at, BAR);
    }
    for (MidiTrack* track : {&piano, &strings, &bass})
        song.tracks.push_back(*track);
    return song;
}
