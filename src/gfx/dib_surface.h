// DibSurface: a surface with direct pixel access, used
// by the `test` command's key-copy benchmark.
#pragma once

#include <cstdint>

#include "gfx/surface.h"

struct DibSurface {
    Surface dc;                 // what drawing operations and loaders draw into
    uint32_t* pixels = nullptr; // the pixels as 0x00RRGGBB values
    int valid = 0;
};

// Makes a black w x h surface; valid becomes 1. False (with a box, valid
// unchanged) if the pixels cannot be allocated.
bool PXL_create_DIB_surface(DibSurface* s, int width, int height);

// Frees the pixels; valid becomes 0.
void PXL_delete_DIB_surface(DibSurface* s);

// Copies the w x h rectangle at (sx, sy) of `src` to (dx, dy) of `dst`, skipping source pixels equal
// to `key` (all 32 bits). Rows and columns outside the destination are skipped; the source
// rectangle is clipped to the source as well, so nothing is read outside it.
void PXL_DIB_key_copy(DibSurface* dst, int dx, int dy, const DibSurface* src, int sx, int sy, int w, int h,
                      uint32_t key);
