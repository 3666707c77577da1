// bg_room.bmp: a tatami room of the old inn by the lake, late at night. The only light inside is a
// paper floor lamp in the left corner; the back wall's window stands open on the lake under the
// moon, and the moonlight lays the window's shape, crossed by its bars, on the mats. On a low table
// in the middle lies a postcard.
//
// The room is traced: its walls, floor and ceiling are planes, the furniture and the window's frame
// are boxes. The lamp lights everything it faces; the moon lights only what it can reach through
// the window. Outside the window is the night lake scene, framed to show the moon and the water.
#include "demo_assets.h"
#include "night_lake.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int W = 640;
constexpr int H = 480;
constexpr double VX = 320;
constexpr double VY = 235;
constexpr double FOCAL = 420;

constexpr double LEFT = -2.2, RIGHT = 2.6, BACK = 4.2, CEILING = 2.45, FRONT = -1.0;
constexpr double WIN_L = -1.3, WIN_R = 1.2, WIN_B = 0.8, WIN_T = 2.0; // the window opening
constexpr double BEAM_LOW = 1.8, BEAM_HIGH = 1.9;                     // the beam round the room

constexpr Vec EYE = {0.3, 1.05, 0};
constexpr Vec LAMP = {-1.6, 0.5, 3.4};
const Vec TO_MOON = Normalize({-0.42, 0.75, 1}); // from the room out through the window to the moon

enum class Thing { Floor, Ceiling, Wall, Outside, Frame, Table, Cushion, Lamp, Postcard };

struct Box {
    Vec lo, hi;
    Thing thing;
};

std::vector<Box> Build_boxes() {
    std::vector<Box> b;
    // The window: sill, head, jambs, and the bars of its sliding panes.
    b.push_back({{WIN_L - 0.05, WIN_B - 0.08, BACK - 0.16}, {WIN_R + 0.05, WIN_B, BACK}, Thing::Frame});
    b.push_back({{WIN_L - 0.05, WIN_T, BACK - 0.1}, {WIN_R + 0.05, WIN_T + 0.08, BACK}, Thing::Frame});
    b.push_back({{WIN_L - 0.06, WIN_B, BACK - 0.1}, {WIN_L, WIN_T, BACK}, Thing::Frame});
    b.push_back({{WIN_R, WIN_B, BACK - 0.1}, {WIN_R + 0.06, WIN_T, BACK}, Thing::Frame});
    for (double x : {-0.67, -0.05, 0.57})
        b.push_back({{x - 0.025, WIN_B, BACK - 0.05}, {x + 0.025, WIN_T, BACK - 0.02}, Thing::Frame});
    b.push_back({{WIN_L, 1.52, BACK - 0.05}, {WIN_R, 1.55, BACK - 0.02}, Thing::Frame});
    // The low table, its legs, the cushion before it, and the postcard on it.
    b.push_back({{-0.55, 0.3, 1.7}, {0.75, 0.36, 2.45}, Thing::Table});
    for (double x : {-0.5, 0.66})
        for (double z : {1.75, 2.36})
            b.push_back({{x, 0, z}, {x + 0.05, 0.3, z + 0.05}, Thing::Table});
    b.push_back({{-0.15, 0, 0.95}, {0.45, 0.07, 1.5}, Thing::Cushion});
    b.push_back({{0.12, 0.36, 1.9}, {0.38, 0.363, 2.07}, Thing::Postcard});
    // The paper lamp in the corner.
    b.push_back({{LAMP.x - 0.17, 0, LAMP.z - 0.17}, {LAMP.x + 0.17, 0.78, LAMP.z + 0.17}, Thing::Lamp});
    return b;
}

const std::vector<Box>& Boxes() {
    static const std::vector<Box> boxes = Build_boxes();
    return boxes;
}

struct Hit {
    double t = 1e30;
    Thing thing = Thing::Outside;
    Vec normal{0, 0, 0};
};

void Hit_box(Vec o, Vec d, const Box& b, Hit* best) {
    double t0 = 1e-6, t1 = 1e30;
    Vec n{0, 0, 0};
    const double os[3] = {o.x, o.y, o.z}, ds[3] = {d.x, d.y, d.z};
    const double lo[3] = {b.lo.x, b.lo.y, b.lo.z}, hi[3] = {b.hi.x, b.hi.y, b.hi.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (std::abs(ds[axis]) < 1e-12) {
            if (os[axis] < lo[axis] || os[axis] > hi[axis]) return;
            continue;
        }
        double a = (lo[axis] - os[axis]) / ds[axis], c = (hi[axis] - os[axis]) / ds[axis];
        const double facing = a < c ? -1 : 1;
        if (a > c) std::swap(a, c);
        if (a > t0) {
            t0 = a;
            n = Vec{axis == 0 ? facing : 0, axis == 1 ? facing : 0, axis == 2 ? facing : 0};
        }
        t1 = std::min(t1, c);
        if (t0 > t1) return;
    }
    if (t0 < best->t) *best = {t0, b.thing, n};
}

