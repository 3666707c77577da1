// bg_street.jpg: the old lane that runs down to the lake, late on a summer night. Two-storey
// wooden houses stand close on both sides, with latticed fronts, deep eaves and plastered upper
// floors; a paper lantern hangs under the eaves by each door, and a few fronts still glow from the
// rooms behind their lattices. The stone paving is wet from an evening shower and mirrors the
// lanterns; at the far end the lane opens onto the lake under the night sky.
//
// The lane is traced: the house fronts are two planes, the eaves and roofs are boxes along them,
// the lanterns are ellipsoids, and the ground reflects all of these where it is wet. What lies
// beyond the lane's end is the night lake scene, seen at its own angles.
#include "demo_assets.h"
#include "night_lake.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int W = 640;
constexpr int H = 480;
constexpr double VX = 330; // the vanishing point
constexpr double VY = 215;
constexpr double FOCAL = 470;
constexpr double EYE_X = -0.25;
constexpr double EYE_Y = 1.55;
constexpr double WALL = 2.1;      // house fronts at x = -WALL and x = +WALL
constexpr double LANE_END = 55;   // where the houses end
constexpr double GROUND_END = 62; // the lake's edge
constexpr double EAVE_LOW = 2.72, EAVE_HIGH = 3.0, EAVE_DEPTH = 0.65;
constexpr double ROOF_LOW = 5.55, ROOF_HIGH = 5.95, ROOF_DEPTH = 0.75;

// One house front: its extent along the lane and what it shows.
struct House {
    double z0, z1;
    bool lit_front; // the rooms behind the lattice are lit
    bool lit_upstairs;
    bool noren;  // a shop curtain over the door
    double tone; // 0..1, how dark the wood has weathered
};

struct Lantern {
    Vec centre;
    Rgb colour;
};

struct Lane {
    std::vector<House> sides[2]; // 0 left, 1 right
    std::vector<Lantern> lanterns;
};

Lane Build_lane() {
    Lane lane;
    for (int side = 0; side < 2; ++side) {
        double z = -2.0 - 1.5 * side;
        for (int i = 0; z < LANE_END; ++i) {
            const uint32_t seed = 0x5EE7 + 97 * side;
            const double width = 4.6 + 2.6 * Hash2_unit(i, 1, seed);
            House h{z,
                    std::min(z + width, LANE_END),
                    Hash2_unit(i, 2, seed) < 0.35,
                    Hash2_unit(i, 3, seed) < 0.3,
                    side == 1 && i == 2,
                    Hash2_unit(i, 4, seed)};
            if (side == 0 && i == 1) h.lit_front = true; // the near left front glows, for the foreground
            lane.sides[side].push_back(h);
            const double x = (side == 0 ? -1 : 1) * (WALL - 0.42);
            const Rgb colour = Hash2_unit(i, 5, seed) < 0.7 ? Rgb_hex(0xF0582A) : Rgb_hex(0xFFD09A);
            if (h.z0 + 1.0 > 1.0) lane.lanterns.push_back({{x, EAVE_LOW - 0.33, h.z0 + 1.0}, colour});
            z += width;
        }
    }
    return lane;
}

const Lane& The_lane() {
    static const Lane lane = Build_lane();
    return lane;
}

constexpr Vec LANTERN_RADII = {0.16, 0.23, 0.16};

enum class Surf { None, Ground, Front, EaveFront, EaveUnder, EaveTop, Lantern };

struct Hit {
    double t = 1e30;
    Surf surf = Surf::None;
    int side = 0;
    Vec normal{0, 0, 0};
    const Lantern* lantern = nullptr;
};

// Ray against a box that runs the lane's whole length on one side (an eave or a roof).
void Hit_eave(Vec o, Vec d, int side, double low, double high, double depth, Hit* best) {
    const double sign = side == 0 ? -1 : 1;
    const double inner = sign * (WALL - depth), outer = sign * WALL;
    const double xl = std::min(inner, outer), xh = std::max(inner, outer);
    double t0 = 1e-6, t1 = 1e30;
    Vec n{0, 0, 0};
    const double os[2] = {o.x, o.y}, ds[2] = {d.x, d.y}, lo[2] = {xl, low}, hi[2] = {xh, high};
    for (int axis = 0; axis < 2; ++axis) {
        if (std::abs(ds[axis]) < 1e-12) {
            if (os[axis] < lo[axis] || os[axis] > hi[axis]) return;
            continue;
        }
        double a = (lo[axis] - os[axis]) / ds[axis], b = (hi[axis] - os[axis]) / ds[axis];
        const double facing = a < b ? -1 : 1;
        if (a > b) std::swap(a, b);
        if (a > t0) {
            t0 = a;
            n = axis == 0 ? Vec{facing, 0, 0} : Vec{0, facing, 0};
        }
        t1 = std::min(t1, b);
        if (t0 > t1) return;
    }
    const double z = o.z + d.z * t0;
    if (z < 0 || z > LANE_END || t0 >= best->t) return;
    best->t = t0;
    best->side = side;
    best->normal = n;
    best->surf = n.y < -0.5 ? Surf::EaveUnder : n.y > 0.5 ? Surf::EaveTop : Surf::EaveFront;
}

