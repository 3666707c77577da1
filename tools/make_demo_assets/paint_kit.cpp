// Noise and colour helpers shared by the paint procedures.
#include "paint_kit.h"

#include <algorithm>
#include <cmath>

double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

double Smoothstep(double e0, double e1, double x) {
    const double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

uint32_t Hash2(int32_t x, int32_t y, uint32_t seed) {
    // Integer mixing only, so the pictures come out the same on any machine.
    uint32_t h = uint32_t(x) * 0x8DA6B343u ^ uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Hash2_unit(int32_t x, int32_t y, uint32_t seed) {
    return double(Hash2(x, y, seed) >> 8) / double(1u << 24);
}

double Value_noise(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int32_t ix = int32_t(fx), iy = int32_t(fy);
    const double tx = x - fx, ty = y - fy;
    // Quintic easing: no visible creases along the lattice lines.
    const double sx = tx * tx * tx * (tx * (tx * 6 - 15) + 10);
    const double sy = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
    const double a = Hash2_unit(ix, iy, seed), b = Hash2_unit(ix + 1, iy, seed);
    const double c = Hash2_unit(ix, iy + 1, seed), d = Hash2_unit(ix + 1, iy + 1, seed);
    const double top = a + (b - a) * sx, bottom = c + (d - c) * sx;
    return top + (bottom - top) * sy;
}

double Fbm(double x, double y, int octaves, uint32_t seed) {
    double sum = 0, weight = 0, amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += Value_noise(x, y, seed + uint32_t(i) * 7919u) * amplitude;
        weight += amplitude;
        amplitude *= 0.5;
        // Each layer is also shifted, so the lattice points of the layers do not line up.
        x = x * 2 + 17.31;
        y = y * 2 - 9.17;
    }
    return sum / weight;
}

Rgb Gradient(const GradientStop* stops, int count, double t) {
    if (t <= stops[0].at) return stops[0].colour;
    for (int i = 1; i < count; ++i) {
        if (t <= stops[i].at) {
            const double u = Smoothstep(stops[i - 1].at, stops[i].at, t);
            return Mix(stops[i - 1].colour, stops[i].colour, u);
        }
    }
    return stops[count - 1].colour;
}

uint32_t To_pixel(Rgb c, int x, int y) {
    const double dither = Hash2_unit(x, y, 0xD17E5u) - 0.5;
    auto level = [&](double v) {
        return uint32_t(std::clamp(std::floor(v * 255 + 0.5 + dither), 0.0, 255.0));
    };
    return level(c.r) << 16 | level(c.g) << 8 | level(c.b);
}

Picture Paint_supersampled(int w, int h, Rgb (*scene)(double x, double y)) {
    Picture p;
    p.width = w;
    p.height = h;
    p.pixels.resize(size_t(w) * h);
    constexpr double OFFSETS[2] = {0.25, 0.75};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Rgb sum;
            for (double oy : OFFSETS)
                for (double ox : OFFSETS)
                    sum = sum + scene(x + ox, y + oy);
            p.pixels[size_t(y) * w + x] = To_pixel(sum * 0.25, x, y);
        }
    }
    return p;
}
