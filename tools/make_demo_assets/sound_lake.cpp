// The night lake: eight slow bars (60 beats a minute) of soft FM keys on the A minor pentatonic over
// a breathing pad and a round bass, with a dark ping-pong echo. Rendered on a circle: whatever sounds
// past the end (release tails, echoes) is laid over the start, so the piece loops without a seam.
#include "demo_assets.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int RATE = 44100;
constexpr double BEAT = 1.0, LENGTH = 32 * BEAT; // seconds
constexpr double TWO_PI = 2 * std::numbers::pi;

double Hz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Stereo frames on a loop of LENGTH seconds.
struct Loop {
    std::vector<float> frames = std::vector<float>(size_t(LENGTH * RATE) * 2, 0.0f);
    void Add(size_t i, double left, double right) {
        i %= frames.size() / 2;
        frames[i * 2] += float(left);
        frames[i * 2 + 1] += float(right);
    }
};

// A raised-cosine ramp from 0 at t = 0 to 1 at t = time.
double Ramp(double t, double time) {
    return t >= time ? 1 : 0.5 - 0.5 * std::cos(std::numbers::pi * t / time);
}

// The keys: a sine carrier with a same-frequency modulator whose depth falls after the strike,
// bright at first then mellow, dying slowly and released over 0.6 s.
void Add_key(Loop* loop, int note, double start, double length, double level, double pan) {
    const double f = Hz(note), release = 0.6;
    const size_t first = size_t(start * RATE), count = size_t((length + release) * RATE);
    for (size_t k = 0; k < count; ++k) {
        const double t = double(k) / RATE;
        const double index = 1.1 * std::exp(-t / 0.35) + 0.25;
        const double release_gain = t < length ? 1 : Ramp(length + release - t, release);
        const double v = level * Ramp(t, 0.012) * std::exp(-t / 2.2) * release_gain *
                         std::sin(TWO_PI * f * t + index * std::sin(TWO_PI * f * t));
        loop->Add(first + k, v * (1 - pan), v * pan);
    }
}

// A tone turning at a fixed rate, kept as a unit phasor rotated each sample (no sine calls).
struct Phasor {
    double s = 0, c = 1, step_s, step_c;
    explicit Phasor(double hz) : step_s(std::sin(TWO_PI * hz / RATE)), step_c(std::cos(TWO_PI * hz / RATE)) {}
    void Turn() {
        const double next = s * step_c + c * step_s;
        c = c * step_c - s * step_s;
        s = next;
    }
    // Five harmonics falling as 1/h^2, each got from the one before by angle addition.
    double Soft_saw() const {
        double hs = s, hc = c, sum = s;
        for (int h = 2; h <= 5; ++h) {
            const double next = hs * c + hc * s;
            hc = hc * c - hs * s;
            hs = next;
            sum += hs / (h * h);
        }
        return sum;
    }
};

// The pad: two slightly detuned soft saw-like tones, one each side, swelling in and out.
void Add_pad(Loop* loop, int note, double start, double length, double level) {
    const double attack = 1.4, release = 1.8;
    const size_t first = size_t(start * RATE), count = size_t((length + release) * RATE);
    Phasor left(Hz(note) * 0.998), right(Hz(note) * 1.002);
    for (size_t k = 0; k < count; ++k, left.Turn(), right.Turn()) {
        const double t = double(k) / RATE;
        const double gain = level * Ramp(t, attack) * (t < length ? 1 : Ramp(length + release - t, release));
        loop->Add(first + k, gain * left.Soft_saw(), gain * right.Soft_saw());
    }
}

void Add_bass(Loop* loop, int note, double start, double length, double level) {
    const double f = Hz(note), release = 0.8;
    const size_t first = size_t(start * RATE), count = size_t((length + release) * RATE);
    for (size_t k = 0; k < count; ++k) {
        const double t = double(k) / RATE;
        const double gain = level * Ramp(t, 0.05) * (t < length ? 1 : Ramp(length + release - t, release));
        const double v = gain * (std::sin(TWO_PI * f * t) + 0.25 * std::sin(TWO_PI * 2 * f * t));
        loop->Add(first + k, v, v);
    }
}

// A ping-pong echo, darkened each time round, run twice round the loop so that what is heard is its
// steady state: the echoes of the end already sound at the start.
void Add_echo(Loop* loop, double delay, double feedback, double wet) {
    const size_t n = loop->frames.size() / 2, d = size_t(delay * RATE);
    const double dark = 1 - std::exp(-TWO_PI * 2500 / RATE);
    std::vector<float> left(d, 0.0f), right(d, 0.0f);
    const std::vector<float> dry = loop->frames;
    double low = 0;
    for (size_t k = 0; k < 2 * n; ++k) {
        const size_t i = k % n, p = k % d;
        const double out_left = left[p], out_right = right[p];
        low += dark * (out_right - low);
        left[p] = float(0.5 * (dry[i * 2] + dry[i * 2 + 1]) + feedback * low);
        right[p] = float(out_left);
        if (k >= n) loop->Add(i, wet * out_left, wet * out_right);
    }
}

struct KeyNote {
    double beat, beats;
    int note;
};

} // namespace

Sound Make_lake() {
    // Am(add9), Fmaj7, C(add9), G6, twice; the keys' tune over them.
    static constexpr int chords[4][4] = {
        {57, 60, 64, 71}, {53, 57, 60, 64}, {55, 60, 62, 64}, {55, 59, 62, 64}};
    static constexpr int roots[4] = {45, 41, 48, 43};
    static constexpr KeyNote tune[] = {
        {0, 1.5, 76}, {1.5, 0.5, 74}, {2, 2, 72},  {4, 3, 69},  {7, 1, 67},  {8, 1, 72},    {9, 1, 74},
        {10, 2, 76},  {12, 4, 74},    {16, 1, 76}, {17, 1, 79}, {18, 2, 81}, {20, 1.5, 79}, {21.5, 0.5, 76},
        {22, 2, 72},  {24, 1, 74},    {25, 1, 76}, {26, 1, 79}, {27, 1, 76}, {28, 2, 74},   {30, 2, 71},
    };
    Loop loop;
    for (int bar = 0; bar < 8; ++bar) {
        const double at = bar * 4 * BEAT;
        for (int note : chords[bar % 4])
            Add_pad(&loop, note, at, 4 * BEAT, 0.05);
        Add_bass(&loop, roots[bar % 4] - 12, at, 3.5 * BEAT, 0.22);
        // The keys also touch the chord's top softly on the off-beat of the third beat.
        Add_key(&loop, chords[bar % 4][3] + 12, at + 2.5 * BEAT, 1.5 * BEAT, 0.06, 0.7);
    }
    for (const KeyNote& k : tune)
        Add_key(&loop, k.note, k.beat * BEAT, k.beats * BEAT * 0.95, 0.22, 0.42);
    Add_echo(&loop, 0.75 * BEAT, 0.45, 0.35);
    // Peak 0.26: as played, the piece then sounds as loud as the town's MIDI piece through the
    // soundfont (both about -23 dBFS RMS; at 0.7 it was 8.6 dB louder).
    return Sound_from_float(loop.frames, 2, 0.26);
}
