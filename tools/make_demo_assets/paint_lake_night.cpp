// bg_lake_night.jpg: the lake under the moon, seen from the shore beside the old pier. A high, clear
// night: the moon over the left of the lake with a thin veil of cloud, stars, the far hills as dark
// shapes with the town's lights and its tower at their feet, and the pier running out from the lower
// right to a single lit lamp at its end. The water mirrors all of it, broken by slow ripples into a
// glittering path under the moon.
//
// The far scene (sky, hills, town) is painted in screen space; the pier is traced as a few boxes,
// so its reflection in the water and the lamp's light on its boards come out right.
#include "demo_assets.h"
#include "night_lake.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int W = 640;
constexpr int H = 480;
constexpr double HORIZON = 250; // the far shore's water line
constexpr double CX = 320;
constexpr double FOCAL = 600;
constexpr double EYE = 1.8; // the eye's height above the water, in metres

constexpr double MOON_X = 168;
constexpr double MOON_Y = 92;
constexpr double MOON_R = 17;
constexpr double TOWER_X = 468;

double Length(Vec a) {
    return std::sqrt(Dot(a, a));
}

enum class Part { Deck, Post, LampPost, Lamp };

struct Box {
    Vec lo, hi;
    Part part;
};

// The pier: a deck of boards on two rows of posts, and a lamp post at the far end.
constexpr Vec LAMP = {2.31, 2.22, 23.56};

std::vector<Box> Build_pier() {
    std::vector<Box> boxes;
    boxes.push_back({{0.6, 0.45, 0.5}, {2.6, 0.65, 24.0}, Part::Deck});
    for (int k = 0; k < 10; ++k) {
        const double z = 1.0 + 2.55 * k;
        boxes.push_back({{0.62, -3.0, z}, {0.8, 0.45, z + 0.18}, Part::Post});
        boxes.push_back({{2.4, -3.0, z}, {2.58, 0.45, z + 0.18}, Part::Post});
    }
    boxes.push_back({{2.26, 0.65, 23.5}, {2.36, 2.1, 23.6}, Part::LampPost});
    boxes.push_back({{2.24, 2.1, 23.48}, {2.38, 2.34, 23.64}, Part::Lamp});
    return boxes;
}

const std::vector<Box>& Pier() {
    static const std::vector<Box> pier = Build_pier();
    return pier;
}

struct Hit {
    double t = 1e30;
    const Box* box = nullptr;
    Vec normal{0, 0, 0};
};

// Slab test of a ray against every box of the pier; the nearest hit.
Hit Trace(Vec origin, Vec dir) {
    Hit best;
    for (const Box& b : Pier()) {
        double t0 = 1e-6, t1 = 1e30;
        Vec n{0, 0, 0};
        bool miss = false;
        for (int axis = 0; axis < 3 && !miss; ++axis) {
            const double o = axis == 0 ? origin.x : axis == 1 ? origin.y : origin.z;
            const double d = axis == 0 ? dir.x : axis == 1 ? dir.y : dir.z;
            const double lo = axis == 0 ? b.lo.x : axis == 1 ? b.lo.y : b.lo.z;
            const double hi = axis == 0 ? b.hi.x : axis == 1 ? b.hi.y : b.hi.z;
            if (std::abs(d) < 1e-12) {
                miss = o < lo || o > hi;
                continue;
            }
            double a = (lo - o) / d, c = (hi - o) / d;
            const double sign = a < c ? -1 : 1; // the face entered faces back along the ray
            if (a > c) std::swap(a, c);
            if (a > t0) {
                t0 = a;
                n = Vec{0, 0, 0};
                (axis == 0 ? n.x : axis == 1 ? n.y : n.z) = sign;
            }
            t1 = std::min(t1, c);
            miss = t0 > t1;
        }
        if (!miss && t0 < best.t) best = {t0, &b, n};
    }
    return best;
}

// ---- The far scene, in screen space ----

const GradientStop SKY[] = {
    {0.00, Rgb_hex(0x03050F)},
    {0.45, Rgb_hex(0x0A1026)},
    {0.85, Rgb_hex(0x152040)},
    {1.00, Rgb_hex(0x1E2A4C)},
};

const Rgb MOONLIGHT = Rgb_hex(0xDDE4F4);

double Moon_distance(double x, double y) {
    return std::hypot(x - MOON_X, y - MOON_Y);
}

