// The town theme, as data: an evening air on the five notes D E G A B, sixteen bars in two halves.
// The flute sings it over a koto's broken chords, held strings, a slow bass and soft wood
// blocks. The last bar's suspended A chord and the flute's fall to G lead back to the opening A.
#include "demo_assets.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr uint32_t EIGHTH = 240, BAR = 8 * EIGHTH; // at 480 ticks a quarter, in 4/4

// The flute's line, bar by bar: NOTE/EIGHTHS, where NOTE is a name and octave ("F#5") or r for rest.
constexpr const char* MELODY[16] = {
    "A4/3 B4/1 D5/2 E5/2", "D5/4 B4/2 A4/2", "G4/3 A4/1 B4/2 D5/2", "E5/6 r/2",
    "A5/3 G5/1 E5/2 D5/2", "E5/4 D5/2 B4/2", "D5/3 B4/1 A4/2 G4/2", "A4/6 r/2",
    "B4/2 D5/2 E5/2 G5/2", "A5/4 G5/2 E5/2", "G5/3 E5/1 D5/2 B4/2", "D5/2 E5/6",
    "B4/3 D5/1 E5/2 G5/2", "A5/3 G5/1 E5/4", "D5/2 E5/2 B4/2 A4/2", "E5/2 D5/2 B4/2 G4/2",
};

// The chords, low to high as the koto spreads them; the bass plays the first note an octave down.
struct Chord {
    uint8_t notes[4];
};
constexpr Chord D9{{50, 57, 64, 66}}, BM7{{47, 54, 57, 62}}, G9{{43, 50, 57, 59}}, ASUS{{45, 52, 57, 62}},
    EM7{{52, 59, 62, 67}};
constexpr Chord CHORDS[16] = {D9, BM7, G9, ASUS, D9, EM7, G9, ASUS, BM7, G9, EM7, ASUS, G9, D9, EM7, ASUS};

// Parses "F#5" style names to MIDI note numbers (C4 = 60); 0 for a rest.
int Note_number(std::string_view name) {
    if (name == "r") return 0;
    static constexpr int semitones[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    int note = semitones[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') ++note, ++i;
    if (name[i] == 'b') --note, ++i;
    return note + 12 * (name[i] - '0' + 1);
}

void Note(MidiTrack* track, int channel, int pitch, int velocity, uint32_t start, uint32_t length) {
    track->events.push_back({start, {uint8_t(0x90 | channel), uint8_t(pitch), uint8_t(velocity)}});
    track->events.push_back({start + length, {uint8_t(0x80 | channel), uint8_t(pitch), 0}});
}

// Program, volume, pan, reverb and chorus for one channel at the start.
MidiTrack Instrument(const char* name, int channel, int program, int volume, int pan, int reverb) {
    const uint8_t control = uint8_t(0xB0 | channel);
    return {name,
            {{0, {uint8_t(0xC0 | channel), uint8_t(program)}},
             {0, {control, 7, uint8_t(volume)}},
             {0, {control, 10, uint8_t(pan)}},
             {0, {control, 91, uint8_t(reverb)}},
             {0, {control, 93, 20}}}};
}

} // namespace

MidiSong Tune_town() {
    MidiSong song;
    song.end_tick = 16 * BAR;
    // 80 beats a minute: 750000 microseconds a quarter; 4/4.
    song.tracks.push_back(
        {"Town at dusk", {{0, {0xFF, 0x51, 3, 0x0B, 0x71, 0xB0}}, {0, {0xFF, 0x58, 4, 4, 2, 24, 8}}}});
    MidiTrack flute = Instrument("Flute", 0, 73, 100, 64, 70);
    MidiTrack koto = Instrument("Koto", 1, 107, 90, 44, 60);
    MidiTrack strings = Instrument("Strings", 2, 49, 70, 84, 90);
    MidiTrack bass = Instrument("Bass", 3, 32, 90, 64, 40);
    MidiTrack blocks = Instrument("Wood blocks", 9, 0, 60, 76, 50);
    static constexpr int spread[8] = {0, 1, 2, 3, 2, 1, 3, 2}; // the koto's eight strokes a bar
    for (uint32_t bar = 0; bar < 16; ++bar) {
        const uint32_t at = bar * BAR;
        uint32_t t = at;
        std::string_view line = MELODY[bar];
        while (!line.empty()) {
            const size_t slash = line.find('/'), end = std::min(line.find(' '), line.size());
            const uint32_t length = uint32_t(line[slash + 1] - '0') * EIGHTH;
            if (const int pitch = Note_number(line.substr(0, slash)))
                Note(&flute, 0, pitch, t == at ? 84 : 74, t, length - (t + length == song.end_tick ? 0 : 20));
            t += length;
            line.remove_prefix(std::min(end + 1, line.size()));
        }
        const Chord& chord = CHORDS[bar];
        for (int k = 0; k < 8; ++k)
            Note(&koto, 1, chord.notes[spread[k]], k == 0 ? 62 : 46 + 4 * (k % 2 == 0), at + k * EIGHTH,
                 EIGHTH);
        for (uint8_t pitch : chord.notes)
            Note(&strings, 2, pitch + 12, 48, at, BAR);
        Note(&bass, 3, chord.notes[0] - 12, 80, at, 6 * EIGHTH);
        Note(&bass, 3, chord.notes[0] - 5, 64, at + 6 * EIGHTH, 2 * EIGHTH);
        Note(&blocks, 9, 77, 40, at, EIGHTH);                       // low wood block on the first beat
        Note(&blocks, 9, 76, 26, at + 4 * EIGHTH, EIGHTH);          // high one on the third
        if (bar % 4 == 0) Note(&blocks, 9, 81, 30, at, 2 * EIGHTH); // a triangle each phrase
    }
    for (MidiTrack* track : {&flute, &koto, &strings, &bass, &blocks})
        song.tracks.push_back(*track);
    return song;
}
