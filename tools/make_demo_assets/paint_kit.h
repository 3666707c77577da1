// Small painting helpers for the generated pictures: colours as doubles, smooth noise, and the
// dithered conversion to 8-bit pixels that keeps wide gradients free of bands.
#pragma once

#include <cmath>
#include <cstdint>

#include "demo_assets.h"

struct Rgb {
    double r = 0, g = 0, b = 0; // 0..1
};

constexpr Rgb Rgb_hex(uint32_t rrggbb) {
    return {double(rrggbb >> 16 & 255) / 255, double(rrggbb >> 8 & 255) / 255, double(rrggbb & 255) / 255};
}
inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator*(Rgb a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}

// a at t = 0, b at t = 1; t is not clamped.
inline Rgb Mix(Rgb a, Rgb b, double t) {
    return a + (b + a * -1.0) * t;
}

double Clamp01(double v);

// 0 below e0, 1 above e1, a smooth S-curve between (e0 > e1 reverses it).
double Smoothstep(double e0, double e1, double x);

// A well-mixed 32-bit hash of a lattice point and a seed.
uint32_t Hash2(int32_t x, int32_t y, uint32_t seed);

// The hash as a number in [0, 1).
double Hash2_unit(int32_t x, int32_t y, uint32_t seed);

// Smooth value noise in [0, 1], one lattice cell per unit.
double Value_noise(double x, double y, uint32_t seed);

// Fractal sum of `octaves` layers of value noise, each twice as fine and half as strong; in [0, 1].
double Fbm(double x, double y, int octaves, uint32_t seed);

// Gradient stops for Gradient(): position (ascending) and colour.
struct GradientStop {
    double at;
    Rgb colour;
};

// Colour at t along stops[0..count), smoothly eased between neighbouring stops, held at the ends.
Rgb Gradient(const GradientStop* stops, int count, double t);

// The 8-bit pixel for a colour at (x, y). A sub-level ordered dither hides the steps of slow gradients.
uint32_t To_pixel(Rgb c, int x, int y);

// A point or direction in the painted scenes' 3-D space.
struct Vec {
    double x, y, z;
};
inline Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}
inline double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec Normalize(Vec a) {
    return a * (1 / std::sqrt(Dot(a, a)));
}

// Paints a w x h picture from a scene given in continuous picture coordinates: four samples per
// pixel, averaged, smooth the silhouettes' edges.
Picture Paint_supersampled(int w, int h, Rgb (*scene)(double x, double y));
