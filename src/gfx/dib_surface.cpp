#include "gfx/dib_surface.h"

#include <new>

#include "core/dialogs.h"

bool PXL_create_DIB_surface(DibSurface* s, int width, int height) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        Msg_box("DIBが生成できないにょ！(T▽T)", "PXL_create_DIB_surface()");
        return false;
    }
    try {
        Surface_create(&s->dc, width, height);
    } catch (const std::bad_alloc&) {
        Msg_box("DIBが生成できないにょ！(T▽T)", "PXL_create_DIB_surface()");
        return false;
    }
    s->pixels = s->dc.pixels.data();
    s->valid = 1;
    return true;
}

void PXL_delete_DIB_surface(DibSurface* s) {
    Surface_release(&s->dc);
    s->pixels = nullptr;
    s->valid = 0;
}

void PXL_DIB_key_copy(DibSurface* dst, int dx, int dy, const DibSurface* src, int sx, int sy, int w, int h,
                      uint32_t key) {
    const int W = dst->dc.width, H = dst->dc.height;
    const int SW = src->dc.width, SH = src->dc.height;
    // Rows go bottom row first, as they lie in a bottom-up bitmap's memory; every row of the
    // rectangle is visited, the last one included.
    for (int i = 0; i < h; ++i) {
        const long long yd = static_cast<long long>(dy) + h - 1 - i;
        const long long ys = static_cast<long long>(sy) + h - 1 - i;
        if (yd < 0 || yd >= H || ys < 0 || ys >= SH) continue;
        uint32_t* drow = &dst->dc.pixels[size_t(yd) * W];
        const uint32_t* srow = &src->dc.pixels[size_t(ys) * SW];
        for (int j = 0; j < w; ++j) {
            const long long xd = static_cast<long long>(dx) + j;
            const long long xs = static_cast<long long>(sx) + j;
            if (xd < 0 || xd >= W || xs < 0 || xs >= SW) continue;
            const uint32_t p = srow[xs];
            if (p != key) drow[xd] = p;
        }
    }
    Surface_touch(&dst->dc);
}
