// Parts.bmp: the click-wait icon, its mask and a scratch cell, each 25x25, side by side.
//
// The engine draws the icon by ANDing the mask onto the screen and then ORing the icon cell, so the
// two must agree pixel for pixel: the icon cell is black wherever the mask is white, and the mask is
// black under every pixel of the icon. That rules out soft edges, so the icon is pixel-crisp: a
// downward-pointing rounded triangle in warm cream fading to gold, with a one-pixel amber rim that
// keeps it readable on both dark and light pictures.
#include "demo_assets.h"
#include "paint_kit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int CELL = 25;

struct Point {
    double x, y;
};

double Cross(Point o, Point a, Point b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double Distance_to_segment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// True if p lies in the triangle abc with its corners rounded to `radius`: the triangle shrunk
// towards its incentre by `radius`, then grown back by the same distance in every direction.
bool In_rounded_triangle(Point p, Point a, Point b, Point c, double radius) {
    const double la = std::hypot(b.x - c.x, b.y - c.y), lb = std::hypot(c.x - a.x, c.y - a.y),
                 lc = std::hypot(a.x - b.x, a.y - b.y);
    const double perimeter = la + lb + lc;
    const Point centre = {(la * a.x + lb * b.x + lc * c.x) / perimeter,
                          (la * a.y + lb * b.y + lc * c.y) / perimeter};
    const double inradius = std::abs(Cross(a, b, c)) / perimeter;
    const double k = (inradius - radius) / inradius;
    auto shrink = [&](Point v) {
        return Point{centre.x + (v.x - centre.x) * k, centre.y + (v.y - centre.y) * k};
    };
    const Point sa = shrink(a), sb = shrink(b), sc = shrink(c);
    const double d1 = Cross(sa, sb, p), d2 = Cross(sb, sc, p), d3 = Cross(sc, sa, p);
    const bool inside = (d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0);
    if (inside) return true;
    return std::min({Distance_to_segment(p, sa, sb), Distance_to_segment(p, sb, sc),
                     Distance_to_segment(p, sc, sa)}) <= radius;
}

} // namespace

Picture Paint_parts() {
    Picture p;
    p.width = CELL * 3;
    p.height = CELL;
    p.pixels.assign(size_t(p.width) * p.height, 0);

    // 17 pixels wide (columns 4-20) and 15 high (rows 5-19): centred in the cell, apex on column 12.
    const Point a = {2.5, 5.5}, b = {22.5, 5.5}, c = {12.5, 22.5};
    bool shape[CELL][CELL] = {};
    for (int y = 0; y < CELL; ++y)
        for (int x = 0; x < CELL; ++x)
            shape[y][x] = In_rounded_triangle({x + 0.5, y + 0.5}, a, b, c, 2.3);
    auto in_shape = [&](int x, int y) { return x >= 0 && y >= 0 && x < CELL && y < CELL && shape[y][x]; };

    const Rgb rim = Rgb_hex(0x9A5A22), top = Rgb_hex(0xFFF4DA), bottom = Rgb_hex(0xFFBE5C);
    for (int y = 0; y < CELL; ++y) {
        for (int x = 0; x < CELL; ++x) {
            if (!shape[y][x]) continue;
            // The rim: pixels with a side on the outside. Using only the four side neighbours keeps
            // diagonal edges one pixel thin.
            const bool edge =
                !in_shape(x - 1, y) || !in_shape(x + 1, y) || !in_shape(x, y - 1) || !in_shape(x, y + 1);
            Rgb colour = edge ? rim : Mix(top, bottom, Smoothstep(6, 17, y));
            // A lighter line just under the top rim gives the glyph a little bevel.
            if (!edge && !in_shape(x, y - 2)) colour = Rgb_hex(0xFFFCF2);
            const uint32_t px = To_pixel(colour, x, y) | 0x010101; // never black, or the mask would disagree
            p.pixels[size_t(y) * p.width + x] = px;
            p.pixels[size_t(y) * p.width + CELL + x] = 0x000000;
        }
    }
    for (int y = 0; y < CELL; ++y)
        for (int x = 0; x < CELL; ++x)
            if (!shape[y][x]) p.pixels[size_t(y) * p.width + CELL + x] = 0xFFFFFF;
    return p;
}
