// The window icon: a 32x32 emblem drawn by the engine itself, so no picture file has to ship with
// the program.
#pragma once

#include <cstdint>
#include <vector>

// The icon's pixels, 0xAARRGGBB with straight alpha, rows top to bottom, *size x *size of them
// (32); the background is fully transparent. The storage lives as long as the program.
const uint32_t* Icon_pixels(int* size);

// The same emblem drawn afresh at size x size pixels (same layout as Icon_pixels), for the
// application icons of every size that the desktop asks for.
std::vector<uint32_t> Icon_render(int size);
