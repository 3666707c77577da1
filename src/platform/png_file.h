// PNG files for screenshots of the window picture and for tests that compare them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes a width x height picture of 0x00RRGGBB pixels (rows top to bottom) as an RGB PNG file.
// False if the file cannot be written.
bool Png_write(const char* path, const uint32_t* pixels, int width, int height);

// Reads an 8-bit RGB or RGBA PNG file into 0x00RRGGBB pixels. False if it cannot be read.
bool Png_read(const char* path, std::vector<uint32_t>* pixels, int* width, int* height);
