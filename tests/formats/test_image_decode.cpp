// BMP and JPEG decoding from memory. BMP files are built byte by byte here, so each case states
// exactly what the file holds; JPEG files are made with the demo tool's encoder.
#include "formats/image_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "make_demo_assets/demo_assets.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Building BMP files

void Put(std::vector<uint8_t>* v, uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i)
        v->push_back(uint8_t(x >> 8 * i));
}

struct BmpShape {
    uint32_t header_size = 40; // 12, 40, 52, 56, 108 or 124
    int32_t width = 0;
    int32_t height = 0;
    int bpp = 24;
    uint32_t compression = 0;
    uint32_t colours_used = 0;
    std::vector<uint32_t> palette = {}; // 0x00RRGGBB
    std::vector<uint32_t> masks = {};   // R, G, B: in the header if it is large enough, else after it
    std::vector<uint8_t> pixels = {};   // the pixel data exactly as stored
};

std::vector<uint8_t> Make_bmp(const BmpShape& s) {
    const bool core = s.header_size == 12; // 16-bit sides, no fields after the depth, 3-byte colours
    std::vector<uint8_t> info;
    Put(&info, s.header_size, 4);
    Put(&info, uint32_t(s.width), core ? 2 : 4);
    Put(&info, uint32_t(s.height), core ? 2 : 4);
    Put(&info, 1, 2);
    Put(&info, uint32_t(s.bpp), 2);
    if (!core) {
        for (uint32_t field : {s.compression, uint32_t(s.pixels.size()), 2835u, 2835u, s.colours_used, 0u})
            Put(&info, field, 4);
        for (uint32_t m : s.masks)
            Put(&info, m, 4); // after the header when it is 40 bytes
        info.resize(std::max<size_t>(info.size(), s.header_size));
    }
    for (uint32_t c : s.palette)
        Put(&info, c, core ? 3 : 4);
    std::vector<uint8_t> file = {'B', 'M'};
    Put(&file, uint32_t(14 + info.size() + s.pixels.size()), 4);
    Put(&file, 0, 4);
    Put(&file, uint32_t(14 + info.size()), 4);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.pixels.begin(), s.pixels.end());
    return file;
}

// Packs palette indices (rows top to bottom) into bottom-up rows of `bpp` bits padded to 4 bytes.
std::vector<uint8_t> Pack_indices(const std::vector<uint8_t>& indices, int w, int h, int bpp) {
    const size_t stride = (size_t(w) * bpp + 31) / 32 * 4;
    std::vector<uint8_t> out(stride * h, 0);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = out.data() + (h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            const unsigned bit = unsigned(x) * bpp;
            row[bit / 8] |= uint8_t(indices[y * w + x] << (8 - bpp - bit % 8));
        }
    }
    return out;
}

DecodedImage Decode_ok(const std::vector<uint8_t>& file) {
    DecodedImage image;
    std::string error;
    EXPECT_TRUE(Bmp_decode(file.data(), file.size(), &image, &error)) << error;
    return image;
}

bool Decodes(const std::vector<uint8_t>& file) {
    DecodedImage image;
    std::string reason;
    const bool ok = Bmp_decode(file.data(), file.size(), &image, &reason);
    EXPECT_TRUE(ok || !reason.empty()) << "a refusal gives its reason";
    return ok;
}

using Pixels = std::vector<uint32_t>;

const Pixels PALETTE16 = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                          0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// ---------------------------------------------------------------------------------------------
// Uncompressed BMP

TEST(BmpDecode, PaletteDepthsGiveThePaletteColours) {
    // A width that is not a multiple of a byte or of 4 bytes, to exercise packing and row padding.
    const int w = 13, h = 3;
    for (int bpp : {1, 4, 8}) {
        SCOPED_TRACE(bpp);
        Pixels palette;
        for (int i = 0; i < (1 << bpp); ++i)
            palette.push_back(uint32_t(i * 0x010203 + 0x102030) & 0xFFFFFF);
        std::vector<uint8_t> indices(w * h);
        for (int i = 0; i < w * h; ++i)
            indices[i] = uint8_t((i * 7 + 3) % (1 << bpp));
        const DecodedImage image = Decode_ok(Make_bmp({.width = w,
                                                       .height = h,
                                                       .bpp = bpp,
                                                       .palette = palette,
                                                       .pixels = Pack_indices(indices, w, h, bpp)}));
        ASSERT_EQ(image.width, w);
        ASSERT_EQ(image.height, h);
        for (int i = 0; i < w * h; ++i)
            ASSERT_EQ(image.pixels[i], palette[indices[i]]) << i;
    }
}

