// Back00.bmp: the first picture a player sees. A lake at dusk: a violet sky warming to peach at the
// horizon, soft clouds lit from below by a sun that has just set behind the hills, a small town with
// a few lit windows on the far shore, and their reflections in calm dark water.
//
// The story's text is drawn over the lower part of the window, so everything below the upper
// ~40% is kept dark and low in contrast: the water darkens towards the bottom and its ripples are
// faint.
#include "demo_assets.h"
#include "paint_kit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int W = 640;
constexpr int H = 480;
constexpr double WATER = 250; // the far shore's water line
constexpr double SUN_X = 452;
constexpr double SUN_Y = 246;

struct Building {
    int x0, x1;    // columns [x0, x1)
    int top;       // first row of the walls
    int bottom;    // first row below the walls (the water line for houses)
    double gable;  // height of a pitched roof above `top`, 0 for a flat one
    uint32_t seed; // picks the lit windows; 0 for a structure without windows
};

// The town along the far shore: low houses, a few larger buildings in the middle, and a three-tier
// pagoda as the skyline's one accent. Laid out from a hash, so it is the same on every run.
std::vector<Building> Lay_out_town() {
    std::vector<Building> town;
    const int water = int(WATER);
    for (int x = 20; x < W - 20;) {
        const double centre = std::exp(-std::pow((x - 270.0) / 170.0, 2));
        const uint32_t h = Hash2(x, 11, 0x70E1);
        const int width = 5 + int(h % 8);
        const bool larger = Hash2_unit(x, 12, 0x70E1) < 0.3 * centre;
        const int height = larger ? 9 + int((h >> 8) % 6) : 4 + int((h >> 12) % 4) + int(3 * centre);
        const double gable = !larger && (h >> 16) % 3 != 0 ? 1.5 + width * 0.3 : 0;
        if (Hash2_unit(x, 14, 0x70E1) < 0.2 + 0.8 * centre)
            town.push_back({x, x + width, water - height, water, gable, Hash2(x, 15, 0x70E1) | 1});
        // Houses stand shoulder to shoulder in the middle; towards the sides trees fill the gaps.
        x += width + (Hash2_unit(x, 16, 0x70E1) < 0.75 * centre ? 0 : 2 + int((h >> 20) % 12));
    }
    const int cx = 212;
    auto tier = [&](int half, int y) { // each tier: a narrow roof ridge, wide eaves, then walls
        town.push_back({cx - half + 3, cx + half - 2, y, y + 1, 0, 0});
        town.push_back({cx - half, cx + half + 1, y + 1, y + 3, 0, 0});
        town.push_back({cx - half + 3, cx + half - 2, y + 3, y + 7, 0, 0});
    };
    town.push_back({cx, cx + 1, water - 40, water - 31, 0, 0}); // spire
    tier(6, water - 31);
    tier(7, water - 24);
    tier(8, water - 17);
    town.push_back({cx - 5, cx + 6, water - 10, water, 0, 0});
    return town;
}

const std::vector<Building>& Town() {
    static const std::vector<Building> town = Lay_out_town();
    return town;
}

// The highest point of a building's silhouette at sub-pixel column x (a y coordinate).
double Roof_top(const Building& b, double x) {
    if (b.gable <= 0) return b.top;
    const double half = (b.x1 - b.x0) / 2.0;
    const double from_ridge = std::abs(x - (b.x0 + half)) / half;
    return b.top - b.gable * (1 - from_ridge);
}

// Top edge of the far, hazy range of hills at column x (a y coordinate).
double Far_hills_top(double x) {
    const double n = Fbm(x / 210.0, 0.37, 5, 0x41115);
    double rise = 26 + 70 * std::pow(n, 1.6);
    // A wide saddle where the sun has gone down, so its glow still shows.
    rise *= 1 - 0.65 * std::exp(-std::pow((x - SUN_X) / 90.0, 2));
    return WATER - 8 - rise;
}

// Top edge of the nearer, darker hills, which stand only at the left and right of the shore.
double Near_hills_top(double x) {
    const double n = Fbm(x / 120.0, 5.1, 4, 0xBEEF1);
    const double left = Smoothstep(260, 40, x), right = Smoothstep(520, 640, x);
    const double rise = (left * 62 + right * 40) * (0.55 + 0.6 * n);
    return WATER - 2 - rise;
}

// Top edge of the line of trees along the shore between the buildings.
double Trees_top(double x) {
    const double clumps = Smoothstep(0.35, 0.6, Fbm(x / 40.0, 9.3, 2, 0x7EE5));
    const double crowns = Fbm(x / 5.0, 2.2, 3, 0x7EE6);
    return WATER - 1 - clumps * (3 + 7 * crowns);
}

