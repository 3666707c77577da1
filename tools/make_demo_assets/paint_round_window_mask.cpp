// mask_test_00.BMP: the key-copy benchmark's mask, 640x480. A round window in an earthen wall,
// with a stalk of bamboo and its leaves outside it; inside the window's ring everything else
// is pure green (0x00FF00), the key colour, so the picture the mask is copied over shows through as
// the view outside.
//
// The key is compared exactly, so the edge between key and shapes is hard: a pixel is key or not
// by its centre alone. Only the shapes themselves are smoothed, among their own colours.
#include "demo_assets.h"
#include "paint_kit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int W = 640;
constexpr int H = 480;
constexpr uint32_t KEY = 0x00FF00;
constexpr double CX = 330, CY = 222, RADIUS = 178; // the window's opening
constexpr double RING = 12;                        // its wooden ring

// The bamboo stalk's centre line and half width at height y: it leans a little and thins upwards.
double Stalk_x(double y) {
    return 212 + (480 - y) * 0.16 + 6 * std::sin(y / 90.0);
}
double Stalk_half(double y) {
    return 6 + 3 * y / H;
}

// A slim blade from (bx, by) in direction `angle` (screen angles: positive turns downwards),
// widest a third of the way out; its middle sags a little.
bool In_blade(double x, double y, double bx, double by, double angle, double length, double width) {
    const double vx = length * std::cos(angle), vy = length * std::sin(angle);
    const double t = ((x - bx) * vx + (y - by) * vy) / (vx * vx + vy * vy);
    if (t <= 0 || t >= 1) return false;
    const double cx = bx + t * vx, cy = by + t * vy + 0.1 * length * t * (1 - t);
    return std::hypot(x - cx, y - cy) < width * std::sin(3.14159 * std::pow(t, 0.55));
}

// Four twigs off the stalk, each hung with leaves that droop from points along it; laid out from
// a hash so they look grown, not placed.
bool In_leaf(double x, double y) {
    constexpr double TWIG_Y[4] = {80, 150, 230, 300};
    constexpr double TWIG_SIDE[4] = {1, -1, 1, -1};
    for (int s = 0; s < 4; ++s) {
        const double bx = Stalk_x(TWIG_Y[s]), by = TWIG_Y[s];
        const double reach = 70 + 20 * Hash2_unit(s, 9, 0xBA3A);
        const double tx = bx + TWIG_SIDE[s] * reach, ty = by - 0.35 * reach; // the twig rises outwards
        const double len2 = (tx - bx) * (tx - bx) + (ty - by) * (ty - by);
        const double t = std::clamp(((x - bx) * (tx - bx) + (y - by) * (ty - by)) / len2, 0.0, 1.0);
        if (std::hypot(x - (bx + t * (tx - bx)), y - (by + t * (ty - by))) < 1.4) return true;
        for (int i = 0; i < 5; ++i) {
            const double at = 0.35 + 0.65 * i / 4.0;
            const double lx = bx + at * (tx - bx), ly = by + at * (ty - by);
            // Hanging leaves: between 40 and 80 degrees below the horizontal, away from the stalk.
            const double droop = 0.7 + 0.7 * Hash2_unit(s, i, 0xBA3B);
            const double angle = TWIG_SIDE[s] > 0 ? droop : 3.14159 - droop;
            const double length = 64 + 30 * Hash2_unit(s, i, 0xBA3C);
            if (In_blade(x, y, lx, ly, angle, length, 5.5 + 2 * Hash2_unit(s, i, 0xBA3D))) return true;
        }
    }
    return false;
}

bool In_stalk(double x, double y) {
    return std::abs(x - Stalk_x(y)) < Stalk_half(y) && y > 30;
}

// The bamboo's colour at a point inside it: dark against the light outside, with a faint rim and
// the stalk's nodes as pale rings.
Rgb Bamboo(double x, double y, bool stalk) {
    if (!stalk) return Rgb_hex(0x121C12) * (0.85 + 0.3 * Fbm(x / 6.0, y / 6.0, 2, 0xBA3E));
    const double node = std::abs(std::fmod(y + 400, 64.0) - 32) > 30 ? 1 : 0;
    const double side = (x - Stalk_x(y)) / Stalk_half(y);
    return Mix(Rgb_hex(0x18241A), Rgb_hex(0x3C4A30), 0.3 * (1 - side * side)) * (1 + 0.8 * node);
}

// The wall around the window: earthen plaster lit from the lower left, with a post at the left
// and the edge of the floor along the bottom.
Rgb Wall(double x, double y) {
    if (x > 34 && x < 66) return Rgb_hex(0x3A2618) * (0.85 + 0.3 * Fbm(x / 30.0, y / 2.0, 3, 0x9057));
    if (y > 452) return Rgb_hex(0x2A2014) * (0.8 + 0.2 * Fbm(x / 3.0, y / 40.0, 2, 0xF100));
    const double light = 0.55 + 0.45 * std::exp(-std::hypot(x - 90, y - 470) / 420.0);
    const double grit = Fbm(x / 3.0, y / 3.0, 3, 0x6A17) * 0.25 + Fbm(x / 40.0, y / 40.0, 3, 0x6A18) * 0.2;
    return Rgb_hex(0x6A543A) * (light * (0.8 + grit));
}

// The wooden ring: lit on its lower left, in shadow on its upper right.
Rgb Ring(double x, double y) {
    const double a = std::atan2(y - CY, x - CX);
    const double lit = 0.6 + 0.4 * std::cos(a - 2.4);
    return Rgb_hex(0x4A3020) * lit * (0.85 + 0.3 * Fbm(a * 30, std::hypot(x - CX, y - CY) / 3.0, 2, 0x7107));
}

// Which part a point belongs to; the key where the window shows through.
enum class Part { Key, Wall, Ring, Stalk, Leaf };

// The bamboo grows outside: it is seen only through the window.
Part Part_at(double x, double y) {
    const double r = std::hypot(x - CX, y - CY);
    if (r < RADIUS) {
        if (In_stalk(x, y)) return Part::Stalk;
        if (In_leaf(x, y)) return Part::Leaf;
        return Part::Key;
    }
    if (r < RADIUS + RING) return Part::Ring;
    return Part::Wall;
}

Rgb Colour(Part part, double x, double y) {
    switch (part) {
    case Part::Wall:
        return Wall(x, y);
    case Part::Ring:
        return Ring(x, y);
    case Part::Stalk:
        return Bamboo(x, y, true);
    case Part::Leaf:
        return Bamboo(x, y, false);
    case Part::Key:
        break;
    }
    return {};
}

} // namespace

Picture Paint_round_window_mask() {
    Picture p;
    p.width = W;
    p.height = H;
    p.pixels.resize(size_t(W) * H);
    constexpr double OFFSETS[2] = {0.25, 0.75};
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            uint32_t& out = p.pixels[size_t(y) * W + x];
            if (Part_at(x + 0.5, y + 0.5) == Part::Key) {
                out = KEY;
                continue;
            }
            // Smooth among the shapes: sub-samples that fall on the key take the nearest shape's
            // colour instead, so no green ever blends into an edge.
            Rgb sum;
            const Part centre = Part_at(x + 0.5, y + 0.5);
            for (double oy : OFFSETS) {
                for (double ox : OFFSETS) {
                    const Part part = Part_at(x + ox, y + oy);
                    sum = sum + Colour(part == Part::Key ? centre : part, x + ox, y + oy);
                }
            }
            out = To_pixel(sum * 0.25, x, y);
            if (out == KEY) out = KEY - 0x000100; // a shape must never read as the key
        }
    }
    return p;
}
