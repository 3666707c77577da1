// The bell: a small cast bell's inharmonic partials, each a close pair that beats slowly, so the tone
// shimmers as it dies away. Higher partials die faster, leaving the warm fundamental at the end.
#include "demo_assets.h"

#include <cmath>
#include <numbers>

Sound Make_bell() {
    constexpr int rate = 44100;
    constexpr double length = 1.5, attack = 0.006, fade = 0.35, fundamental = 659.25; // E5
    struct Partial {
        double ratio, amplitude, decay, beat_hz;
    };
    // Ratios of a free-ringing bar's modes, and the hum a fifth below the strike tone.
    constexpr Partial partials[] = {{1.0, 1.0, 0.55, 0.9},
                                    {2.756, 0.45, 0.30, 1.7},
                                    {5.404, 0.22, 0.15, 2.3},
                                    {8.933, 0.09, 0.08, 3.1},
                                    {0.667, 0.18, 0.70, 0.6}};
    constexpr double two_pi = 2 * std::numbers::pi;
    const int n = int(length * rate);
    std::vector<float> samples(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        double v = 0;
        for (const Partial& p : partials) {
            const double f = fundamental * p.ratio;
            const double pair =
                std::sin(two_pi * (f - p.beat_hz / 2) * t) + 0.6 * std::sin(two_pi * (f + p.beat_hz / 2) * t);
            v += p.amplitude * std::exp(-t / p.decay) * pair;
        }
        // A raised-cosine attack (no click at the strike) and a cosine fade to exact silence.
        double envelope = 1;
        if (t < attack) envelope = 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack);
        if (t > length - fade)
            envelope *= 0.5 + 0.5 * std::cos(std::numbers::pi * (t - (length - fade)) / fade);
        samples[size_t(i)] = float(v * envelope);
    }
    Sound sound = Sound_from_float(samples, 1, 0.7);
    sound.samples.back() = 0;
    return sound;
}