TEST(BmpDecode, HeadersDepthsMasksAndRowOrder) {
    const struct {
        const char* what;
        BmpShape shape;
        Pixels expected;
    } cases[] = {
        {"core header: three-byte palette entries",
         {.header_size = 12,
          .width = 3,
          .height = 2,
          .bpp = 4,
          .palette = PALETTE16,
          .pixels = Pack_indices({1, 2, 3, 13, 14, 15}, 3, 2, 4)},
         {0x800000, 0x008000, 0x808000, 0xFF00FF, 0x00FFFF, 0xFFFFFF}},
        {"core header, 24 bits",
         {.header_size = 12, .width = 2, .height = 1, .bpp = 24, .pixels = {1, 2, 3, 0xAA, 0xBB, 0xCC, 0, 0}},
         {0x030201, 0xCCBBAA}},
        {"24 bits: B, G, R; rows of 6 bytes padded to 8; bottom row first",
         {.width = 2,
          .height = 2,
          .pixels = {0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0xEE, 0xEE, 3, 2, 1, 6, 5, 4, 0xEE, 0xEE}},
         {0x010203, 0x040506, 0x102030, 0x405060}},
        {"32 bits without masks: the fourth byte never shows",
         {.width = 2, .height = 1, .bpp = 32, .pixels = {3, 2, 1, 0xFF, 6, 5, 4, 0x80}},
         {0x010203, 0x040506}},
        {"16 bits without masks is 5-5-5: full, none, half scale to 255, 0, 132",
         {.width = 3, .height = 1, .bpp = 16, .pixels = {0x00, 0x7C, 0xE0, 0x03, 0x10, 0x42, 0, 0}},
         {0xFF0000, 0x00FF00, 0x848484}},
        {"5-6-5 masks after a 40-byte header: green has six bits",
         {.width = 2,
          .height = 1,
          .bpp = 16,
          .compression = 3,
          .masks = {0xF800, 0x07E0, 0x001F},
          .pixels = {0xE0, 0x07, 0x20, 0x00}},
         {0x00FF00, 0x000400}},
        {"a zero mask is an absent channel",
         {.width = 2,
          .height = 1,
          .bpp = 16,
          .compression = 3,
          .masks = {0xF800, 0, 0x001F},
          .pixels = {0xE0, 0x07, 0x20, 0x00}},
         {0, 0}},
        {"32 bits, odd byte order, masks inside a V5 header",
         {.header_size = 124,
          .width = 1,
          .height = 1,
          .bpp = 32,
          .compression = 3,
          .masks = {0x0000FF00, 0x00FF0000, 0xFF000000},
          .pixels = {0x77, 0x11, 0x22, 0x33}},
         {0x112233}},
        {"V4 header masks are ignored when the compression says none",
         {.header_size = 108,
          .width = 1,
          .height = 1,
          .bpp = 32,
          .masks = {0xFF, 0xFF00, 0xFF0000},
          .pixels = {0x33, 0x22, 0x11, 0x00}},
         {0x112233}},
        {"negative height: top-down rows",
         {.width = 1,
          .height = -3,
          .bpp = 8,
          .palette = PALETTE16,
          .pixels = {9, 0, 0, 0, 10, 0, 0, 0, 12, 0, 0, 0}},
         {0xFF0000, 0x00FF00, 0x0000FF}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode_ok(Make_bmp(c.shape)).pixels, c.expected) << c.what;
}

TEST(BmpDecode, ShortPaletteShowsBlackForMissingColours) {
    // Two colours declared for an 8-bit picture; indices 2 and 255 have none. A count far beyond the
    // depth, or none at all, reads only the entries that fit before the pixel data.
    for (uint32_t declared : {2u, 0xFFFFFFFFu, 0u}) {
        const BmpShape s = {.width = 4,
                            .height = 1,
                            .bpp = 8,
                            .colours_used = declared,
                            .palette = {0x112233, 0x445566},
                            .pixels = {0, 1, 2, 255}};
        EXPECT_EQ(Decode_ok(Make_bmp(s)).pixels, (Pixels{0x112233, 0x445566, 0, 0})) << declared;
    }
}

// ---------------------------------------------------------------------------------------------
// RLE

// A 6x4 RLE8 stream using every escape. Stored row 0 is the bottom one.
const std::vector<uint8_t> RLE8_STREAM = {
    3, 9,              // row 0: three of colour 9
    0, 3,  1, 2, 4, 0, // absolute run of 3 (odd: one pad byte)
    0, 0,              // end of line
    0, 2,  2, 1,       // delta: right 2, on 1 row -> row 2, x 2
    8, 12,             // a run of 8 from x 2: the 4 beyond the right edge are dropped
    0, 0,              // end of line -> row 3
    0, 4,  5, 6, 7, 8, // absolute run of 4 (even: no pad)
    0, 1,              // end of bitmap: the rest of row 3 stays black
};

TEST(BmpDecode, Rle8AndRle4EscapesAndRuns) {
    BmpShape s = {
        .width = 6, .height = 4, .bpp = 8, .compression = 1, .palette = PALETTE16, .pixels = RLE8_STREAM};
    const uint32_t K = 0, R = 0xFF0000, B = 0x0000FF;
    const auto& P = PALETTE16;
    const Pixels expected = {
        P[5], P[6], P[7], P[8], K,    K,    // row 3 (top)
        K,    K,    B,    B,    B,    B,    // row 2
        K,    K,    K,    K,    K,    K,    // row 1: skipped by the delta
        R,    R,    R,    P[1], P[2], P[4], // row 0 (bottom)
    };
    EXPECT_EQ(Decode_ok(Make_bmp(s)).pixels, expected);
    // Top-down storage turns the same stream upside down.
    s.height = -4;
    Pixels flipped;
    for (int y = 3; y >= 0; --y)
        flipped.insert(flipped.end(), expected.begin() + y * 6, expected.begin() + y * 6 + 6);
    EXPECT_EQ(Decode_ok(Make_bmp(s)).pixels, flipped);

    const BmpShape rle4 = {.width = 7,
                           .height = 2,
                           .bpp = 4,
                           .compression = 2,
                           .palette = PALETTE16,
                           .pixels = {
                               5, 0x9C,                      // row 0: 9 C 9 C 9
                               0, 3,    0x12, 0x30,          // absolute 1 2 3: two bytes, already even
                               0, 0,                         // end of line
                               0, 2,    1,    0,             // delta right 1
                               0, 5,    0xAB, 0xCD, 0xE0, 0, // absolute A B C D E: three bytes and a pad
                               1, 0xF0,                      // one F
                               0, 1,
                           }};
    EXPECT_EQ(Decode_ok(Make_bmp(rle4)).pixels,
              (Pixels{
                  K, P[10], P[11], P[12], P[13], P[14], P[15], // row 1 (top)
                  P[9], P[12], P[9], P[12], P[9], P[1], P[2],  // the 3 is cut
              }));
}

TEST(BmpDecode, RleStreamsThatStopEarlyOrLie) {
    BmpShape s = {.width = 4, .height = 2, .bpp = 8, .compression = 1, .palette = PALETTE16};
    const std::pair<std::vector<uint8_t>, bool> streams[] = {
        {{4, 1, 0, 0, 4, 2, 0, 0}, true}, // the end of line finishing the last row is enough
        {{4, 1, 0, 2, 0, 200}, true},     // so is a delta far past the last row
        {{4, 1, 0}, false},               // a lone byte
        {{4, 1, 0, 2, 1}, false},         // a cut delta
        {{0, 200, 1, 2, 3}, false},       // an absolute run longer than the data
        {{4, 1, 0, 0}, false},            // rows missing
    };
    for (const auto& [stream, ok] : streams) {
        s.pixels = stream;
        EXPECT_EQ(Decodes(Make_bmp(s)), ok) << stream.size();
    }
    s.pixels = {0, 1};
    s.bpp = 4; // RLE8 with the wrong depth
    EXPECT_FALSE(Decodes(Make_bmp(s)));
}

// ---------------------------------------------------------------------------------------------
// Damaged and lying files

const BmpShape SMALL_24 = {.width = 3, .height = 2, .bpp = 24, .pixels = std::vector<uint8_t>(24, 0x5A)};

TEST(BmpDecode, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
    // Each prefix is copied into a buffer of exactly its size, so the sanitizer build catches any read
    // beyond it. The last row's padding may be missing; anything shorter is refused.
    const BmpShape files[] = {
        SMALL_24,
        {.width = 3,
         .height = 2,
         .bpp = 4,
         .palette = PALETTE16,
         .pixels = Pack_indices({1, 2, 3, 4, 5, 6}, 3, 2, 4)},
        {.width = 3,
         .height = 2,
         .bpp = 16,
         .compression = 3,
         .masks = {0xF800, 0x07E0, 0x001F},
         .pixels = std::vector<uint8_t>(16, 0x33)},
    };
    for (const BmpShape& shape : files) {
        const std::vector<uint8_t> file = Make_bmp(shape);
        const size_t stride = (size_t(shape.width) * shape.bpp + 31) / 32 * 4;
        const size_t shortest = file.size() - stride + (size_t(shape.width) * shape.bpp + 7) / 8;
        for (size_t n = 0; n < file.size(); ++n) {
            const std::vector<uint8_t> prefix(file.begin(), file.begin() + n);
            EXPECT_EQ(Decodes(prefix), n >= shortest) << "bpp " << shape.bpp << " length " << n;
        }
    }
    DecodedImage image;
    std::string error;
    EXPECT_FALSE(Bmp_decode(nullptr, 0, &image, &error));
}

TEST(BmpDecode, LyingHeadersAreRefused) {
    const std::vector<uint8_t> good = Make_bmp(SMALL_24);
    ASSERT_TRUE(Decodes(good));
    const struct {
        const char* what;
        size_t at; // a 32-bit field, or the 16-bit depth at 28
        uint32_t value;
    } lies[] = {
        {"pixel offset past the end", 10, 0x7FFFFFFF},
        {"pixel offset inside the header", 10, 20},
        {"unknown header size", 14, 64},
        {"header larger than the file", 14, 124},
        {"width just over the limit", 18, 4097},
        {"height just over the limit", 22, 4097},
        {"negative width", 18, uint32_t(-3)},
        {"most negative height", 22, 0x80000000},
        {"bit depth 7", 28, 7},
        {"bit fields on 24 bits", 30, 3},
    };
    for (const auto& lie : lies) {
        std::vector<uint8_t> file = good;
        for (int i = 0; i < (lie.at == 28 ? 2 : 4); ++i)
            file[lie.at + i] = uint8_t(lie.value >> (8 * i));
        EXPECT_FALSE(Decodes(file)) << lie.what;
    }
    // A tiny RLE file whose header claims 16384 x 4096: refused from the header.
    std::vector<uint8_t> rle = good;
    rle.resize(60);
    for (int i = 0; i < 4; ++i) {
        rle[18 + i] = uint8_t(16384 >> (8 * i));
        rle[22 + i] = uint8_t(4096 >> (8 * i));
        rle[30 + i] = uint8_t(1 >> (8 * i)); // RLE8
    }
    rle[28] = 8;
    EXPECT_FALSE(Decodes(rle));
}

// ---------------------------------------------------------------------------------------------
// JPEG

enum class JpegKind { Baseline, Progressive, Grey, CmykAdobe, CmykPlain };

// A smooth picture (JPEG's lossy steps stay small on it) with a distinct colour in each quarter; the
// grey kind keeps only its green.
uint32_t Test_pixel(int x, int y, JpegKind kind = JpegKind::Baseline) {
    const uint32_t r = uint32_t(40 + x * 3), g = uint32_t(200 - y * 3), b = uint32_t(x < 32 ? 60 : 180);
    return kind == JpegKind::Grey ? g * 0x010101 : r << 16 | g << 8 | b;
}

std::vector<uint8_t> Make_jpeg(JpegKind kind, int w = 64, int h = 48) {
    Picture p{w, h, std::vector<uint32_t>(size_t(w) * h)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.pixels[size_t(y) * w + x] = Test_pixel(x, y);
    static constexpr JpegColours COLOURS[] = {JpegColours::Rgb, JpegColours::Rgb, JpegColours::Grey,
                                              JpegColours::CmykAdobe, JpegColours::CmykPlain};
    std::vector<uint8_t> file;
    EXPECT_TRUE(Jpeg_encode(p, JpegSettings{95, kind == JpegKind::Progressive, COLOURS[int(kind)]}, &file));
    return file;
}

int Channel_distance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(int(a >> shift & 255) - int(b >> shift & 255)));
    return worst;
}

