// Surfaces: the engine's own 32-bit pixel buffers and the block operations on them.
//
// Pixels are 0x00RRGGBB, rows top to bottom. Every operation clips against both surfaces, so no
// caller can read or write outside a buffer. Every operation that writes bumps `revision` and
// widens `changed` to cover what it wrote, which lets the window skip uploads of an unchanged
// picture and upload only the changed part of one that changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/rect.h"

constexpr int PICTURE_NAME_SIZE = 512;

struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t revision = 0;
    Rect changed; // what was written since Surface_take_changed last emptied it
    // Path of the picture this content stands for (kept for the three fixed surfaces; Shift-JIS).
    char PictureName[PICTURE_NAME_SIZE] = {};
};

// Colours in scripts and records are 0x00BBGGRR; pixels are 0x00RRGGBB. This is the one place that
// converts between them.
constexpr uint32_t Color_to_pixel(uint32_t bbggrr) {
    return ((bbggrr & 0xFF) << 16) | (bbggrr & 0xFF00) | ((bbggrr >> 16) & 0xFF);
}

// Gives the surface the size w x h, all black. Sizes below 0 count as 0.
void Surface_create(Surface* s, int w, int h);

// Frees the pixels; the surface becomes 0x0.
void Surface_release(Surface* s);

// Marks the w x h rectangle at (x, y) as written (clipped to the surface), for callers that write
// `pixels` directly.
void Surface_touch_rect(Surface* s, int x, int y, int w, int h);

// Marks the whole surface as written.
inline void Surface_touch(Surface* s) {
    Surface_touch_rect(s, 0, 0, s->width, s->height);
}

// The rectangle written since the last call (empty if nothing was), and empties it.
Rect Surface_take_changed(Surface* s);

// Pixel at (x, y); the caller keeps (x, y) inside the surface.
inline uint32_t Surface_get(const Surface* s, int x, int y) {
    return s->pixels[size_t(y) * s->width + x];
}

// Block copy of the w x h rectangle at (sx, sy) of `src` to (dx, dy) of `dst`: dst = src.
void Surface_copy(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy);

// The same with dst = dst AND src, and with dst = dst OR src (the wait icon's mask and picture).
void Surface_and(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy);
void Surface_or(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy);

// Constant-alpha blend: each channel becomes (src * alpha + dst * (255 - alpha)) / 255, rounded.
// alpha 255 copies, alpha 0 leaves dst as it was.
void Surface_blend(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy, int alpha);

// Nearest-neighbour stretch of the sw x sh rectangle at (sx, sy) of `src` onto the dw x dh rectangle
// at (dx, dy) of `dst`.
void Surface_stretch(Surface* dst, int dx, int dy, int dw, int dh, const Surface* src, int sx, int sy, int sw,
                     int sh);

// Fills the rectangle from (x1, y1) inclusive to (x2, y2) exclusive with `pixel` (0x00RRGGBB).
void Surface_fill(Surface* dst, int x1, int y1, int x2, int y2, uint32_t pixel);
