// The emblem: an indigo roundel with a gold rim, holding a lacquered bow (with its grip binding
// and string) and a crescent moon. The shapes are laid out on a 32-unit square, scaled to the size
// asked; each pixel is sampled 4x4 times so the curves come out smooth even at 32 px.
#include "platform/sdl/icon.h"

#include <cmath>
#include <vector>

namespace {

constexpr int WINDOW_SIZE = 32;
constexpr double UNITS = 32.0; // the side of the square the shapes are laid out on
constexpr int SAMPLES = 4;

constexpr uint32_t RIM = 0xC9A24A;
constexpr uint32_t FIELD = 0x1B2447;
constexpr uint32_t MOON = 0xF3DC8A;
constexpr uint32_t LIMB = 0xD2452F;
constexpr uint32_t GRIP = 0xF1E6C8;
constexpr uint32_t STRING = 0xE8E2D4;

// The bow is an arc of a circle centred right of the roundel, bent leftwards.
constexpr double BOW_CX = 26.0, BOW_CY = 16.0, BOW_R = 15.0;
constexpr double BOW_HALF_ANGLE = 0.96; // radians either side of straight left: tips near y 4 and 28

bool in_disc(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// The colour of the topmost shape at (x, y), or -1 where nothing is drawn.
long sample(double x, double y) {
    const double dx = x - BOW_CX, dy = y - BOW_CY;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double angle = std::atan2(dy, -dx); // 0 straight left of the bow's centre
    if (std::fabs(angle) <= BOW_HALF_ANGLE) {
        // The limb is thickest at the grip and thins towards the tips.
        const double half = 1.35 - 0.6 * std::fabs(angle) / BOW_HALF_ANGLE;
        if (std::fabs(r - BOW_R) <= half) {
            // The grip sits a little below the middle, as on a real long bow.
            return (angle > 0.06 && angle < 0.26) ? GRIP : LIMB;
        }
    }
    const double string_x = BOW_CX - BOW_R * std::cos(BOW_HALF_ANGLE);
    const double tip_dy = BOW_R * std::sin(BOW_HALF_ANGLE);
    if (std::fabs(x - string_x) <= 0.35 && std::fabs(dy) <= tip_dy) return STRING;
    if (in_disc(x, y, 23.6, 12.4, 5.0) && !in_disc(x, y, 25.8, 10.8, 4.3)) return MOON;
    if (in_disc(x, y, 16.0, 16.0, 14.3)) return FIELD;
    if (in_disc(x, y, 16.0, 16.0, 15.6)) return RIM;
    return -1;
}

} // namespace

std::vector<uint32_t> Icon_render(int size) {
    std::vector<uint32_t> pixels(size > 0 ? size_t(size) * size_t(size) : 0);
    const double unit = UNITS / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int covered = 0, red = 0, green = 0, blue = 0;
            for (int sy = 0; sy < SAMPLES; ++sy) {
                for (int sx = 0; sx < SAMPLES; ++sx) {
                    const long c =
                        sample((x + (sx + 0.5) / SAMPLES) * unit, (y + (sy + 0.5) / SAMPLES) * unit);
                    if (c < 0) continue;
                    ++covered;
                    red += (c >> 16) & 0xFF;
                    green += (c >> 8) & 0xFF;
                    blue += c & 0xFF;
                }
            }
            // Straight alpha: the colour is the mean of the covered samples only, so edges fade out
            // without darkening.
            uint32_t pixel = 0;
            if (covered > 0) {
                const uint32_t alpha = uint32_t(covered * 255 / (SAMPLES * SAMPLES));
                pixel = alpha << 24 | uint32_t(red / covered) << 16 | uint32_t(green / covered) << 8 |
                        uint32_t(blue / covered);
            }
            pixels[size_t(y) * size_t(size) + size_t(x)] = pixel;
        }
    }
    return pixels;
}

const uint32_t* Icon_pixels(int* size) {
    static const std::vector<uint32_t> icon = Icon_render(WINDOW_SIZE);
    *size = WINDOW_SIZE;
    return icon.data();
}
