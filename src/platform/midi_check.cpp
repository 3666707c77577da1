#include "platform/midi_check.h"

#include <algorithm>
#include <cstring>

namespace {

const char* const TRUNCATED = "データが途中で終わっています";

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

uint32_t be32(const uint8_t* b) {
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
}

// One track's events; its last tick into *ticks, the fastest tempo into *fastest_us, the programs
// it selects into *programs.
const char* read_track(Reader r, uint64_t* ticks, uint32_t* fastest_us, std::bitset<128>* programs) {
    uint8_t running = 0;
    uint64_t tick = 0;
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
            if (type == 0x2F) break; // end of track: the rest is skipped
            static const struct {
                uint8_t type, length;
            } FIXED[] = {{0x51, 3}, {0x54, 5}, {0x58, 4}, {0x59, 2}};
            for (const auto& f : FIXED)
                if (type == f.type && length != f.length) return "メタイベントの長さが不正です";
            if (type == 0x51) {
                const uint32_t us = uint32_t(data[0]) << 16 | uint32_t(data[1]) << 8 | data[2];
                if (us == 0) return "テンポが 0 です";
                *fastest_us = std::min(*fastest_us, us);
            }
        } else if (status == 0xF0) {
            if (!r.number(&length) || !r.take(length)) return TRUNCATED;
        } else if (status >= 0xF0) {
            return "読めないイベントがあります";
        } else {
            const uint8_t kind = status & 0xF0;
            if (!r.take(kind == 0xC0 || kind == 0xD0 ? 1 : 2)) return TRUNCATED;
            if (kind == 0xC0) programs->set(r.p[r.pos - 1] & 0x7F);
        }
    }
    *ticks = std::max(*ticks, tick);
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
    if (division == 0 || (division & 0x8000) != 0) return "この時間単位には対応していません";
    size_t pos = 14;
    uint64_t ticks = 0;
    uint32_t fastest_us = 500000; // the tempo until the first tempo event
    for (unsigned found = 0; found < tracks;) {
        if (size - pos < 8) return TRUNCATED;
        for (int i = 0; i < 4; ++i)
            if (data[pos + i] < 0x20 || data[pos + i] > 0x7E) return "チャンクの名前が不正です";
        const uint32_t length = be32(data + pos + 4);
        if (size - pos - 8 < length) return TRUNCATED;
        if (std::memcmp(data + pos, "MTrk", 4) == 0) {
            if (const char* problem =
                    read_track(Reader{data, pos + 8, pos + 8 + length}, &ticks, &fastest_us, programs))
                return problem;
            ++found;
        }
        pos += 8 + size_t(length);
    }
    if (ticks < uint64_t(MIDI_SHORTEST_US) * division && ticks * fastest_us / division < MIDI_SHORTEST_US)
        return "演奏時間が短すぎます";
    return nullptr;
}
