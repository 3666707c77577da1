// PNG files for screenshots of the window picture and for tests that compare them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes a width x height picture of 0x00RRGGBB pixels (rows top to bottom) as an RGB PNG into
// *out; with `alpha`, pixels are 0xAARRGGBB (straight alpha) and the PNG is RGBA. False if the
// picture has no pixels or is too large.
bool Png_encode(const uint32_t* pixels, int width, int height, std::vector<uint8_t>* out, bool alpha = false);

// Writes the picture (as Png_encode) to the file at `path`. False if it cannot be written.
bool Png_write(const char* path, const uint32_t* pixels, int width, int height, bool alpha = false);

// Reads an 8-bit RGB or RGBA PNG file into 0x00RRGGBB pixels. False if it cannot be read.
bool Png_read(const char* path, std::vector<uint32_t>* pixels, int* width, int* height);