const GradientStop SKY[] = {
    {0.00, Rgb_hex(0x141A3E)}, {0.30, Rgb_hex(0x2E2C5E)}, {0.55, Rgb_hex(0x5E4479)},
    {0.75, Rgb_hex(0xA25E80)}, {0.90, Rgb_hex(0xE38E79)}, {1.00, Rgb_hex(0xF5BC88)},
};

// The sky alone at (x, y): the gradient and the glow of the sun that has just set.
Rgb Sky(double x, double y) {
    Rgb c = Gradient(SKY, int(std::size(SKY)), y / WATER);
    const double dx = (x - SUN_X) / 150.0, dy = (y - SUN_Y) / 70.0;
    const double glow = std::exp(-(dx * dx + dy * dy));
    const double halo = std::exp(-(dx * dx / 6 + dy * dy / 4));
    c = c + Rgb_hex(0xFFB070) * (0.35 * glow) + Rgb_hex(0xC07080) * (0.18 * halo);
    return c;
}

// Brightness of the first faint stars at pixel (px, py): single pixels, only in the darkest part of
// the sky, fading out towards the horizon.
double Stars(int px, int py) {
    if (py > 120) return 0;
    const uint32_t h = Hash2(px, py, 0x57A2);
    if (h % 1000 >= 2) return 0;
    return (0.15 + 0.45 * double(h >> 20) / 4096.0) * Smoothstep(120, 20, py);
}

// Cloud cover at (x, y) in [0, 1]: long soft bands, stretched sideways like evening stratus.
double Cloud_density(double x, double y) {
    const double band = Smoothstep(18, 60, y) * Smoothstep(205, 120, y);
    const double warp = Fbm(x / 300.0, y / 60.0, 3, 0xC10D0) * 40;
    const double n = Fbm((x + warp) / 230.0, y / 34.0, 6, 0xC10D1);
    return Smoothstep(0.48, 0.70, n) * band;
}

// Sky with clouds. Clouds are violet in shadow and lit pink-orange on their undersides, more so near
// the sun.
Rgb Sky_with_clouds(double x, double y) {
    const Rgb sky = Sky(x, y);
    const double d = Cloud_density(x, y);
    if (d <= 0) return sky;
    const double below = Cloud_density(x, y + 5);
    const double underside = Clamp01(0.35 + (d - below) * 3.5);
    const double dx = (x - SUN_X) / 260.0, dy = (y - SUN_Y) / 160.0;
    const double sunward = std::exp(-(dx * dx + dy * dy));
    const double height = y / WATER;
    const Rgb shadow = Mix(Rgb_hex(0x3A3262), Rgb_hex(0x6E4C78), height);
    const Rgb lit = Mix(Rgb_hex(0xC87C9C), Rgb_hex(0xFFB486), Clamp01(height * 1.2 + sunward * 0.5));
    const Rgb cloud = Mix(shadow, lit, Clamp01(underside * (0.45 + 0.75 * sunward)));
    return Mix(sky, cloud, d * 0.85);
}

// The buildings standing in each column, so a lookup need not scan the whole town.
std::vector<std::vector<const Building*>> Lay_out_shore() {
    std::vector<std::vector<const Building*>> columns(W);
    for (const Building& b : Town())
        for (int x = std::max(b.x0, 0); x < std::min(b.x1, W); ++x)
            columns[x].push_back(&b);
    return columns;
}

// The building at sub-pixel point (x, y), or null.
const Building* Building_at(double x, double y) {
    static const std::vector<std::vector<const Building*>> columns = Lay_out_shore();
    const int px = int(std::floor(x));
    if (px < 0 || px >= W) return nullptr;
    for (const Building* b : columns[px])
        if (y >= Roof_top(*b, x) && y < b->bottom) return b;
    return nullptr;
}

// A building's colour at integer point (px, py): dark walls with a few warm lit windows in a grid
// of one-pixel windows two pixels apart.
Rgb Building_colour(const Building& b, int px, int py) {
    const Rgb wall = Rgb_hex(0x16142B);
    const int col = px - b.x0, row = py - b.top;
    if (b.seed == 0 || row < 1 || col % 3 != 1 || row % 3 != 1 || px >= b.x1 - 1 || py >= b.bottom - 1)
        return wall;
    const uint32_t h = Hash2(col, row, b.seed);
    if (h % 100 >= 24) return wall;
    return (h >> 8) % 3 ? Rgb_hex(0xFFC470) : Rgb_hex(0xFFE2B0);
}

