// Doubling the rate of a stereo stream: the synthesiser runs at half the mixer's rate, which halves
// its cost, and its pieces hold next to nothing above a quarter of the mixer's rate (the soundfont's
// samples are recorded no higher), so doubling loses nothing that can be heard.
#pragma once

#include <array>
#include <cstdint>

// Taps of the filter that makes each new sample between two old ones; the stream is delayed by half
// as many old samples.
constexpr int UPSAMPLE_TAPS = 16;

// What the filter remembers of the stream between blocks: its last old frames.
struct Upsampler {
    std::array<float, 2 * (UPSAMPLE_TAPS - 1)> history{};
};

// Turns `frames` stereo frames of `in` (interleaved, full scale 1.0) into 2 * `frames` frames of
// 16-bit stereo in `out`, clipped, continuing the stream that the earlier calls on `u` began.
void Upsample_2x(Upsampler* u, const float* in, int frames, int16_t* out);