// A thin, slow veil of cloud drifting across the moon's height.
double Cloud_density(double x, double y) {
    const double band = Smoothstep(40, 75, y) * Smoothstep(175, 120, y);
    const double warp = Fbm(x / 260.0, y / 50.0, 3, 0xC20D0) * 50;
    const double n = Fbm((x + warp) / 210.0, y / 26.0, 5, 0xC20D1);
    return Smoothstep(0.52, 0.74, n) * band * 0.8;
}

double Stars(int px, int py) {
    if (py < 0 || py > 235) return 0;
    const uint32_t h = Hash2(px, py, 0x5A7E);
    if (h % 1000 >= 4) return 0;
    const double base = 0.12 + 0.7 * std::pow(double(h >> 20) / 4096.0, 3);
    // Stars pale near the moon's glow and in the haze above the hills.
    return base * Smoothstep(40, 110, Moon_distance(px, py)) * Smoothstep(232, 150, py);
}

Rgb Sky(double x, double y) {
    Rgb c = Gradient(SKY, int(std::size(SKY)), Clamp01(y / HORIZON));
    const double r = std::max(0.0, Moon_distance(x, y) - MOON_R);
    c = c + Rgb_hex(0x6070A0) * (0.30 * std::exp(-r / 22.0) + 0.12 * std::exp(-r / 120.0));
    const double d = Cloud_density(x, y);
    if (d > 0) {
        // Lit silver where the moon is near, a dark blue-grey veil elsewhere.
        const double lit = std::exp(-Moon_distance(x, y) / 110.0);
        const double edge = Clamp01((d - Cloud_density(x, y - 4)) * 3 + 0.4);
        const Rgb cloud = Mix(Rgb_hex(0x161C34), Rgb_hex(0x9AA2BC), Clamp01(lit * (0.5 + 0.8 * edge)));
        c = Mix(c, cloud, d);
    }
    return c;
}

Rgb Moon(double x, double y) {
    const double dx = (x - MOON_X) / MOON_R, dy = (y - MOON_Y) / MOON_R;
    const double maria = Smoothstep(0.5, 0.72, Fbm(dx * 1.6 + 3.1, dy * 1.6 - 1.7, 4, 0x3003));
    const double limb = std::sqrt(std::max(0.0, 1 - dx * dx - dy * dy));
    return Rgb_hex(0xFAF6E6) * ((0.82 + 0.18 * limb) * (1 - 0.22 * maria));
}

double Far_hills_top(double x) {
    const double n = Fbm(x / 170.0, 0.77, 5, 0x4E11);
    return HORIZON - 6 -
           (14 + 48 * std::pow(n, 1.5)) * (1 - 0.35 * Smoothstep(100, 260, x) * Smoothstep(380, 300, x));
}

double Near_hills_top(double x) {
    const double n = Fbm(x / 90.0, 4.4, 4, 0x4E12);
    const double side = Smoothstep(110, 0, x) * 34 + Smoothstep(560, 640, x) * 22;
    return HORIZON - 1 - side * (0.6 + 0.6 * n);
}

// The town along the far shore: blocks of houses between x 395 and 625 and a few on the left.
double Town_height(double x) {
    const bool main_town = x > 392 && x<626, hamlet = x> 36 && x < 96;
    if (!main_town && !hamlet) return 0;
    const int block = int(std::floor(x / 6.0));
    const uint32_t h = Hash2(block, 3, 0x70A1);
    if (h % 5 == 0) return 0;
    const double centre = main_town ? std::exp(-std::pow((x - 500) / 80.0, 2)) : 0.3;
    return 2 + int(h >> 8) % 4 + 5 * centre;
}

// The tower: three storeys, each under wide eaves whose corners turn up, and a thin spire.
bool Tower(double x, double y) {
    const double dx = std::abs(x - TOWER_X);
    const double base = HORIZON - 2;
    if (y > base) return false;
    if (dx < 0.7 && y > base - 62) return true;
    for (int tier = 0; tier < 3; ++tier) {
        const double eaves = base - 15 - tier * 14;
        const double half = 14 - tier * 2.5;
        const double upturn = 2.2 * Smoothstep(half - 5, half, dx);
        if (dx < half && y > eaves - 1.6 - upturn && y < eaves + 1.4 - upturn * 0.5) return true;
        if (dx < half - 4 - (y - eaves) * 0.4 && y >= eaves - 1.6 && y < eaves + 1.4) return true;
        if (dx < half - 5.5 && y >= eaves && y < eaves + 14) return true; // the storey's walls
    }
    return false;
}

struct Light {
    double x, y, power;
    Rgb colour;
};

