// Rectangles of the 640x480 picture: left and top inclusive, right and bottom exclusive.
#pragma once

#include <cstdint>

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Fills *r and returns it.
inline Rect* Rect_set(Rect* r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    *r = Rect{left, top, right, bottom};
    return r;
}
