// PNG screenshots: what is written reads back exactly, and unreadable files are refused.
#include "platform/png_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class PngFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kotoyumi_png_" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(PngFile, WrittenPixelsReadBackExactly) {
    const int w = 7, h = 5;
    std::vector<uint32_t> pixels(w * h);
    for (int i = 0; i < w * h; ++i)
        pixels[i] = (uint32_t(i) * 2654435761u) & 0xFFFFFF;
    pixels[0] = 0xFF123456; // a stray top byte is not part of the colour
    ASSERT_TRUE(Png_write(Path("a.png").c_str(), pixels.data(), w, h));

    std::vector<uint32_t> back;
    int bw = 0, bh = 0;
    ASSERT_TRUE(Png_read(Path("a.png").c_str(), &back, &bw, &bh));
    EXPECT_EQ(bw, w);
    EXPECT_EQ(bh, h);
    pixels[0] &= 0xFFFFFF;
    EXPECT_EQ(back, pixels);
}

TEST_F(PngFile, BadArgumentsAndFilesAreRefused) {
    const uint32_t px = 0;
    EXPECT_FALSE(Png_write(Path("zero.png").c_str(), &px, 0, 1));
    EXPECT_FALSE(Png_write(Path("no/such/dir.png").c_str(), &px, 1, 1));

    std::vector<uint32_t> pixels = {1, 2, 3};
    int w = 9, h = 9;
    EXPECT_FALSE(Png_read(Path("missing.png").c_str(), &pixels, &w, &h));
    std::ofstream(Path("text.png")) << "not a picture";
    EXPECT_FALSE(Png_read(Path("text.png").c_str(), &pixels, &w, &h));

    // A file cut short after its header is refused too.
    std::vector<uint32_t> big(64 * 64, 0x808080);
    ASSERT_TRUE(Png_write(Path("big.png").c_str(), big.data(), 64, 64));
    fs::resize_file(Path("big.png"), fs::file_size(Path("big.png")) / 2);
    EXPECT_FALSE(Png_read(Path("big.png").c_str(), &pixels, &w, &h));
    // Failures leave the outputs as they were.
    EXPECT_EQ(pixels, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(w, 9);
}

} // namespace