Hit Cast(Vec o, Vec d) {
    Hit best;
    if (d.y < 0) {
        const double t = -o.y / d.y;
        if (o.z + d.z * t < GROUND_END) best = {t, Surf::Ground, 0, {0, 1, 0}, nullptr};
    }
    for (int side = 0; side < 2; ++side) {
        const double sign = side == 0 ? -1 : 1;
        if (d.x * sign > 0) {
            const double t = (sign * WALL - o.x) / d.x;
            const Vec p = o + d * t;
            if (t > 1e-6 && t < best.t && p.y >= 0 && p.y <= ROOF_LOW && p.z >= 0 && p.z <= LANE_END)
                best = {t, Surf::Front, side, {-sign, 0, 0}, nullptr};
        }
        Hit_eave(o, d, side, EAVE_LOW, EAVE_HIGH, EAVE_DEPTH, &best);
        Hit_eave(o, d, side, ROOF_LOW, ROOF_HIGH, ROOF_DEPTH, &best);
    }
    for (const Lantern& l : The_lane().lanterns) {
        const Vec r = LANTERN_RADII;
        const Vec oc = {(o.x - l.centre.x) / r.x, (o.y - l.centre.y) / r.y, (o.z - l.centre.z) / r.z};
        const Vec dd = {d.x / r.x, d.y / r.y, d.z / r.z};
        const double a = Dot(dd, dd), b = Dot(oc, dd), c = Dot(oc, oc) - 1;
        const double disc = b * b - a * c;
        if (disc < 0) continue;
        const double t = (-b - std::sqrt(disc)) / a;
        if (t > 1e-6 && t < best.t) {
            const Vec p = o + d * t;
            const Vec n = Normalize({(p.x - l.centre.x) / (r.x * r.x), (p.y - l.centre.y) / (r.y * r.y),
                                     (p.z - l.centre.z) / (r.z * r.z)});
            best = {t, Surf::Lantern, 0, n, &l};
        }
    }
    return best;
}

// ---- Materials and light ----

// Light arriving at p (normal n) from the lanterns and the lit fronts, plus the moon's faint fill.
Rgb Light_at(Vec p, Vec n) {
    Rgb sum = Rgb_hex(0x7080B0) * (0.035 + 0.03 * std::max(0.0, n.y));
    for (const Lantern& l : The_lane().lanterns) {
        const Vec to = l.centre - p;
        const double d2 = Dot(to, to);
        if (d2 > 400) continue;
        const double facing = std::max(0.0, Dot(n, to) / std::sqrt(d2));
        sum = sum + l.colour * (0.9 * facing / (1 + d2 * 1.1));
    }
    for (int side = 0; side < 2; ++side) {
        for (const House& h : The_lane().sides[side]) {
            if (!h.lit_front) continue;
            const Vec window = {(side == 0 ? -1 : 1) * (WALL - 0.6), 1.4, (h.z0 + h.z1) / 2};
            const Vec to = window - p;
            const double d2 = Dot(to, to);
            if (d2 > 200) continue;
            const double facing = std::max(0.0, Dot(n, to) / std::sqrt(d2));
            sum = sum + Rgb_hex(0xFFD49A) * (0.35 * facing / (1 + d2 * 0.5));
        }
    }
    return sum;
}

const House* House_at(int side, double z) {
    for (const House& h : The_lane().sides[side])
        if (z >= h.z0 && z < h.z1) return &h;
    return nullptr;
}

// How much of a pattern of period `period` (metres along the lane) survives at distance z: fine
// detail fades to its average before it could shimmer.
double Detail(double period, double z) {
    const double metres_per_pixel = z * z / (FOCAL * WALL);
    return Smoothstep(period * 0.9, period * 0.3, metres_per_pixel);
}

// Stripes: 1 on the bars, 0 between, faded towards `fill` (the bars' share) when too fine to see.
double Bars(double u, double period, double share, double z) {
    const double f = u / period - std::floor(u / period);
    return Mix(Rgb{share, 0, 0}, Rgb{f < share ? 1.0 : 0.0, 0, 0}, Detail(period, z)).r;
}

struct Material {
    Rgb albedo;
    Rgb emitted;
};

