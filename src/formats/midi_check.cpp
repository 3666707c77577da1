#include "formats/midi_check.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const char* const TRUNCATED = "データが途中で終わっています";
const char* const NOTES_TOO_DENSE = "1 秒に 4000 を超える音が鳴り始めます";

struct Reader {
    const uint8_t* p;
    size_t pos, end;

    bool take(size_t n) {
        if (end - pos < n) return false;
        pos += n;
        return true;
    }
    // A variable-length number: at most four bytes, as the synthesiser reads it.
    bool number(uint32_t* value) {
        *value = 0;
        for (int i = 0; i < 4; ++i) {
            if (pos >= end) return false;
            const uint8_t b = p[pos++];
            *value = (*value << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return true;
        }
        return false;
    }
};

// Tempo changes: from `tick` on, a beat lasts `us`.
struct Tempo {
    uint64_t tick;
    uint32_t us;
};

// What the second reading of the tracks collects: the second of music each note-on falls in, found
// through the tempo changes the first reading collected.
struct Density {
    std::vector<Tempo> tempos;   // sorted by tick, the first at tick 0
    std::vector<long double> at; // the time of each tempo change, in microseconds
    unsigned division;
    std::vector<uint32_t> seconds;
    uint32_t track_second = 0, track_count = 0; // the present track's last second and its notes

    // False if one track alone starts more than MIDI_NOTES_PER_SECOND notes in a second.
    bool note_on(uint64_t tick, bool first_of_track) {
        const size_t t =
            size_t(std::upper_bound(tempos.begin(), tempos.end(), tick,
                                    [](uint64_t k, const Tempo& tempo) { return k < tempo.tick; }) -
                   tempos.begin()) -
            1;
        const long double us = at[t] + (long double)(tick - tempos[t].tick) * tempos[t].us / division;
        const uint32_t second = uint32_t(std::min<long double>(us / 1e6L, UINT32_MAX));
        if (first_of_track || second != track_second) track_count = 0;
        track_second = second;
        seconds.push_back(second);
        return ++track_count <= MIDI_NOTES_PER_SECOND;
    }
};

uint32_t be32(const uint8_t* b) {
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
}

// One track's events; its last tick into *ticks, its tempo changes into *tempos, the programs it
// selects into *programs. With `density`, its note-ons are counted there instead.
const char* read_track(Reader r, uint64_t* ticks, std::vector<Tempo>* tempos, std::bitset<128>* programs,
                       Density* density) {
    uint8_t running = 0;
    uint64_t tick = 0;
    bool first = true; // no note-on read yet
    while (r.pos < r.end) {
        uint32_t delta;
        if (!r.number(&delta)) return "時間の値が不正です";
        tick += delta;
        if (r.pos >= r.end) return TRUNCATED;
        uint8_t status = r.p[r.pos];
        if (status & 0x80) {
            ++r.pos;
        } else if (running == 0) {
            return "ランニングステータスが不正です";
        } else {
            status = running;
        }
        running = status; // the synthesiser keeps even a meta or exclusive status running
        uint32_t length;
        if (status == 0xFF) {
            if (r.pos >= r.end) return TRUNCATED;
            const uint8_t type = r.p[r.pos++];
            if (!r.number(&length) || !r.take(length)) return TRUNCATED;
            const uint8_t* data = r.p + r.pos - length;
            if (type == 0x2F) {
                if (length != 0) return "トラックの終わりのイベントの長さが 0 ではありません";
                break; // the rest is skipped
            }
            static const struct {
                uint8_t type, length;
            } FIXED[] = {{0x51, 3}, {0x54, 5}, {0x58, 4}, {0x59, 2}};
            for (const auto& f : FIXED)
                if (type == f.type && length != f.length) return "メタイベントの長さが不正です";
            if (type == 0x51) {
                const uint32_t us = uint32_t(data[0]) << 16 | uint32_t(data[1]) << 8 | data[2];
                if (us == 0) return "テンポが 0 です";
                tempos->push_back({tick, us});
            }
        } else if (status == 0xF0) {
            if (!r.number(&length) || !r.take(length)) return TRUNCATED;
        } else if (status >= 0xF0) {
            return "読めないイベントがあります";
        } else {
            const uint8_t kind = status & 0xF0;
            if (!r.take(kind == 0xC0 || kind == 0xD0 ? 1 : 2)) return TRUNCATED;
            if (kind == 0xC0) programs->set(r.p[r.pos - 1] & 0x7F);
            if (kind == 0x90 && density != nullptr && r.p[r.pos - 1] != 0 && !density->note_on(tick, first))
                return NOTES_TOO_DENSE;
            if (kind == 0x90) first = false;
        }
    }
    *ticks = std::max(*ticks, tick);
    return nullptr;
}

// Reads every track, with `density` or without; nullptr if all could be read.
const char* read_tracks(const uint8_t* data, size_t size, unsigned tracks, uint64_t* ticks,
                        std::vector<Tempo>* tempos, std::bitset<128>* programs, Density* density) {
    size_t pos = 14;
    for (unsigned found = 0; found < tracks; ++found) {
        if (size - pos < 8) return TRUNCATED;
        // The synthesiser stops reading at any chunk but a track before the last track.
        if (std::memcmp(data + pos, "MTrk", 4) != 0) return "トラックの前に知らないチャンクがあります";
        const uint32_t length = be32(data + pos + 4);
        if (size - pos - 8 < length) return TRUNCATED;
        if (const char* problem =
                read_track(Reader{data, pos + 8, pos + 8 + length}, ticks, tempos, programs, density))
            return problem;
        pos += 8 + size_t(length);
    }
    return nullptr;
}

} // namespace

