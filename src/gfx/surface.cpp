#include "gfx/surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// A block operation's rectangle after clipping against both surfaces.
struct Span {
    int dx, dy, sx, sy, w, h;
};

// Clips the w x h block from (sx, sy) of src to (dx, dy) of dst; false if nothing is left.
bool Clip(const Surface* dst, const Surface* src, int dx, int dy, int w, int h, int sx, int sy, Span* out) {
    if (w <= 0 || h <= 0) return false;
    // Work in 64 bits so huge arguments from scripts cannot overflow.
    long long x0 = dx, y0 = dy, s0 = sx, t0 = sy, ww = w, hh = h;
    if (s0 < 0) {
        x0 -= s0;
        ww += s0;
        s0 = 0;
    }
    if (t0 < 0) {
        y0 -= t0;
        hh += t0;
        t0 = 0;
    }
    if (x0 < 0) {
        s0 -= x0;
        ww += x0;
        x0 = 0;
    }
    if (y0 < 0) {
        t0 -= y0;
        hh += y0;
        y0 = 0;
    }
    ww = std::min({ww, static_cast<long long>(dst->width) - x0, static_cast<long long>(src->width) - s0});
    hh = std::min({hh, static_cast<long long>(dst->height) - y0, static_cast<long long>(src->height) - t0});
    if (ww <= 0 || hh <= 0) return false;
    *out = Span{int(x0), int(y0), int(s0), int(t0), int(ww), int(hh)};
    return true;
}

template <typename Op>
void Block(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy, Op op) {
    Span c;
    if (!Clip(dst, src, dx, dy, w, h, sx, sy, &c)) return;
    // A surface copied onto itself with overlapping rectangles must read rows before they are
    // written: walk bottom-up when the destination lies below the source.
    const bool backwards = dst == src && c.dy > c.sy;
    for (int i = 0; i < c.h; ++i) {
        int row = backwards ? c.h - 1 - i : i;
        uint32_t* d = &dst->pixels[size_t(c.dy + row) * dst->width + c.dx];
        const uint32_t* s = &src->pixels[size_t(c.sy + row) * src->width + c.sx];
        op(d, s, c.w);
    }
    Surface_touch_rect(dst, c.dx, c.dy, c.w, c.h);
}

} // namespace

void Surface_touch_rect(Surface* s, int x, int y, int w, int h) {
    ++s->revision;
    const int32_t l = std::max(x, 0), t = std::max(y, 0);
    const int32_t r = int32_t(std::min<long long>(static_cast<long long>(x) + w, s->width));
    const int32_t b = int32_t(std::min<long long>(static_cast<long long>(y) + h, s->height));
    if (l >= r || t >= b) return;
    Rect& c = s->changed;
    if (c.left >= c.right || c.top >= c.bottom) {
        c = Rect{l, t, r, b};
        return;
    }
    c = Rect{std::min(c.left, l), std::min(c.top, t), std::max(c.right, r), std::max(c.bottom, b)};
}

Rect Surface_take_changed(Surface* s) {
    return std::exchange(s->changed, Rect{});
}

void Surface_create(Surface* s, int w, int h) {
    s->width = std::max(w, 0);
    s->height = std::max(h, 0);
    // The buffer is kept when it is large enough: a restart makes the same surfaces again.
    s->pixels.resize(size_t(s->width) * s->height);
    if (!s->pixels.empty()) std::memset(s->pixels.data(), 0, s->pixels.size() * sizeof s->pixels[0]);
    Surface_touch(s);
}

void Surface_release(Surface* s) {
    s->width = s->height = 0;
    std::vector<uint32_t>().swap(s->pixels);
    ++s->revision;
    s->changed = Rect{};
}

void Surface_copy(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy) {
    // Rows of two surfaces never overlap, and a plain copy is the cheaper call (much cheaper under
    // the address sanitizer, whose memmove goes byte by byte); within one surface a row may overlap.
    if (dst != src)
        Block(dst, dx, dy, w, h, src, sx, sy,
              [](uint32_t* d, const uint32_t* s, int n) { std::memcpy(d, s, size_t(n) * 4); });
    else
        Block(dst, dx, dy, w, h, src, sx, sy,
              [](uint32_t* d, const uint32_t* s, int n) { std::memmove(d, s, size_t(n) * 4); });
}

void Surface_and(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy) {
    Block(dst, dx, dy, w, h, src, sx, sy, [](uint32_t* d, const uint32_t* s, int n) {
        for (int i = 0; i < n; ++i)
            d[i] &= s[i];
    });
}

void Surface_or(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy) {
    Block(dst, dx, dy, w, h, src, sx, sy, [](uint32_t* d, const uint32_t* s, int n) {
        for (int i = 0; i < n; ++i)
            d[i] |= s[i];
    });
}

void Surface_blend(Surface* dst, int dx, int dy, int w, int h, const Surface* src, int sx, int sy,
                   int alpha) {
    alpha = std::clamp(alpha, 0, 255);
    if (alpha == 0) return;
    const uint16_t a = uint16_t(alpha), b = uint16_t(255 - alpha);
    Block(dst, dx, dy, w, h, src, sx, sy, [a, b](uint32_t* d32, const uint32_t* s32, int n) {
        // Byte by byte (the unused fourth byte stays 0): v = src * a + dst * b + 128 fits 16 bits,
        // and (v + (v >> 8)) >> 8 is (src * a + dst * b) / 255 rounded to nearest, exactly. Written
        // this plainly so the compiler turns it into vector code.
        uint8_t* d = reinterpret_cast<uint8_t*>(d32);
        const uint8_t* s = reinterpret_cast<const uint8_t*>(s32);
        for (int i = 0; i < n * 4; ++i) {
            const uint16_t v = uint16_t(s[i] * a + d[i] * b + 128);
            d[i] = uint8_t((v + (v >> 8)) >> 8);
        }
    });
}

void Surface_stretch(Surface* dst, int dx, int dy, int dw, int dh, const Surface* src, int sx, int sy, int sw,
                     int sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    bool wrote = false;
    for (int j = 0; j < dh; ++j) {
        long long y = static_cast<long long>(dy) + j;
        if (y < 0 || y >= dst->height) continue;
        long long ty = sy + static_cast<long long>(j) * sh / dh;
        if (ty < 0 || ty >= src->height) continue;
        uint32_t* d = &dst->pixels[size_t(y) * dst->width];
        const uint32_t* s = &src->pixels[size_t(ty) * src->width];
        for (int i = 0; i < dw; ++i) {
            long long x = static_cast<long long>(dx) + i;
            if (x < 0 || x >= dst->width) continue;
            long long tx = sx + static_cast<long long>(i) * sw / dw;
            if (tx < 0 || tx >= src->width) continue;
            d[x] = s[tx];
            wrote = true;
        }
    }
    // The rows and columns written lie within the clipped destination rectangle.
    if (wrote) Surface_touch_rect(dst, dx, dy, dw, dh);
}

void Surface_fill(Surface* dst, int x1, int y1, int x2, int y2, uint32_t pixel) {
    long long l = std::max(x1, 0), t = std::max(y1, 0);
    long long r = std::min(x2, dst->width), b = std::min(y2, dst->height);
    if (l >= r || t >= b) return;
    for (long long y = t; y < b; ++y) {
        uint32_t* row = &dst->pixels[size_t(y) * dst->width];
        std::fill(row + l, row + r, pixel);
    }
    Surface_touch_rect(dst, int(l), int(t), int(r - l), int(b - t));
}
