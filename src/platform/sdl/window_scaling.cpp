#include "platform/sdl/window_scaling.h"

#include <algorithm>
#include <cstring>

#include "platform/platform.h"

WindowFit Window_fit(int window_w, int window_h) {
    WindowFit fit;
    fit.scale = std::max(1, std::min(window_w / WINDOW_WIDTH, window_h / WINDOW_HEIGHT));
    fit.x = (window_w - WINDOW_WIDTH * fit.scale) / 2;
    fit.y = (window_h - WINDOW_HEIGHT * fit.scale) / 2;
    return fit;
}

void Window_to_picture(const WindowFit& fit, int window_x, int window_y, int* picture_x, int* picture_y) {
    // Truncating division is enough: anything left of or above the picture clamps to 0 anyway.
    *picture_x = std::clamp((window_x - fit.x) / fit.scale, 0, WINDOW_WIDTH - 1);
    *picture_y = std::clamp((window_y - fit.y) / fit.scale, 0, WINDOW_HEIGHT - 1);
}

namespace {

uint32_t* row_at(uint32_t* dst, size_t pitch, int y) {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(dst) + pitch * size_t(y));
}

void fill_black(uint32_t* dst, size_t pitch, int x1, int y1, int x2, int y2) {
    if (x1 >= x2) return;
    for (int y = y1; y < y2; ++y)
        std::memset(row_at(dst, pitch, y) + x1, 0, size_t(x2 - x1) * 4);
}

} // namespace

void Window_draw(const uint32_t* picture, const WindowFit& fit, uint32_t* dst, int dst_w, int dst_h,
                 size_t dst_pitch) {
    const int s = fit.scale;
    // The picture's rectangle in the window, cut to the window (only at scale 1 can it overhang).
    const int left = std::max(fit.x, 0), right = std::min(fit.x + WINDOW_WIDTH * s, dst_w);
    const int top = std::max(fit.y, 0), bottom = std::min(fit.y + WINDOW_HEIGHT * s, dst_h);

    fill_black(dst, dst_pitch, 0, 0, dst_w, top);
    fill_black(dst, dst_pitch, 0, bottom, dst_w, dst_h);
    fill_black(dst, dst_pitch, 0, top, left, bottom);
    fill_black(dst, dst_pitch, right, top, dst_w, bottom);

    if (s == 1) {
        const size_t bytes = size_t(right - left) * 4;
        for (int y = top; y < bottom; ++y)
            std::memcpy(row_at(dst, dst_pitch, y) + left,
                        picture + size_t(y - fit.y) * WINDOW_WIDTH + (left - fit.x), bytes);
        return;
    }
    // Scale 2 or more only fits when the window holds the whole picture, so nothing is cut: widen
    // each source row once, then copy that window row down s - 1 times.
    const size_t row_bytes = size_t(WINDOW_WIDTH) * s * 4;
    for (int py = 0; py < WINDOW_HEIGHT; ++py) {
        const uint32_t* src = picture + size_t(py) * WINDOW_WIDTH;
        uint32_t* first = row_at(dst, dst_pitch, fit.y + py * s) + fit.x;
        uint32_t* out = first;
        for (int px = 0; px < WINDOW_WIDTH; ++px) {
            const uint32_t pixel = src[px];
            for (int k = 0; k < s; ++k)
                *out++ = pixel;
        }
        for (int k = 1; k < s; ++k)
            std::memcpy(row_at(dst, dst_pitch, fit.y + py * s + k) + fit.x, first, row_bytes);
    }
}