Material Front_material(int side, Vec p) {
    const House* h = House_at(side, p.z);
    if (!h) return {Rgb_hex(0x1A1410), {}};
    const double u = p.z - h->z0, w = h->z1 - h->z0, y = p.y;
    const double grain = 0.85 + 0.3 * Fbm(p.z * 3, y * 14, 2, 0x6A1 + side);
    const Rgb wood = Mix(Rgb_hex(0x5A3424), Rgb_hex(0x2E1E16), h->tone) * grain;
    const Rgb dark_wood = Rgb_hex(0x24180F) * grain;
    if (y < 0.32) return {Rgb_hex(0x45423E) * (0.8 + 0.4 * Fbm(p.z * 4, y * 4, 2, 0x570)), {}};
    if (u < 0.24 || u > w - 0.24) return {dark_wood, {}};
    if (y < EAVE_LOW) {
        if (h->noren && u > 1.4 && u < 3.2 && y > 1.5) {
            // The curtain: three indigo panels with a pale crest across the middle.
            const double panel = (u - 1.4) / 0.6;
            if (panel - std::floor(panel) < 0.04) return {{}, Rgb_hex(0xFFCC88) * 0.5};
            const double cu = u - 2.3, cy = y - 2.05;
            const double ring = std::abs(std::hypot(cu, cy * 1.1) - 0.2);
            const Rgb cloth = ring < 0.035 ? Rgb_hex(0xD8D0C0) : Rgb_hex(0x1E2C50);
            return {cloth * (0.9 + 0.2 * Fbm(u * 8, y * 3, 2, 0x1207)), {}};
        }
        if (h->noren && u > 1.4 && u < 3.2) {
            // Under the curtain the open doorway: a dim entrance hall, its step in shadow.
            const double door_frame = Bars(u - 1.4, 0.9, 0.08, p.z);
            const double glow = 0.12 + 0.2 * Smoothstep(0.35, 1.5, y);
            return {dark_wood * door_frame, Rgb_hex(0xFFB870) * (glow * (1 - door_frame))};
        }
        // The lattice, bars 4.5 cm wide every 9.5 cm, with two rails across; behind it paper screens,
        // lit or dark.
        const double rail = std::abs(y - 0.95) < 0.03 || std::abs(y - 2.35) < 0.03 ? 1 : 0;
        const double bar = std::max(rail, Bars(u, 0.095, 0.47, p.z));
        Rgb behind;
        if (h->lit_front) {
            const double frame = std::max(Bars(u + 0.02, 0.42, 0.06, p.z), Bars(y, 0.3, 0.06, p.z));
            behind = Rgb_hex(0xFFCC8A) * (0.4 * (1 - 0.5 * frame) * (0.9 + 0.1 * std::sin(u * 2.1)));
        }
        return {wood * bar, behind * (1 - bar)};
    }
    if (y < EAVE_HIGH + 0.15 || y > ROOF_LOW - 0.15) return {dark_wood, {}};
    // The upper floor: earthen plaster, and a window of thick plastered bars in its middle.
    const Rgb plaster = Rgb_hex(0x8A7A64) * (0.85 + 0.3 * Fbm(p.z * 1.5, y * 1.5, 3, 0x9A5 + side));
    if (u > w * 0.3 && u < w * 0.7 && y > 3.75 && y < 4.85) {
        const double bar = Bars(u, 0.17, 0.55, p.z);
        const Rgb gap = h->lit_upstairs ? Rgb_hex(0xFFC886) * 0.5 : Rgb{};
        return {plaster * bar, gap * (1 - bar)};
    }
    return {plaster, {}};
}

// The paving: slabs of granite in rows across the lane, puddles in their hollows. Returns the
// albedo; *wet is how much of a mirror the point is.
Rgb Ground_albedo(Vec p, double* wet) {
    const double row = std::floor(p.z / 0.55);
    const double shift = Hash2_unit(int(row), 0, 0x5AB) * 0.7;
    const double col = std::floor((p.x + shift) / 0.7);
    const double fz = p.z / 0.55 - row, fx = (p.x + shift) / 0.7 - col;
    const double joint =
        std::max(Smoothstep(0.06, 0.0, std::min(fz, 1 - fz)), Smoothstep(0.05, 0.0, std::min(fx, 1 - fx)));
    const double tone = Hash2_unit(int(col), int(row), 0x5AC);
    const bool edge = std::abs(p.x) > WALL - 0.35; // the gutter stones along the fronts
    Rgb stone =
        Mix(Rgb_hex(0x4A4A4C), Rgb_hex(0x6A6660), tone) * (0.8 + 0.4 * Fbm(p.x * 6, p.z * 6, 3, 0x5AD));
    if (edge) stone = Rgb_hex(0x2A2826);
    const double puddle = Smoothstep(0.5, 0.62, Fbm(p.x * 0.9, p.z * 0.35, 4, 0xB0D));
    *wet = std::clamp(0.25 + 0.6 * puddle + 0.3 * joint, 0.0, 1.0);
    return stone * (1 - 0.6 * joint);
}

