// The window icon: a 32x32 emblem drawn by the engine itself, so no picture file has to ship with
// the program.
#pragma once

#include <cstdint>

// The icon's pixels, 0xAARRGGBB with straight alpha, rows top to bottom, *size x *size of them
// (32); the background is fully transparent. The storage lives as long as the program.
const uint32_t* Icon_pixels(int* size);
