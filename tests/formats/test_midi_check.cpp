// The MIDI check that keeps unreadable or timeless pieces away from the synthesiser, which would
// otherwise read them again and again inside the audio thread.
#include <gtest/gtest.h>

#include <string>

#include "formats/midi_check.h"

namespace {

std::string Be32(uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

std::string Header(int tracks = 1, int division = 480) {
    return "MThd" + Be32(6) +
           std::string{0, 1, char(tracks >> 8), char(tracks), char(division >> 8), char(division)};
}

std::string Track(const std::string& events) {
    return "MTrk" + Be32(uint32_t(events.size())) + events;
}

std::string Repeat(const std::string& s, int n) {
    std::string all;
    for (int i = 0; i < n; ++i)
        all += s;
    return all;
}

const std::string NOTE = std::string("\x00\x90\x3C\x40\x83\x60\x80\x3C\x00", 9); // one beat: 0.5 s
const std::string END = std::string("\x00\xFF\x2F\x00", 4);

TEST(MidiCheck, AcceptsWhatThePlayerReadsAndRefusesTheRest) {
    const struct {
        const char* name;
        std::string file;
        bool playable;
    } cases[] = {
        {"a note", Header() + Track(NOTE + END), true},
        {"running status", Header() + Track(NOTE + std::string("\x83\x60\x3C\x40", 4) + END), true},
        {"an unknown chunk after the last track", Header() + Track(NOTE + END) + "XFIR" + Be32(2) + "ab",
         true},
        {"127 tracks", Header(127) + Repeat(Track(NOTE + END), 127), true},
        {"no end-of-track event", Header() + Track(NOTE), true},
        {"bytes after the end of track", Header() + Track(NOTE + END + "\x01\x02"), true},
        {"header only", Header(), false},
        {"garbage after MThd", "MThd" + std::string(40, '\x7F'), false},
        {"header length 7", "MThd" + Be32(7) + std::string(7, '\0'), false},
        {"SMPTE time", Header(1, 0xE728) + Track(NOTE + END), false},
        {"zero division", Header(1, 0) + Track(NOTE + END), false},
        {"track longer than the file", Header() + "MTrk" + Be32(100) + NOTE, false},
        {"note cut short", Header() + Track(NOTE + std::string("\x00\x90\x3C", 3)), false},
        {"data byte with no status", Header() + Track(std::string("\x00\x3C\x40", 3) + END), false},
        {"five-byte delta time", Header() + Track(std::string("\x80\x80\x80\x80\x00", 5) + NOTE), false},
        {"system common message", Header() + Track(std::string("\x00\xF2\x00\x00", 4) + NOTE), false},
        {"tempo of two bytes", Header() + Track(std::string("\x00\xFF\x51\x02\x07\xA1", 6) + NOTE), false},
        {"tempo zero", Header() + Track(std::string("\x00\xFF\x51\x03\x00\x00\x00", 7) + NOTE), false},
        {"no time passes", Header() + Track(std::string("\x00\x90\x3C\x40\x00\x80\x3C\x00", 8) + END), false},
        {"too fast to loop", Header() + Track(std::string("\x00\xFF\x51\x03\x00\x00\x01", 7) + NOTE), false},
        {"second track missing", Header(2) + Track(NOTE + END), false},
        // The synthesiser cannot read these three, and playing them looped its reading for ever.
        {"an unknown chunk before the track", Header() + "XFIR" + Be32(2) + "ab" + Track(NOTE + END), false},
        {"128 tracks", Header(128) + Repeat(Track(NOTE + END), 128), false},
        {"end of track with a length", Header() + Track(NOTE + std::string("\x00\xFF\x2F\x01\x00", 5)),
         false},
        {"non-text chunk name", Header() + std::string("\x01\x02\x03\x04", 4) + Be32(0) + Track(NOTE), false},
    };
    for (const auto& c : cases) {
        const char* problem = Midi_problem(reinterpret_cast<const uint8_t*>(c.file.data()), c.file.size());
        EXPECT_EQ(problem == nullptr, c.playable) << c.name << ": " << (problem ? problem : "accepted");
    }
}

// The synthesiser builds only the instruments of these programs: one missed would play as a piano.
TEST(MidiCheck, ReportsTheProgramsOfEveryTrack) {
    const std::string file = Header(2) + Track(std::string("\x00\xC1\x13\x00\x28", 5) + NOTE + END) +
                             Track(std::string("\x00\xC9\x7F", 3) + END);
    std::bitset<128> programs;
    ASSERT_EQ(Midi_problem(reinterpret_cast<const uint8_t*>(file.data()), file.size(), &programs), nullptr);
    EXPECT_EQ(programs, std::bitset<128>().set(19).set(40).set(127));
}

// The synthesiser would start each note and say so on the error stream: pieces that start more
// notes in a second than any music does are refused, counted over all tracks, at their tempo.
TEST(MidiCheck, RefusesMoreNotesInASecondThanMusicHas) {
    const auto chord = [](int notes, const std::string& gap) {
        std::string events;
        for (int i = 0; i < notes; ++i)
            events += gap + std::string("\x90\x3C\x40", 3);
        return events + std::string("\x83\x60\x80\x3C\x00", 5) + END;
    };
    const std::string faster = std::string("\x00\xFF\x51\x03\x00\xF4\x24", 7); // 62.5 ms a beat
    const std::string one_tick(1, '\x01');
    const struct {
        const char* name;
        std::string file;
        bool playable;
    } cases[] = {
        {"4000 at once", Header() + Track(chord(4000, std::string(1, '\0'))), true},
        {"4001 at once", Header() + Track(chord(4001, std::string(1, '\0'))), false},
        {"2001 at once in each of two tracks",
         Header(2) + Repeat(Track(chord(2001, std::string(1, '\0'))), 2), false},
        {"6000 a tick apart: 6 s", Header() + Track(chord(6000, one_tick)), true},
        {"6000 a tick apart at a fast tempo: 0.8 s",
         Header(2) + Track(faster + END) + Track(chord(6000, one_tick)), false},
    };
    for (const auto& c : cases) {
        const char* problem = Midi_problem(reinterpret_cast<const uint8_t*>(c.file.data()), c.file.size());
        EXPECT_EQ(problem == nullptr, c.playable) << c.name << ": " << (problem ? problem : "accepted");
    }
}

} // namespace