bool In_window(double x, double y) {
    return x > WIN_L && x < WIN_R && y > WIN_B && y < WIN_T;
}

Hit Cast(Vec o, Vec d) {
    Hit best;
    auto plane = [&](double t, Thing thing, Vec n) {
        if (t > 1e-6 && t < best.t) best = {t, thing, n};
    };
    if (d.y < 0) plane(-o.y / d.y, Thing::Floor, {0, 1, 0});
    if (d.y > 0) plane((CEILING - o.y) / d.y, Thing::Ceiling, {0, -1, 0});
    if (d.x < 0) plane((LEFT - o.x) / d.x, Thing::Wall, {1, 0, 0});
    if (d.x > 0) plane((RIGHT - o.x) / d.x, Thing::Wall, {-1, 0, 0});
    if (d.z > 0) {
        const double t = (BACK - o.z) / d.z;
        const Vec p = o + d * t;
        plane(t, In_window(p.x, p.y) ? Thing::Outside : Thing::Wall, {0, 0, -1});
    }
    if (d.z < 0) plane((FRONT - o.z) / d.z, Thing::Wall, {0, 0, 1});
    for (const Box& b : Boxes())
        Hit_box(o, d, b, &best);
    return best;
}

// ---- Light ----

// The moon reaches p only along TO_MOON, through the open window, past the frame and furniture.
double Moonlit(Vec p, Vec n) {
    const double facing = Dot(n, TO_MOON);
    if (facing <= 0 || p.z >= BACK) return 0;
    const double t = (BACK - p.z) / TO_MOON.z;
    const Vec q = p + TO_MOON * t;
    if (!In_window(q.x, q.y)) return 0;
    Hit blocker;
    for (const Box& b : Boxes())
        if (b.thing != Thing::Lamp) Hit_box(p + n * 1e-4, TO_MOON, b, &blocker);
    return blocker.t < t ? 0 : facing;
}

Rgb Light_at(Vec p, Vec n) {
    const Vec to = LAMP - p;
    const double d2 = Dot(to, to);
    const double lamp = std::max(0.0, Dot(n, to) / std::sqrt(d2)) / (1 + d2 * 0.55);
    return Rgb_hex(0x34405E) * 0.08 + Rgb_hex(0xFFC27A) * (1.05 * lamp) +
           Rgb_hex(0xC4D2F4) * (0.55 * Moonlit(p, n));
}

// ---- Materials ----

Rgb Wood(double u, double v, uint32_t seed) {
    return Rgb_hex(0x5A3E28) * (0.8 + 0.35 * Fbm(u * 2.0, v * 30.0, 3, seed));
}

// Tatami: mats of 0.9 x 1.8 m running into the room, staggered, with black cloth borders along
// their long sides and a fine weave across them.
Rgb Tatami(Vec p) {
    const double col = std::floor((p.x - LEFT) / 0.9);
    const double u = (p.x - LEFT) / 0.9 - col;
    const double along = (p.z - FRONT + (int(col) % 2) * 0.9) / 1.8;
    const double v = along - std::floor(along);
    if (u < 0.035 || u > 0.965) return Rgb_hex(0x1A1A1C) * (0.9 + 0.2 * Fbm(p.z * 40, 1, 1, 0x4E1));
    const double pixel = std::max(0.002, (p.z - EYE.z) * (p.z - EYE.z) / (FOCAL * EYE.y));
    const double weave = Smoothstep(0.02, 0.006, pixel) * 0.5 * (1 + std::sin(p.z * 420));
    const double seam = Smoothstep(0.006, 0.0, std::min(v, 1 - v)) * 0.5;
    const double mat = Hash2_unit(int(col), int(std::floor(along)), 0x7A7);
    return Mix(Rgb_hex(0x9C9060), Rgb_hex(0xB0A470), mat) * ((0.9 + 0.12 * weave) * (1 - seam)) *
           (0.9 + 0.2 * Fbm(p.x * 3, p.z * 3, 2, 0x7A8));
}

// Paper screens: white paper over a grid of thin bars.
Rgb Shoji(double u, double v) {
    const double fu = u / 0.3 - std::floor(u / 0.3), fv = v / 0.26 - std::floor(v / 0.26);
    if (fu < 0.06 || fv < 0.06) return Rgb_hex(0x6A5038);
    return Rgb_hex(0xE8E0CC) * (0.95 + 0.05 * Fbm(u * 20, v * 20, 2, 0x5A01));
}

