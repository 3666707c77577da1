// BoxFill: a solid rectangle in a GDI colour.
#pragma once

#include <cstdint>

#include "gfx/surface.h"

// Fills from (x1, y1) inclusive to (x2, y2) exclusive with `color` (0x00BBGGRR), clipped.
void BoxFill(Surface* dc, int x1, int y1, int x2, int y2, uint32_t color);