Rgb Far_view(Vec d) {
    // The lake scene's own frame: horizon at 250, 600 px to the radian.
    return Night_lake_scene(320 + 600 * d.x / d.z, 250 - 600 * d.y / d.z);
}

Rgb Shade(Vec o, Vec d, const Hit& hit, int depth);

Rgb Trace(Vec o, Vec d, int depth) {
    const Hit hit = Cast(o, d);
    if (hit.surf == Surf::None) return Far_view(d);
    return Shade(o, d, hit, depth);
}

Rgb Shade(Vec o, Vec d, const Hit& hit, int depth) {
    const Vec p = o + d * hit.t;
    switch (hit.surf) {
    case Surf::None:
        return Far_view(d);
    case Surf::Lantern: {
        // Paper lit from inside: brightest where it faces the eye, ribbed, with black caps.
        const Lantern& l = *hit.lantern;
        const double v = (p.y - l.centre.y) / LANTERN_RADII.y;
        if (std::abs(v) > 0.82) return Rgb_hex(0x141010) + l.colour * 0.05;
        const double facing = std::abs(Dot(hit.normal, Normalize(d)));
        const double rib = Smoothstep(0.25, 0.0, std::abs(v * 9 - std::round(v * 9)));
        return l.colour * ((0.5 + 0.45 * facing) * (1 - 0.4 * rib));
    }
    case Surf::EaveUnder:
        return Rgb_hex(0x3A2A1E) * Light_at(p, hit.normal) * 1.3;
    case Surf::EaveFront: {
        const double tile = std::abs(std::sin(p.z * 11.2));
        return Rgb_hex(0x3A3E46) * (0.7 + 0.3 * tile) * Light_at(p, hit.normal) + Rgb_hex(0x101420) * 0.2;
    }
    case Surf::EaveTop:
        return Rgb_hex(0x2A2E36) * Light_at(p, hit.normal) + Rgb_hex(0x141A2C) * 0.5;
    case Surf::Front: {
        const Material m = Front_material(hit.side, p);
        return m.albedo * Light_at(p, hit.normal) + m.emitted;
    }
    case Surf::Ground: {
        double wet = 0;
        const Rgb albedo = Ground_albedo(p, &wet);
        Rgb c = albedo * Light_at(p, hit.normal);
        if (depth == 0) {
            // A rough mirror: the reflected ray bent a little by the stone's unevenness.
            const double bend = (Fbm(p.x * 5, p.z * 5, 2, 0x6E7) - 0.5) * 0.06;
            const Vec r = Normalize({d.x + bend, -d.y, d.z});
            const double grazing = 1 - std::abs(r.y);
            const double reflect = wet * (0.12 + 0.6 * std::pow(grazing, 5));
            c = Mix(c, Trace(p, r, 1), reflect);
        }
        return c;
    }
    }
    return {};
}

// The lanterns' halos in the air, added over the traced picture.
Rgb Halos(double x, double y) {
    Rgb sum;
    for (const Lantern& l : The_lane().lanterns) {
        const Vec rel = l.centre - Vec{EYE_X, EYE_Y, 0};
        if (rel.z < 0.5) continue;
        const double sx = VX + FOCAL * rel.x / rel.z, sy = VY - FOCAL * rel.y / rel.z;
        const double radius = FOCAL * 0.2 / rel.z;
        const double r2 = ((x - sx) * (x - sx) + (y - sy) * (y - sy)) / (radius * radius);
        sum = sum + l.colour * (0.28 * std::exp(-r2 / 5.0) + 0.06 * std::exp(-r2 / 40.0));
    }
    return sum;
}

// Bright lights roll off softly instead of clipping to flat patches.
Rgb Tone(Rgb c) {
    auto f = [](double v) { return v < 0.75 ? v : 0.75 + 0.25 * (1 - std::exp(-(v - 0.75) / 0.25)); };
    return {f(c.r), f(c.g), f(c.b)};
}

Rgb Scene(double x, double y) {
    const Vec d = {(x - VX) / FOCAL, (VY - y) / FOCAL, 1};
    return Trace({EYE_X, EYE_Y, 0}, d, 0) + Halos(x, y);
}

Rgb Toned_scene(double x, double y) {
    return Tone(Scene(x, y));
}

} // namespace

Picture Paint_street() {
    return Paint_supersampled(W, H, Toned_scene);
}
