// The rain: a soft bed of band-limited noise (the far rain) with scattered drops on leaves and eaves
// (short decaying tones at random pitches and places). To loop, the take runs half a second longer
// than the loop and that extra tail is faded into the head with equal power.
#include "demo_assets.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int RATE = 44100;

// A small deterministic generator (xorshift), so the rain is the same on every build.
struct Random {
    uint32_t state;
    uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    double Unit() { return Next() / 4294967296.0; } // [0, 1)
};

// One-pole low-pass coefficient for a cut-off frequency.
double Pole(double hz) {
    return 1 - std::exp(-2 * std::numbers::pi * hz / RATE);
}

// The bed for one channel: noise low-passed twice near 2.4 kHz and high-passed near 250 Hz, plus a
// quieter darker layer below 500 Hz for the body of the rain.
void Add_bed(Random* random, std::vector<float>* frames, int channel) {
    const double bright = Pole(2400), dark = Pole(500), high = Pole(250);
    double a = 0, b = 0, body = 0, slow = 0;
    for (size_t i = size_t(channel); i < frames->size(); i += 2) {
        const double white = random->Unit() * 2 - 1;
        a += bright * (white - a);
        b += bright * (a - b);
        slow += high * (b - slow);
        body += dark * (white - body);
        (*frames)[i] += float((b - slow) * 1.6 + body * 0.9);
    }
}

// Drops: tones of 1.2-4.5 kHz gliding a little down, dying within a few milliseconds.
void Add_drops(Random* random, std::vector<float>* frames) {
    const size_t count = frames->size() / 2;
    const double per_second = 45;
    for (double t = 0; t * RATE < double(count);) {
        t += -std::log(1 - random->Unit()) / per_second; // Poisson arrivals
        const double hz = 1200 + 3300 * random->Unit() * random->Unit();
        const double decay = 0.003 + 0.009 * random->Unit(), level = 0.08 + 0.3 * random->Unit();
        const double pan = random->Unit();
        const size_t start = size_t(t * RATE);
        const size_t length = size_t(decay * 6 * RATE);
        double phase = 0;
        for (size_t k = 0; k < length && start + k < count; ++k) {
            const double s = double(k) / RATE;
            phase += 2 * std::numbers::pi * hz * (1 - 0.25 * s / (decay * 6)) / RATE;
            const double v = level * std::sin(phase) * std::exp(-s / decay) * std::min(1.0, s / 0.0004);
            (*frames)[(start + k) * 2] += float(v * std::sqrt(1 - pan));
            (*frames)[(start + k) * 2 + 1] += float(v * std::sqrt(pan));
        }
    }
}

} // namespace

Sound Make_rain() {
    const size_t loop = 4 * RATE, overlap = RATE / 2;
    std::vector<float> take((loop + overlap) * 2, 0.0f);
    Random random{0x5EED1234u};
    Add_bed(&random, &take, 0);
    Add_bed(&random, &take, 1);
    Add_drops(&random, &take);
    // The head fades in as the tail (which continues the loop's end) fades out.
    std::vector<float> frames(take.begin(), take.begin() + long(loop * 2));
    for (size_t i = 0; i < overlap; ++i) {
        const double x = (double(i) + 0.5) / double(overlap) * std::numbers::pi / 2;
        for (size_t c = 0; c < 2; ++c)
            frames[i * 2 + c] = float(take[i * 2 + c] * std::sin(x) + take[(loop + i) * 2 + c] * std::cos(x));
    }
    return Sound_from_float(frames, 2, 0.5);
}
