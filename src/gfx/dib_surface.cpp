#include "gfx/dib_surface.h"

#include <algorithm>
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
    const long long W = dst->dc.width, H = dst->dc.height;
    const long long SW = src->dc.width, SH = src->dc.height;
    // The columns j with both dx + j and sx + j inside their surfaces, found once: the row loop
    // then runs branch-free but for the key test (the test command times 100 full-window copies).
    const long long j0 = std::max({0LL, -static_cast<long long>(dx), -static_cast<long long>(sx)});
    const long long j1 = std::min({static_cast<long long>(w), W - dx, SW - sx});
    // Rows go bottom row first, as they lie in a bottom-up bitmap's memory; every row of the
    // rectangle is visited, the last one included.
    for (int i = 0; i < h && j0 < j1; ++i) {
        const long long yd = static_cast<long long>(dy) + h - 1 - i;
        const long long ys = static_cast<long long>(sy) + h - 1 - i;
        if (yd < 0 || yd >= H || ys < 0 || ys >= SH) continue;
        uint32_t* drow = &dst->dc.pixels[size_t(yd * W + dx + j0)];
        const uint32_t* srow = &src->dc.pixels[size_t(ys * SW + sx + j0)];
        for (long long j = 0; j < j1 - j0; ++j)
            if (srow[j] != key) drow[j] = srow[j];
    }
    Surface_touch(&dst->dc);
}
