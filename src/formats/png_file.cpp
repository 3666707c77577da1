// PNG files through libpng's simplified interface, which reports errors in its own record instead of
// jumping out of our frames.
#include "formats/png_file.h"

#include <bit>
#include <cstdio>

#include <png.h>

static_assert(std::endian::native == std::endian::little, "pixels are read as B, G, R, A bytes");

namespace {

// Screenshots are at most a few window sizes; anything far larger is a damaged or hostile file.
constexpr png_uint_32 MAX_SIDE = 16384;

} // namespace

bool Png_encode(const uint32_t* pixels, int width, int height, std::vector<uint8_t>* out, bool alpha) {
    if (!pixels || width <= 0 || height <= 0 || png_uint_32(width) > MAX_SIDE ||
        png_uint_32(height) > MAX_SIDE)
        return false;
    const size_t channels = alpha ? 4 : 3;
    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * channels);
    for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) {
        rgb[i * channels] = uint8_t(pixels[i] >> 16);
        rgb[i * channels + 1] = uint8_t(pixels[i] >> 8);
        rgb[i * channels + 2] = uint8_t(pixels[i]);
        if (alpha) rgb[i * channels + 3] = uint8_t(pixels[i] >> 24);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    // The first call measures, the second writes.
    png_alloc_size_t size = 0;
    bool ok = png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr) != 0;
    if (ok) {
        out->resize(size);
        ok = png_image_write_to_memory(&image, out->data(), &size, 0, rgb.data(), 0, nullptr) != 0;
        out->resize(ok ? size : 0);
    }
    png_image_free(&image);
    return ok;
}

bool Png_write(const char* path, const uint32_t* pixels, int width, int height, bool alpha) {
    std::vector<uint8_t> png;
    if (!path || !Png_encode(pixels, width, height, &png, alpha)) return false;
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

bool Png_read(const char* path, std::vector<uint32_t>* pixels, int* width, int* height) {
    if (!path || !pixels || !width || !height) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) return false;
    if (image.width == 0 || image.height == 0 || image.width > MAX_SIDE || image.height > MAX_SIDE) {
        png_image_free(&image);
        return false;
    }
    // B, G, R, A bytes are 0xAARRGGBB on a little-endian machine; the alpha byte is dropped below.
    // Colours come out as stored, not blended with any background.
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> buffer(size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    for (uint32_t& px : buffer)
        px &= 0x00FFFFFF;
    *width = int(image.width);
    *height = int(image.height);
    *pixels = std::move(buffer);
    return true;
}
