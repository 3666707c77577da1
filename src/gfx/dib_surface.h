// DibSurface: a surface with direct pixel access and the header of a 32-bit bottom-up bitmap, used
// by the `test` command's key-copy benchmark.
#pragma once

#include <cstdint>

#include "gfx/surface.h"

struct BitmapInfoHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bit_count;
    uint32_t compression;
    uint32_t size_image;
    int32_t x_pels_per_meter;
    int32_t y_pels_per_meter;
    uint32_t clr_used;
    uint32_t clr_important;
};

struct DibSurface {
    Surface dc;               // what drawing operations and loaders draw into
    BitmapInfoHeader info{};  // 40, w, h (positive), 1 plane, 32 bits, uncompressed, w*4*h, 1000 ppm
    uint8_t* bytes = nullptr; // the pixels as bytes: blue, green, red, unused
    uint32_t* pixels = nullptr;  // the pixels as 0x00RRGGBB values
    int valid = 0;
};

// Makes a black w x h surface and fills the header; valid becomes 1. False (with a box, valid
// unchanged) if the pixels cannot be allocated.
bool PXL_create_DIB_surface(DibSurface* s, int width, int height);

// Frees the pixels; valid becomes 0.
void PXL_delete_DIB_surface(DibSurface* s);

// Copies the w x h rectangle at (sx, sy) of `src` to (dx, dy) of `dst`, skipping source pixels equal
// to `key` (all 32 bits). Rows and columns outside the destination are skipped; the source
// rectangle is clipped to the source as well, so nothing is read outside it.
void PXL_DIB_key_copy(DibSurface* dst, int dx, int dy, const DibSurface* src, int sx, int sy, int w, int h,
                      uint32_t key);