// Lamps along the far shore and windows lit late; the same every run.
std::vector<Light> Place_lights() {
    std::vector<Light> lights;
    for (int i = 0; i < 40; ++i) {
        const uint32_t h = Hash2(i, 7, 0x116E);
        const bool left = i < 6;
        const double x = left ? 40 + 54 * Hash2_unit(i, 8, 0x116E) : 398 + 224 * Hash2_unit(i, 8, 0x116E);
        const double y = HORIZON - 1.5 - Town_height(x) * Hash2_unit(i, 9, 0x116E);
        const Rgb colour = h % 3 == 0 ? Rgb_hex(0xFFE4B8) : Rgb_hex(0xFFB45A);
        lights.push_back({x, y, 0.35 + 0.65 * Hash2_unit(i, 10, 0x116E), colour});
    }
    lights.push_back({TOWER_X, HORIZON - 24, 0.5, Rgb_hex(0xFFC070)}); // a lamp under the tower's eaves
    return lights;
}

const std::vector<Light>& Lights() {
    static const std::vector<Light> lights = Place_lights();
    return lights;
}

// Everything beyond the water at screen point (x, y): sky, moon, hills, town, tower and lights.
// Seen in the water the moon leaves out its disk: its glitter path stands for it there.
Rgb Far_view(double x, double y, bool mirrored = false) {
    Rgb c;
    const int px = int(std::floor(x)), py = int(std::floor(y));
    if (Tower(x, y) || y >= HORIZON - Town_height(x) || y >= Near_hills_top(x)) {
        c = Rgb_hex(0x070914) * (0.9 + 0.2 * Fbm(x / 6.0, y / 6.0, 2, 0x4E13));
    } else if (y >= Far_hills_top(x)) {
        const double top = Far_hills_top(x);
        const double rim = std::exp(-(y - top) / 2.0) * 0.35 * Smoothstep(420, 140, x);
        const double mist = Smoothstep(HORIZON - 30, HORIZON - 2, y) * 0.35;
        c = Mix(Rgb_hex(0x10152C) * (0.9 + 0.2 * Fbm(x / 14.0, y / 8.0, 3, 0x4E14)), Rgb_hex(0x1C2646),
                mist) +
            Rgb_hex(0x404C70) * rim;
    } else if (!mirrored && Moon_distance(x, y) < MOON_R) {
        c = Mix(Moon(x, y), Sky(x, y), Cloud_density(x, y) * 0.6);
    } else {
        c = Sky(x, y) + Rgb{1, 1, 1} * (Stars(px, py) * (1 - Cloud_density(x, y)));
    }
    for (const Light& l : Lights()) {
        const double r2 = (x - l.x) * (x - l.x) + (y - l.y) * (y - l.y);
        if (r2 > 300) continue; // the halo has faded to nothing
        c = c + l.colour * (l.power * (1.6 * std::exp(-r2 / 0.5) + 0.12 * std::exp(-r2 / 20.0)));
    }
    return c;
}

// ---- The pier and the water ----

// The lamp's warm light falling on a surface at p with normal n.
Rgb Lamp_light(Vec p, Vec n) {
    const Vec to = LAMP - p;
    const double d = Length(to);
    const double facing = std::max(0.0, Dot(n, to) / d);
    return Rgb_hex(0xFFB060) * (1.4 * facing / (1 + d * d * 0.6));
}

Rgb Shade_pier(const Hit& hit, Vec p) {
    const Vec moon_dir = Vec{(MOON_X - CX) / FOCAL, (HORIZON - MOON_Y) / FOCAL, 1} * (1 / 1.06);
    const double moon = std::max(0.0, Dot(hit.normal, moon_dir));
    const Rgb light = MOONLIGHT * (0.04 + 0.5 * moon) + Lamp_light(p, hit.normal);
    switch (hit.box->part) {
    case Part::Lamp:
        return Rgb_hex(0xFFD08A) * 2.2;
    case Part::LampPost:
        return Rgb_hex(0x3A3028) * light;
    case Part::Post:
        return Rgb_hex(0x2A241E) * light * (0.8 + 0.4 * Fbm(p.x * 9, p.y * 3, 2, 0x9057));
    case Part::Deck:
        break;
    }
    if (hit.normal.y > 0.5) {
        // Boards across the deck, 22 cm with dark gaps, each board its own shade of weathered grey.
        const double u = p.z / 0.24;
        const double gap = Smoothstep(0.86, 0.93, u - std::floor(u));
        const double board = Hash2_unit(int(std::floor(u)), 1, 0xB0A2D);
        const double grain = Fbm(p.x * 3.0 + board * 40, p.z * 22.0, 3, 0x62A1);
        const Rgb wood = Mix(Rgb_hex(0x6E6458), Rgb_hex(0x8A7E6C), board) * (0.8 + 0.35 * grain);
        return wood * light * (1 - 0.75 * gap);
    }
    return Rgb_hex(0x3C342C) * light * (0.85 + 0.3 * Fbm(p.z * 2.0, p.y * 20.0, 2, 0xFA5C));
}