TEST(JpegDecode, EveryColourModelDecodesCloseToTheOriginal) {
    using enum JpegKind;
    for (JpegKind kind : {Baseline, Progressive, Grey, CmykAdobe, CmykPlain}) {
        SCOPED_TRACE(int(kind));
        const std::vector<uint8_t> file = Make_jpeg(kind);
        DecodedImage image;
        std::string error;
        ASSERT_TRUE(Jpeg_decode(file.data(), file.size(), &image, &error)) << error;
        ASSERT_EQ(image.width, 64);
        ASSERT_EQ(image.height, 48);
        int worst = 0;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) {
                const uint32_t got = image.pixels[y * 64 + x];
                ASSERT_EQ(got >> 24, 0u) << "the fourth byte must be clear";
                worst = std::max(worst, Channel_distance(got, Test_pixel(x, y, kind)));
            }
        }
        // Chroma subsampling at the colour edge in the middle costs the most; elsewhere, a few levels.
        EXPECT_LE(worst, 40);
        EXPECT_LE(Channel_distance(image.pixels[10 * 64 + 10], Test_pixel(10, 10, kind)), 6);
    }
}

TEST(JpegDecode, DamagedFilesAreRefused) {
    DecodedImage image;
    std::string error;
    for (JpegKind kind : {JpegKind::Baseline, JpegKind::Progressive}) {
        const std::vector<uint8_t> file = Make_jpeg(kind);
        // Cut anywhere, from the header to just before the end marker: never a half-grey picture.
        for (size_t n = 0; n + 2 < file.size(); ++n) {
            std::vector<uint8_t> prefix(file.begin(), file.begin() + n);
            EXPECT_FALSE(Jpeg_decode(prefix.data(), prefix.size(), &image, &error)) << n;
            EXPECT_FALSE(error.empty());
        }
    }
    const uint8_t junk[] = {0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3};
    EXPECT_FALSE(Jpeg_decode(junk, sizeof junk, &image, &error));
    EXPECT_FALSE(Jpeg_decode(nullptr, 0, &image, &error));
    // A small file whose frame header claims 16384 x 4096: refused before the picture is allocated.
    std::vector<uint8_t> huge = Make_jpeg(JpegKind::Baseline);
    for (size_t i = 0; i + 8 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) { // the frame header: height, then width
            huge[i + 5] = 0x10, huge[i + 6] = 0x00, huge[i + 7] = 0x40, huge[i + 8] = 0x00;
            break;
        }
    }
    DecodedImage big;
    EXPECT_FALSE(Jpeg_decode(huge.data(), huge.size(), &big, &error));
    EXPECT_TRUE(big.pixels.empty());
}

TEST(ImageDecode, ChoosesTheDecoderByContent) {
    const std::vector<uint8_t> jpeg = Make_jpeg(JpegKind::Baseline);
    const std::vector<uint8_t> bmp = Make_bmp(SMALL_24);
    DecodedImage image;
    std::string error;
    ASSERT_TRUE(Image_decode(jpeg.data(), jpeg.size(), &image, &error)) << error;
    EXPECT_EQ(image.width, 64);
    ASSERT_TRUE(Image_decode(bmp.data(), bmp.size(), &image, &error)) << error;
    EXPECT_EQ(image.width, 3);
    const uint8_t png[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
    EXPECT_FALSE(Image_decode(png, sizeof png, &image, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(Image_decode(png, 1, &image, &error));
    // A failed decode leaves the previous picture alone.
    EXPECT_EQ(image.width, 3);
}

} // namespace
