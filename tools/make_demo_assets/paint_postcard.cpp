// postcard.bmp: the picture postcard that called the narrator home, 240x180. Its front is a
// photograph of the lake and the tower at dusk (the start-up picture, taken down to postcard
// size) printed with a cream border, a little faded and warm as old prints are.
//
// Scripts lay it over a scene with g_copy, or let it come up slowly with alpha_copy.
#include "demo_assets.h"
#include "paint_kit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int W = 240;
constexpr int H = 180;
constexpr int BORDER = 8;
constexpr int PHOTO_W = W - 2 * BORDER;
constexpr int PHOTO_H = H - 2 * BORDER;

Rgb From_pixel(uint32_t p) {
    return Rgb_hex(p);
}

// The mean of the source pixels under one photo pixel (a box filter: no shimmer on the water).
Rgb Average(const Picture& src, double x0, double y0, double x1, double y1) {
    Rgb sum;
    int n = 0;
    for (int y = int(y0); y < int(std::ceil(y1)); ++y) {
        for (int x = int(x0); x < int(std::ceil(x1)); ++x) {
            sum = sum + From_pixel(src.pixels[size_t(std::clamp(y, 0, src.height - 1)) * size_t(src.width) +
                                              size_t(std::clamp(x, 0, src.width - 1))]);
            ++n;
        }
    }
    return sum * (1.0 / std::max(n, 1));
}

// An old print: contrast eased, colours drawn a little together and towards warm.
Rgb Age(Rgb c, double vignette) {
    const double grey = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
    c = Mix(c, Rgb{grey, grey, grey}, 0.18);
    c = c * 0.88 + Rgb_hex(0x2A1E14) * 0.6;
    return c * Rgb_hex(0xFFF0DC) * vignette;
}

} // namespace

Picture Paint_postcard() {
    const Picture scene = Paint_back00();
    // The photo shows the scene's middle band, cropped to the photo's shape.
    const double scale = double(scene.width) / PHOTO_W;
    const double top = (scene.height - PHOTO_H * scale) / 2;
    Picture p;
    p.width = W;
    p.height = H;
    p.pixels.resize(size_t(W) * H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const int px = x - BORDER, py = y - BORDER;
            Rgb c;
            if (px >= 0 && px < PHOTO_W && py >= 0 && py < PHOTO_H) {
                const double sx = px * scale, sy = top + py * scale;
                const double vx = (px - PHOTO_W / 2.0) / PHOTO_W, vy = (py - PHOTO_H / 2.0) / PHOTO_H;
                c = Age(Average(scene, sx, sy, sx + scale, sy + scale), 1 - 0.35 * (vx * vx + vy * vy));
            } else {
                // Card stock: cream, faintly mottled, a shade darker at its very edge.
                const int edge = std::min({x, y, W - 1 - x, H - 1 - y});
                c = Rgb_hex(0xEDE3CC) * (0.94 + 0.06 * Fbm(x / 9.0, y / 9.0, 3, 0xCA2D)) *
                    (edge == 0 ? 0.82 : 1.0);
            }
            p.pixels[size_t(y) * W + x] = To_pixel(c, x, y);
        }
    }
    return p;
}