Vec Direction(double x, double y) {
    return {(x - CX) / FOCAL, (HORIZON - y) / FOCAL, 1};
}

// The lake at screen point (x, y) below the horizon: what its surface mirrors, with the glitter of
// the moon and the lights on its ripples.
Rgb Water(double x, double y) {
    const double d = y - HORIZON;
    const Vec dir = Direction(x, y);
    const double t = EYE / -dir.y;
    const Vec at = Vec{0, EYE, 0} + dir * t;
    // Ripples: rows of waves that widen towards the viewer bend the mirrored ray a little.
    const double rows = std::pow(d, 0.75);
    const double wobble = (Fbm(x / (22.0 + d * 0.35), rows * 0.9, 3, 0x1A4F) - 0.5) * (1.2 + d * 0.08);
    const double lift = (Fbm(x / 40.0, rows * 1.7, 2, 0x1A50) - 0.5) * (0.6 + d * 0.02);
    Vec mirrored = {dir.x + wobble / FOCAL, -dir.y + lift / FOCAL, 1};
    Rgb c;
    const Hit hit = Trace(at, mirrored);
    if (hit.box) {
        c = Shade_pier(hit, at + mirrored * hit.t);
    } else {
        const double sx = CX + FOCAL * mirrored.x / mirrored.z,
                     sy = HORIZON - FOCAL * mirrored.y / mirrored.z;
        c = Far_view(sx, std::min(sy, HORIZON - 0.01), true);
    }
    const double depth = Clamp01(d / (H - HORIZON));
    c = c * (0.62 - 0.3 * depth);
    c = Mix(c, Rgb_hex(0x03060F), 0.15 + 0.35 * depth);

    // The moon's path: glints on the faces of the ripples, widening and fading towards the shore.
    const double width = 5 + d * 0.32;
    const double path = std::exp(-std::pow((x - MOON_X) / width, 2)) * (0.55 + 0.45 * std::exp(-d / 120.0));
    const double glints = Smoothstep(0.56, 0.82, Fbm(x / 5.0, rows * 3.2, 2, 0x6117));
    c = c + MOONLIGHT * (0.85 * path * glints);
    // The warm lights make short broken columns under themselves.
    for (const Light& l : Lights()) {
        const double across = (x - l.x) / (0.8 + d * 0.03);
        if (std::abs(across) > 3 || d > 200) continue; // the column has faded to nothing
        const double column = std::exp(-across * across) * std::exp(-d / 28.0);
        c = c +
            l.colour * (l.power * 0.7 * column * Smoothstep(0.45, 0.75, Fbm(x / 3.0, rows * 5.0, 2, 0x6118)));
    }
    return c;
}

// The lamp's halo in the air, over whatever lies behind it.
Rgb Lamp_glow(double x, double y) {
    const double sx = CX + FOCAL * LAMP.x / LAMP.z, sy = HORIZON - FOCAL * (LAMP.y - EYE) / LAMP.z;
    const double r2 = (x - sx) * (x - sx) + (y - sy) * (y - sy);
    return Rgb_hex(0xFFB868) * (0.5 * std::exp(-r2 / 18.0) + 0.08 * std::exp(-r2 / 400.0));
}

} // namespace

Rgb Night_lake_scene(double x, double y) {
    const Vec dir = Direction(x, y);
    const Hit hit = Trace(Vec{0, EYE, 0}, dir);
    const bool water_first = dir.y < 0 && (!hit.box || EYE / -dir.y < hit.t);
    Rgb c;
    if (hit.box && !water_first)
        c = Shade_pier(hit, Vec{0, EYE, 0} + dir * hit.t);
    else if (y > HORIZON)
        c = Water(x, y);
    else
        c = Far_view(x, y);
    return c + Lamp_glow(x, y);
}

Picture Paint_lake_night() {
    return Paint_supersampled(W, H, Night_lake_scene);
}
