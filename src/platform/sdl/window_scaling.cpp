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
    Window_draw_part(picture, fit, dst, dst_w, dst_h, dst_pitch, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT);
}

WindowPart Window_draw_part(const uint32_t* picture, const WindowFit& fit, uint32_t* dst, int dst_w,
                            int dst_h, size_t dst_pitch, int x, int y, int w, int h) {
    const int s = fit.scale;
    // The part cut to the picture, then to the window (only at scale 1 can the picture overhang:
    // scale 2 or more only fits when the window holds the whole picture).
    const int px0 = std::max({x, 0, (0 - fit.x + s - 1) / s}),
              py0 = std::max({y, 0, (0 - fit.y + s - 1) / s});
    const int px1 = int(std::min({static_cast<long long>(x) + w, static_cast<long long>(WINDOW_WIDTH),
                                  static_cast<long long>(dst_w - fit.x) / s}));
    const int py1 = int(std::min({static_cast<long long>(y) + h, static_cast<long long>(WINDOW_HEIGHT),
                                  static_cast<long long>(dst_h - fit.y) / s}));
    if (px0 >= px1 || py0 >= py1) return WindowPart{};
    const int n = px1 - px0;
    for (int py = py0; py < py1; ++py) {
        const uint32_t* src = picture + size_t(py) * WINDOW_WIDTH + px0;
        uint32_t* first = row_at(dst, dst_pitch, fit.y + py * s) + fit.x + px0 * s;
        if (s == 1) {
            std::memcpy(first, src, size_t(n) * 4);
            continue;
        }
        // Widen the source row once, then copy that window row down s - 1 times.
        uint32_t* out = first;
        for (int px = 0; px < n; ++px)
            for (int k = 0; k < s; ++k)
                *out++ = src[px];
        for (int k = 1; k < s; ++k)
            std::memcpy(row_at(dst, dst_pitch, fit.y + py * s + k) + fit.x + px0 * s, first,
                        size_t(n) * s * 4);
    }
    return WindowPart{fit.x + px0 * s, fit.y + py0 * s, n * s, (py1 - py0) * s};
}
