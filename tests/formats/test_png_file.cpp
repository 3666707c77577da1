// PNG screenshots: what is written reads back exactly, and unreadable files are refused.
#include "formats/png_file.h"

#include <filesystem>

#include "test_support.h"

TEST_F(EngineTest, PngWrittenPixelsReadBackExactly) {
    const int w = 7, h = 5;
    std::vector<uint32_t> pixels(w * h);
    for (int i = 0; i < w * h; ++i)
        pixels[i] = (uint32_t(i) * 2654435761u) & 0xFFFFFF;
    pixels[0] = 0xFF123456; // a stray top byte is not part of the colour
    ASSERT_TRUE(Png_write("a.png", pixels.data(), w, h));

    std::vector<uint32_t> back;
    int bw = 0, bh = 0;
    ASSERT_TRUE(Png_read("a.png", &back, &bw, &bh));
    EXPECT_EQ(bw, w);
    EXPECT_EQ(bh, h);
    pixels[0] &= 0xFFFFFF;
    EXPECT_EQ(back, pixels);
}

TEST_F(EngineTest, PngBadArgumentsAndFilesAreRefused) {
    const uint32_t px = 0;
    EXPECT_FALSE(Png_write("zero.png", &px, 0, 1));
    EXPECT_FALSE(Png_write("no/such/dir.png", &px, 1, 1));

    std::vector<uint32_t> pixels = {1, 2, 3};
    int w = 9, h = 9;
    EXPECT_FALSE(Png_read("missing.png", &pixels, &w, &h));
    Write_file("text.png", "not a picture");
    EXPECT_FALSE(Png_read("text.png", &pixels, &w, &h));

    // A file cut short after its header is refused too.
    std::vector<uint32_t> big(64 * 64, 0x808080);
    ASSERT_TRUE(Png_write("big.png", big.data(), 64, 64));
    std::filesystem::resize_file("big.png", std::filesystem::file_size("big.png") / 2);
    EXPECT_FALSE(Png_read("big.png", &pixels, &w, &h));
    // Failures leave the outputs as they were.
    EXPECT_EQ(pixels, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(w, 9);
}
