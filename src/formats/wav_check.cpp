#include "formats/wav_check.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t le16(const uint8_t* b) {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8;
}

uint32_t le32(const uint8_t* b) {
    return le16(b) | le16(b + 2) << 16;
}

// The fewest bits a frame's sample of `format` may take, or 0 for a format the decoder does not read.
unsigned bits_per_sample(unsigned format, unsigned bits) {
    switch (format) {
    case 1: // PCM
        return bits == 8 || bits == 16 || bits == 24 || bits == 32 ? bits : 0;
    case 3: // IEEE float
        return bits == 32 ? bits : 0;
    case 6: // A-law
    case 7: // mu-law
        return 8;
    case 2:    // Microsoft ADPCM
    case 0x11: // IMA ADPCM
        return 4;
    default:
        return 0;
    }
}

} // namespace

const char* Wav_problem(const uint8_t* data, size_t size) {
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return "RIFF WAVE の WAV ファイルではありません";
    const uint8_t* fmt = nullptr;
    uint64_t fmt_bytes = 0, data_bytes = 0;
    bool found_data = false;
    for (size_t pos = 12; size - pos >= 8 && !found_data;) {
        const uint64_t length = le32(data + pos + 4);
        const uint8_t* body = data + pos + 8;
        const uint64_t left = size - pos - 8;
        if (std::memcmp(data + pos, "fmt ", 4) == 0) {
            if (length < 16 || left < 16) return "WAV の形式の情報が不正です";
            fmt = body;
            fmt_bytes = std::min(length, left);
        } else if (std::memcmp(data + pos, "data", 4) == 0) {
            // The reader allocates what the chunk claims before it reads: a cut file is refused.
            if (left < length) return "WAV の音のデータが途中で終わっています";
            found_data = true;
            data_bytes = length;
        }
        if (left < length + (length & 1)) break;  // the next chunk would start past the end
        pos += 8 + size_t(length) + (length & 1); // chunks are padded to even lengths
    }
    if (fmt == nullptr || !found_data) return "WAV の形式の情報か音のデータがありません";
    unsigned format = le16(fmt);
    const unsigned channels = le16(fmt + 2), bits = le16(fmt + 14);
    const uint32_t rate = le32(fmt + 4);
    // The extensible header names the real format in the first two bytes of its subformat.
    if (format == 0xFFFE) format = fmt_bytes >= 40 ? le16(fmt + 24) : 0;
    const unsigned sample_bits = bits_per_sample(format, bits);
    if (sample_bits == 0) return "この WAV の形式には対応していません";
    if (channels == 0 || channels > 8) return "WAV のチャンネル数が不正です";
    if (rate < WAV_LOWEST_RATE || rate > WAV_HIGHEST_RATE)
        return "WAV のサンプリング周波数は 4000Hz から 384000Hz までです";
    // Frames in the data, at most; each becomes 44100 / rate frames of four bytes in the mixer.
    const uint64_t frames = data_bytes * 8 / (uint64_t(sample_bits) * channels);
    if (frames * 44100 / rate * 4 > WAV_DECODED_LIMIT) return "再生用に変換すると 64MB を超える長さです";
    return nullptr;
}
