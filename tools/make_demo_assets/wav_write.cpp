// The generator's PCM helpers: float samples to 16-bit, and the RIFF WAVE container.
#include "demo_assets.h"

#include <algorithm>
#include <cmath>

namespace {

void Put16(uint32_t v, std::vector<uint8_t>* out) {
    out->push_back(uint8_t(v));
    out->push_back(uint8_t(v >> 8));
}

void Put32(uint32_t v, std::vector<uint8_t>* out) {
    Put16(v & 0xFFFF, out);
    Put16(v >> 16, out);
}

void Put_tag(const char* tag, std::vector<uint8_t>* out) {
    out->insert(out->end(), tag, tag + 4);
}

} // namespace

Sound Sound_from_float(const std::vector<float>& samples, int channels, double peak) {
    float loudest = 0;
    for (float s : samples)
        loudest = std::max(loudest, std::fabs(s));
    const double scale = loudest > 0 ? peak * 32767.0 / loudest : 0.0;
    Sound sound;
    sound.channels = channels;
    sound.samples.reserve(samples.size());
    for (float s : samples)
        sound.samples.push_back(int16_t(std::lround(s * scale)));
    return sound;
}

std::vector<uint8_t> Wav_encode(const Sound& sound) {
    const size_t channels = size_t(sound.channels);
    if (channels < 1 || channels > 2 || sound.rate <= 0 || sound.samples.empty() ||
        sound.samples.size() % channels != 0 || sound.samples.size() > (0xFFFFFFFFu - 36) / 2)
        return {};
    const uint32_t data_bytes = uint32_t(sound.samples.size() * 2);
    const uint32_t block = uint32_t(channels * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + data_bytes);
    Put_tag("RIFF", &out);
    Put32(36 + data_bytes, &out);
    Put_tag("WAVE", &out);
    Put_tag("fmt ", &out);
    Put32(16, &out);
    Put16(1, &out); // integer PCM
    Put16(uint32_t(channels), &out);
    Put32(uint32_t(sound.rate), &out);
    Put32(uint32_t(sound.rate) * block, &out);
    Put16(block, &out);
    Put16(16, &out);
    Put_tag("data", &out);
    Put32(data_bytes, &out);
    for (int16_t s : sound.samples)
        Put16(uint16_t(s), &out);
    return out;
}
