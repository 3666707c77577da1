#include "platform/sdl/upsample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int HALF = UPSAMPLE_TAPS / 2;

// A Blackman-windowed sinc sampled halfway between the old samples, summing to 1: flat within
// 0.05 dB up to 0.36 of the old rate, and the images of what lies there at least 45 dB down.
std::array<float, UPSAMPLE_TAPS> Make_taps() {
    std::array<double, UPSAMPLE_TAPS> h{};
    double sum = 0;
    const double pi = std::acos(-1.0);
    for (int j = 0; j < UPSAMPLE_TAPS; ++j) {
        const double t = j - HALF + 0.5;
        const double w = 0.42 + 0.5 * std::cos(pi * t / HALF) + 0.08 * std::cos(2 * pi * t / HALF);
        h[size_t(j)] = std::sin(pi * t) / (pi * t) * w;
        sum += h[size_t(j)];
    }
    std::array<float, UPSAMPLE_TAPS> taps{};
    for (int j = 0; j < UPSAMPLE_TAPS; ++j)
        taps[size_t(j)] = float(h[size_t(j)] / sum);
    return taps;
}

const std::array<float, UPSAMPLE_TAPS> TAPS = Make_taps();

int16_t To_s16(float v) {
    return int16_t(std::lround(std::clamp(v * 32768.0f, -32768.0f, 32767.0f)));
}

} // namespace

void Upsample_2x(Upsampler* u, const float* in, int frames, int16_t* out) {
    constexpr int KEPT = UPSAMPLE_TAPS - 1;
    // The remembered frames, then the new ones: frame p's filter reads frames p - 15 to p.
    thread_local std::vector<float> line;
    line.assign(u->history.begin(), u->history.end());
    line.insert(line.end(), in, in + size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const float* x = line.data() + size_t(i) * 2; // frame p - 15, p = i + 15
        for (int c = 0; c < 2; ++c) {
            float between = 0;
            for (int j = 0; j < UPSAMPLE_TAPS; ++j)
                between += TAPS[size_t(j)] * x[size_t(KEPT - j) * 2 + size_t(c)];
            out[size_t(i) * 4 + size_t(c)] = To_s16(x[size_t(KEPT - HALF) * 2 + size_t(c)]);
            out[size_t(i) * 4 + 2 + size_t(c)] = To_s16(between);
        }
    }
    std::copy(line.end() - KEPT * 2, line.end(), u->history.begin());
}
