#include "gfx/box_fill.h"

void BoxFill(Surface* dc, int x1, int y1, int x2, int y2, uint32_t color) {
    // A solid brush cannot fail to be made here, so the old brush-failure box has no cause left.
    Surface_fill(dc, x1, y1, x2, y2, Color_to_pixel(color));
}
