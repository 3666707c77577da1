// Windows BMP files: decoding every variant the engine may meet, and writing the plain 24-bit kind.
//
// Every size taken from the file is checked against the buffer before it is used, in 64-bit
// arithmetic, so a header that lies can only make the decoder refuse, never read past the end.
#include "formats/image_decode.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

constexpr size_t FILE_HEADER_SIZE = 14;
constexpr int64_t MAX_SIDE = 4096; // no picture of a game is larger; refused before allocation
// A file of a few bytes can claim any size with RLE; this keeps such a file from taking gigabytes.
constexpr uint64_t MAX_PIXELS = uint64_t(1) << 24;

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

uint16_t Get_u16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t Get_u32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool Fail(std::string* error, const char* reason) {
    if (error) *error = reason;
    return false;
}

// One colour channel of a 16- or 32-bit pixel, described by its bit mask and scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0; // the mask shifted down: the channel's full-intensity value
};

Channel Channel_from_mask(uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    c.shift = std::countr_zero(mask);
    c.max = mask >> c.shift;
    return c;
}

uint32_t Channel_get(const Channel& c, uint32_t px) {
    if (c.max == 0) return 0;
    const uint64_t v = (px & c.mask) >> c.shift; // never above max, even for a mask with holes
    return uint32_t((v * 255 + c.max / 2) / c.max);
}

struct BmpInfo {
    int64_t width = 0;
    int64_t height = 0; // always positive here; top_down carries the sign
    bool top_down = false;
    int bpp = 0;
    uint32_t compression = BI_RGB;
    Channel red, green, blue;
    std::array<uint32_t, 256> palette{}; // entries the file does not give stay black
};

// Bytes from one stored row to the next: rows are padded to a multiple of 4 bytes.
uint64_t Plain_stride(const BmpInfo& info) {
    return (uint64_t(info.width) * uint64_t(info.bpp) + 31) / 32 * 4;
}

// True if the file holds every pixel byte of an uncompressed picture. Only the last row's padding
// may be missing: some writers leave it out.
bool Plain_data_present(size_t size, size_t offset, const BmpInfo& info) {
    const uint64_t row_bytes = (uint64_t(info.width) * uint64_t(info.bpp) + 7) / 8;
    return size - offset >= Plain_stride(info) * uint64_t(info.height - 1) + row_bytes;
}

// Decodes rows stored without compression; Plain_data_present has been checked.
void Decode_plain(const uint8_t* data, size_t offset, const BmpInfo& info, DecodedImage* out) {
    const uint64_t stride = Plain_stride(info);
    const int w = int(info.width);
    const int h = int(info.height);
    for (int y = 0; y < h; ++y) {
        const int stored_row = info.top_down ? y : h - 1 - y;
        const uint8_t* src = data + offset + size_t(stored_row) * stride;
        uint32_t* dst = out->pixels.data() + size_t(y) * size_t(w);
        switch (info.bpp) {
        case 1:
            for (int x = 0; x < w; ++x)
                dst[x] = info.palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                dst[x] = info.palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
            break;
        case 8:
            for (int x = 0; x < w; ++x)
                dst[x] = info.palette[src[x]];
            break;
        case 16:
            for (int x = 0; x < w; ++x) {
                const uint32_t px = Get_u16(src + 2 * x);
                dst[x] = Channel_get(info.red, px) << 16 | Channel_get(info.green, px) << 8 |
                         Channel_get(info.blue, px);
            }
            break;
        case 24:
            for (int x = 0; x < w; ++x, src += 3)
                dst[x] = uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
            break;
        case 32:
            if (info.compression == BI_RGB) {
                // The fourth byte is padding, whatever it holds.
                for (int x = 0; x < w; ++x, src += 4)
                    dst[x] = uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
            } else {
                for (int x = 0; x < w; ++x) {
                    const uint32_t px = Get_u32(src + 4 * x);
                    dst[x] = Channel_get(info.red, px) << 16 | Channel_get(info.green, px) << 8 |
                             Channel_get(info.blue, px);
                }
            }
            break;
        }
    }
}

