// The generator's Standard MIDI File writer (format 1): events are given at absolute ticks and
// written as deltas, without running status.
#include "demo_assets.h"

#include <algorithm>

namespace {

void Put32(uint32_t v, std::vector<uint8_t>* out) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back(uint8_t(v >> shift));
}

// Order within one tick: set-up first, then releases, then new notes, so that a note struck again at
// the tick its previous sounding ends is not cut by that note-off.
int Rank(const MidiEvent& e) {
    const uint8_t kind = e.bytes[0] & 0xF0;
    if (kind == 0x80 || (kind == 0x90 && e.bytes.size() > 2 && e.bytes[2] == 0)) return 1;
    return kind == 0x90 ? 2 : 0;
}

void Put_event(uint32_t delta, const std::vector<uint8_t>& bytes, std::vector<uint8_t>* out) {
    Midi_put_vlq(delta, out);
    out->insert(out->end(), bytes.begin(), bytes.end());
}

} // namespace

void Midi_put_vlq(uint32_t value, std::vector<uint8_t>* out) {
    value &= 0x0FFFFFFF;
    int shift = 21;
    while (shift > 0 && (value >> shift) == 0)
        shift -= 7;
    for (; shift > 0; shift -= 7)
        out->push_back(uint8_t(0x80 | (value >> shift & 0x7F)));
    out->push_back(uint8_t(value & 0x7F));
}

std::vector<uint8_t> Midi_encode(const MidiSong& song) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    Put32(6, &out);
    out.insert(out.end(), {0, 1, uint8_t(song.tracks.size() >> 8), uint8_t(song.tracks.size()),
                           uint8_t(song.ticks_per_quarter >> 8), uint8_t(song.ticks_per_quarter)});
    for (const MidiTrack& track : song.tracks) {
        std::vector<MidiEvent> events = track.events;
        for (const MidiEvent& e : events)
            if (e.bytes.empty() || e.tick > song.end_tick) return {};
        std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
            return a.tick != b.tick ? a.tick < b.tick : Rank(a) < Rank(b);
        });
        std::vector<uint8_t> body;
        std::vector<uint8_t> name = {0xFF, 0x03};
        Midi_put_vlq(uint32_t(track.name.size()), &name);
        name.insert(name.end(), track.name.begin(), track.name.end());
        Put_event(0, name, &body);
        uint32_t now = 0;
        for (const MidiEvent& e : events) {
            Put_event(e.tick - now, e.bytes, &body);
            now = e.tick;
        }
        Put_event(song.end_tick - now, {0xFF, 0x2F, 0x00}, &body);
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        Put32(uint32_t(body.size()), &out);
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}