Rgb Wall_albedo(Vec p, Vec n) {
    const double y = p.y;
    const double along = std::abs(n.x) > 0.5 ? p.z : p.x;
    if (y < 0.06 || (y > BEAM_LOW && y < BEAM_HIGH)) return Wood(along, y, 0x3B1);
    // Corner posts, and the posts that frame the window wall's paper screens.
    const bool back = n.z < -0.5;
    if (back && (p.x < LEFT + 0.12 || p.x > RIGHT - 0.12 || std::abs(p.x - (WIN_L - 0.7)) < 0.05))
        return Wood(y, p.x, 0x3B2);
    if (!back && (p.z > BACK - 0.12 || std::abs(p.z - 1.3) < 0.06)) return Wood(y, p.z, 0x3B3);
    if (back && y < BEAM_LOW && (p.x < WIN_L - 0.1 || p.x > WIN_R + 0.1) && p.x > LEFT + 0.12 &&
        p.x < RIGHT - 0.12)
        return Shoji(p.x - LEFT, y);
    return Rgb_hex(0xA89274) * (0.88 + 0.2 * Fbm(along * 2.5, y * 2.5, 4, 0x9A51));
}

Rgb Ceiling_albedo(Vec p) {
    const double f = p.z / 0.45 - std::floor(p.z / 0.45);
    if (f < 0.1) return Rgb_hex(0x2E2016);
    return Wood(p.z, p.x * 0.2, 0xCE1) * 0.8;
}

// What the window looks out on: the night lake, framed so that the moon stands in its upper left
// and the far shore runs below its middle.
Rgb Outside(Vec d) {
    const double dx = d.x / d.z, dy = d.y / d.z;
    return Night_lake_scene(50 + 950 * (dx + 0.381), 55 + 950 * (0.226 - dy)) * 0.92;
}

Rgb Shade(Vec o, Vec d, const Hit& hit) {
    const Vec p = o + d * hit.t;
    const Vec n = hit.normal;
    switch (hit.thing) {
    case Thing::Outside:
        return Outside(d);
    case Thing::Lamp: {
        // Paper on a thin frame, lit from inside; its top is open and dark.
        if (n.y > 0.5) return Rgb_hex(0x3A2A1A);
        const double u = (std::abs(n.x) > 0.5 ? p.z - LAMP.z : p.x - LAMP.x) + 0.17;
        const bool frame = u < 0.02 || u > 0.32 || p.y < 0.06 || std::abs(p.y - 0.4) < 0.015 || p.y > 0.74;
        if (frame) return Rgb_hex(0x2A1C12) * Light_at(p, n) + Rgb_hex(0x301808);
        const double glow = 0.75 + 0.25 * Smoothstep(0.06, 0.5, p.y);
        return Rgb_hex(0xFFD08C) * (1.05 * glow);
    }
    case Thing::Floor:
        return Tatami(p) * Light_at(p, n);
    case Thing::Ceiling:
        return Ceiling_albedo(p) * Light_at(p, n);
    case Thing::Wall:
        return Wall_albedo(p, n) * Light_at(p, n);
    case Thing::Frame:
        return Wood(p.x + p.y, p.z, 0xF2A) * 0.85 * Light_at(p, n);
    case Thing::Table:
        return Rgb_hex(0x3A2214) * (0.85 + 0.3 * Fbm(p.x * 2, p.z * 24, 3, 0x7AB)) * Light_at(p, n);
    case Thing::Cushion:
        return Rgb_hex(0x6A2630) * (0.9 + 0.15 * Fbm(p.x * 10, p.z * 10, 2, 0xC05)) * Light_at(p, n);
    case Thing::Postcard:
        return Rgb_hex(0xE6DCC6) * Light_at(p, n);
    }
    return {};
}

// Light scatters a little in the air round the lamp.
Rgb Lamp_halo(double x, double y) {
    const Vec rel = LAMP - EYE;
    const double sx = VX + FOCAL * rel.x / rel.z, sy = VY - FOCAL * rel.y / rel.z;
    const double r2 = (x - sx) * (x - sx) + (y - sy) * (y - sy);
    return Rgb_hex(0xFFB870) * (0.08 * std::exp(-r2 / 3000.0));
}

Rgb Tone(Rgb c) {
    auto f = [](double v) { return v < 0.75 ? v : 0.75 + 0.25 * (1 - std::exp(-(v - 0.75) / 0.25)); };
    return {f(c.r), f(c.g), f(c.b)};
}

Rgb Scene(double x, double y) {
    const Vec d = {(x - VX) / FOCAL, (VY - y) / FOCAL, 1};
    return Tone(Shade(EYE, d, Cast(EYE, d)) + Lamp_halo(x, y));
}

} // namespace

Picture Paint_room() {
    return Paint_supersampled(W, H, Scene);
}