// Decodes RLE8 or RLE4. Pixels the stream skips (with a delta or an early end) stay black; pixels
// a run puts beyond the right edge are dropped. The stream must reach its end marker or the last row.
bool Decode_rle(const uint8_t* data, size_t size, size_t offset, const BmpInfo& info, DecodedImage* out,
                std::string* error) {
    const bool rle8 = info.compression == BI_RLE8;
    const int64_t w = info.width;
    const int64_t h = info.height;
    auto put = [&](int64_t x, int64_t row, uint32_t index) {
        if (x >= w || row >= h) return;
        const int64_t y = info.top_down ? row : h - 1 - row;
        out->pixels[size_t(y * w + x)] = info.palette[index];
    };

    size_t pos = offset;
    int64_t x = 0;
    int64_t row = 0; // in storage order: 0 is the first row in the file
    while (row < h) {
        if (size - pos < 2) return Fail(error, "BMP RLE data truncated");
        const uint8_t count = data[pos];
        const uint8_t value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                const uint32_t index = rle8 ? value : (i & 1) ? value & 15 : value >> 4;
                put(x + i, row, index);
            }
            x += count;
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta: move right and on by the next two bytes
            if (size - pos < 2) return Fail(error, "BMP RLE data truncated");
            x += data[pos];
            row += data[pos + 1];
            pos += 2;
        } else { // absolute run of `value` pixels, padded to a 16-bit boundary
            const size_t bytes = rle8 ? value : (size_t(value) + 1) / 2;
            if (size - pos < bytes) return Fail(error, "BMP RLE data truncated");
            for (int i = 0; i < value; ++i) {
                const uint32_t index = rle8      ? data[pos + i]
                                       : (i & 1) ? data[pos + i / 2] & 15
                                                 : data[pos + i / 2] >> 4;
                put(x + i, row, index);
            }
            x += value;
            // A missing pad byte at the very end of the file is harmless.
            pos += std::min(bytes + (bytes & 1), size - pos);
        }
    }
    return true;
}

} // namespace