const char* Midi_problem(const uint8_t* data, size_t size, std::bitset<128>* programs) {
    std::bitset<128> ignored;
    if (programs == nullptr) programs = &ignored;
    if (size < 14 || std::memcmp(data, "MThd", 4) != 0 || be32(data + 4) != 6) return "MIDI ヘッダが不正です";
    const unsigned format = data[8] << 8 | data[9], tracks = data[10] << 8 | data[11];
    const unsigned division = data[12] << 8 | data[13];
    if (format > 2 || tracks == 0) return "MIDI ヘッダが不正です";
    if (tracks > MIDI_MOST_TRACKS) return "トラックは 127 までです";
    if (division == 0 || (division & 0x8000) != 0) return "この時間単位には対応していません";
    uint64_t ticks = 0;
    std::vector<Tempo> tempos{{0, 500000}}; // the tempo until the first tempo event
    if (const char* problem = read_tracks(data, size, tracks, &ticks, &tempos, programs, nullptr))
        return problem;
    uint32_t fastest_us = 500000;
    for (const Tempo& t : tempos)
        fastest_us = std::min(fastest_us, t.us);
    if (ticks < uint64_t(MIDI_SHORTEST_US) * division && ticks * fastest_us / division < MIDI_SHORTEST_US)
        return "演奏時間が短すぎます";
    // A later change at the same tick wins, as it does in the synthesiser's player.
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const Tempo& a, const Tempo& b) { return a.tick < b.tick; });
    Density density{std::move(tempos), {}, division, {}};
    density.at.push_back(0);
    for (size_t i = 1; i < density.tempos.size(); ++i) {
        const Tempo& before = density.tempos[i - 1];
        density.at.push_back(density.at.back() +
                             (long double)(density.tempos[i].tick - before.tick) * before.us / division);
    }
    std::vector<Tempo> unused;
    if (const char* problem = read_tracks(data, size, tracks, &ticks, &unused, programs, &density))
        return problem;
    // The tracks together: the most notes any second of music starts.
    std::sort(density.seconds.begin(), density.seconds.end());
    for (size_t i = 0, j = 0; i < density.seconds.size(); i = j) {
        while (j < density.seconds.size() && density.seconds[j] == density.seconds[i])
            ++j;
        if (j - i > MIDI_NOTES_PER_SECOND) return NOTES_TOO_DENSE;
    }
    return nullptr;
}
