// Picture decoders: BMP and JPEG files from bytes in memory to 0x00RRGGBB pixels.
//
// They read only inside the buffer they are given, whatever the file claims, and say why they
// refuse a file, so the loaders can tell the player.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, rows top to bottom
};

// Decodes a Windows BMP: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4 and RLE8, top-down or
// bottom-up rows. Returns false and an English reason in *error for anything else or any damage.
bool Bmp_decode(const uint8_t* data, size_t size, DecodedImage* out, std::string* error);

// Decodes a baseline or progressive JPEG (greyscale, YCbCr or CMYK). False and a reason on failure.
bool Jpeg_decode(const uint8_t* data, size_t size, DecodedImage* out, std::string* error);

// The JPEG library the decoder is built on, "libjpeg-turbo 2.1.5 (libjpeg 6.2)". Its interface has
// no call that tells the version, so this is the one the engine was built against; the library's
// soname holds the running one to the same interface version.
std::string Jpeg_library_version();

// Decodes either kind, chosen by the file's first bytes, not by its name.
bool Image_decode(const uint8_t* data, size_t size, DecodedImage* out, std::string* error);

// Encodes a picture as an uncompressed 24-bit bottom-up BMP file.
std::vector<uint8_t> Bmp_encode_24(const uint32_t* pixels, int width, int height);