bool Bmp_decode(const uint8_t* data, size_t size, DecodedImage* out, std::string* error) {
    if (!data || size < FILE_HEADER_SIZE + 4) return Fail(error, "file too short for a BMP");
    if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a BMP file");
    const uint32_t pixel_offset = Get_u32(data + 10);
    const uint32_t header_size = Get_u32(data + 14);
    const bool core = header_size == 12;
    if (!core && header_size != 40 && header_size != 52 && header_size != 56 && header_size != 108 &&
        header_size != 124)
        return Fail(error, "unsupported BMP header");
    if (size - FILE_HEADER_SIZE < header_size) return Fail(error, "BMP header truncated");

    const uint8_t* h = data + FILE_HEADER_SIZE;
    BmpInfo info;
    uint32_t colours_used = 0;
    if (core) {
        info.width = Get_u16(h + 4);
        info.height = Get_u16(h + 6);
        info.bpp = Get_u16(h + 10);
        if (info.bpp != 1 && info.bpp != 4 && info.bpp != 8 && info.bpp != 24)
            return Fail(error, "unsupported BMP bit depth");
    } else {
        info.width = int32_t(Get_u32(h + 4));
        info.height = int32_t(Get_u32(h + 8));
        info.bpp = Get_u16(h + 14);
        info.compression = Get_u32(h + 16);
        colours_used = Get_u32(h + 32);
        if (info.bpp != 1 && info.bpp != 4 && info.bpp != 8 && info.bpp != 16 && info.bpp != 24 &&
            info.bpp != 32)
            return Fail(error, "unsupported BMP bit depth");
    }
    if (info.height < 0) {
        info.top_down = true;
        info.height = -info.height; // int64: no overflow even for INT32_MIN
    }
    if (info.width <= 0 || info.height <= 0) return Fail(error, "BMP has no pixels");
    if (info.width > MAX_SIDE || info.height > MAX_SIDE || uint64_t(info.width * info.height) > MAX_PIXELS)
        return Fail(error, "BMP too large");

    size_t table_start = FILE_HEADER_SIZE + header_size;
    switch (info.compression) {
    case BI_RGB:
        if (info.bpp == 16) {
            info.red = Channel_from_mask(0x7C00);
            info.green = Channel_from_mask(0x03E0);
            info.blue = Channel_from_mask(0x001F);
        }
        break;
    case BI_RLE8:
        if (info.bpp != 8) return Fail(error, "BMP RLE8 needs 8 bits per pixel");
        break;
    case BI_RLE4:
        if (info.bpp != 4) return Fail(error, "BMP RLE4 needs 4 bits per pixel");
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS: {
        if (info.bpp != 16 && info.bpp != 32)
            return Fail(error, "BMP bit fields need 16 or 32 bits per pixel");
        // The masks sit in the larger headers, or just after the 40-byte one.
        const uint8_t* masks = h + 40;
        if (header_size == 40) {
            const size_t mask_bytes = info.compression == BI_BITFIELDS ? 12 : 16;
            if (size - table_start < mask_bytes) return Fail(error, "BMP header truncated");
            table_start += mask_bytes;
        }
        info.red = Channel_from_mask(Get_u32(masks));
        info.green = Channel_from_mask(Get_u32(masks + 4));
        info.blue = Channel_from_mask(Get_u32(masks + 8));
        break;
    }
    default:
        return Fail(error, "unsupported BMP compression");
    }

    if (pixel_offset < table_start) return Fail(error, "BMP pixel data overlaps its header");
    if (pixel_offset >= size) return Fail(error, "BMP pixel data offset past end of file");

    if (info.bpp <= 8) {
        // The palette lies between the headers and the pixels; the file may give fewer colours
        // than the depth allows, and indices past the end then show black.
        const size_t entry_size = core ? 3 : 4;
        size_t entries = size_t(1) << info.bpp;
        if (colours_used != 0 && colours_used < entries) entries = colours_used;
        entries = std::min(entries, (pixel_offset - table_start) / entry_size);
        for (size_t i = 0; i < entries; ++i) {
            const uint8_t* e = data + table_start + i * entry_size;
            info.palette[i] = uint32_t(e[2]) << 16 | uint32_t(e[1]) << 8 | e[0];
        }
    }

    const bool rle = info.compression == BI_RLE8 || info.compression == BI_RLE4;
    // Checked before the picture is allocated, so a short file never costs a large allocation.
    if (!rle && !Plain_data_present(size, pixel_offset, info)) return Fail(error, "BMP pixel data truncated");
    DecodedImage image;
    image.width = int(info.width);
    image.height = int(info.height);
    image.pixels.assign(size_t(info.width * info.height), 0);
    if (rle) {
        if (!Decode_rle(data, size, pixel_offset, info, &image, error)) return false;
    } else {
        Decode_plain(data, pixel_offset, info, &image);
    }
    *out = std::move(image);
    return true;
}

std::vector<uint8_t> Bmp_encode_24(const uint32_t* pixels, int width, int height) {
    if (!pixels || width <= 0 || height <= 0 || width > MAX_SIDE || height > MAX_SIDE) return {};
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    const size_t header = FILE_HEADER_SIZE + 40;
    const size_t image_size = stride * size_t(height);
    std::vector<uint8_t> file(header + image_size, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        file[at] = uint8_t(v);
        file[at + 1] = uint8_t(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, uint32_t(header));
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    put16(26, 1);  // planes
    put16(28, 24); // bits per pixel
    put32(34, uint32_t(image_size));
    put32(38, 2835); // 72 dots per inch, in pixels per metre
    put32(42, 2835);
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = pixels + size_t(height - 1 - y) * size_t(width);
        uint8_t* dst = file.data() + header + size_t(y) * stride;
        for (int x = 0; x < width; ++x, dst += 3) {
            dst[0] = uint8_t(src[x]);
            dst[1] = uint8_t(src[x] >> 8);
            dst[2] = uint8_t(src[x] >> 16);
        }
    }
    return file;
}