// The scene above the water line at a sub-pixel point: silhouettes front to back, then the sky.
Rgb Land_and_sky(double x, double y) {
    const int px = std::clamp(int(std::floor(x)), 0, W - 1), py = int(std::floor(y));
    if (const Building* b = Building_at(x, y)) return Building_colour(*b, px, py);
    if (y >= Trees_top(x)) return Rgb_hex(0x1B1930);

    const double dx = (x - SUN_X) / 150.0;
    const double sun_column = std::exp(-dx * dx);
    const double near_top = Near_hills_top(x);
    if (y >= near_top) {
        const double texture = 0.88 + 0.24 * Fbm(x / 7.0, y / 6.0, 3, 0xF0E5);
        const Rgb rim = Rgb_hex(0x8A5070) * (0.5 * std::exp(-(y - near_top) / 1.5) * (0.3 + sun_column));
        return Rgb_hex(0x2A2545) * texture + rim;
    }
    const double far_top = Far_hills_top(x);
    if (y >= far_top) {
        // Far hills fade into the haze at their feet and catch the afterglow along their ridges.
        const Rgb haze = Sky(x, WATER - 6) * 0.75;
        const double mist = Smoothstep(WATER - 45, WATER - 4, y) * 0.55;
        // Slopes that face the sun are a little lighter just below the ridge.
        const double slope = (Far_hills_top(x + 3) - Far_hills_top(x - 3)) / 6 * (x < SUN_X ? 1 : -1);
        const double facing = std::clamp(slope * 2, -1.0, 1.0) * std::exp(-(y - far_top) / 25.0);
        const Rgb body = Rgb_hex(0x483D6C) * (0.92 + 0.16 * Fbm(x / 18.0, y / 9.0, 3, 0xFA2) + 0.12 * facing);
        const Rgb rim = Rgb_hex(0xFFA070) * (0.45 * std::exp(-(y - far_top) / 2.0) * sun_column);
        return Mix(body, haze, mist) + rim;
    }
    return Sky_with_clouds(x, y) + Rgb{1, 1, 1} * Stars(px, py);
}

// The lake at a sub-pixel point below the water line: the scene mirrored, broken up by ripples
// that grow towards the viewer, darkened and tinted towards the bottom.
Rgb Lake(double x, double y) {
    const double d = y - WATER;
    const double depth = d / (H - WATER);
    // Waves seen in perspective: rows get farther apart towards the viewer.
    const double wave_row = std::pow(d, 0.75);
    const double wobble = (Fbm(x / (24.0 + d * 0.4), wave_row * 0.9, 3, 0x1A4E) - 0.5) * (1.5 + d * 0.09);
    const double mirror_y = std::max(0.0, WATER - d * 1.05 - 0.5);
    Rgb c = Land_and_sky(x + wobble, mirror_y);

    const double ripples = Fbm(x / (60.0 + d), wave_row * 2.6, 3, 0x21B);
    c = c * ((0.64 - 0.34 * depth) * (0.86 + 0.28 * ripples));
    c = Mix(c, Rgb_hex(0x0A0C22), 0.18 + 0.5 * depth);

    // A faint path of afterglow on the water under the sun, broken into glints.
    const double width = 22 + d * 0.45;
    const double path = std::exp(-std::pow((x - SUN_X) / width, 2)) * std::exp(-d / 70.0);
    const double glints = Smoothstep(0.55, 0.8, Fbm(x / 6.0, wave_row * 4.0, 2, 0x611));
    c = c + Rgb_hex(0xFFB07A) * (0.22 * path * glints);
    return c;
}

Rgb Scene(double x, double y) {
    return y < WATER ? Land_and_sky(x, y) : Lake(x, y);
}

} // namespace

Picture Paint_back00() {
    Picture p;
    p.width = W;
    p.height = H;
    p.pixels.resize(size_t(W) * H);
    // Four samples per pixel smooth the silhouettes' edges and the ripples.
    constexpr double OFFSETS[2] = {0.25, 0.75};
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            Rgb sum;
            for (double oy : OFFSETS)
                for (double ox : OFFSETS)
                    sum = sum + Scene(x + ox, y + oy);
            // A light vignette keeps the eye in the middle and the corners under the text dark.
            const double vx = (x - W / 2.0) / (W / 2.0), vy = (y - H * 0.4) / (H * 0.6);
            const double vignette = 1 - 0.22 * Clamp01(vx * vx * 0.6 + vy * vy * 0.5);
            p.pixels[size_t(y) * W + x] = To_pixel(sum * (0.25 * vignette), x, y);
        }
    }
    return p;
}
