// The demo asset generator: the wait icon and its mask agree, the background suits text drawn over
// it, story scripts become Shift-JIS with CR LF, and the whole run writes decodable pictures.
#include "gfx/image_decode.h"
#include "make_demo_assets/demo_assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

double Luma(uint32_t px) {
    return 0.299 * (px >> 16 & 255) + 0.587 * (px >> 8 & 255) + 0.114 * (px & 255);
}

TEST(PaintParts, IconMaskAndScratchCellsAgree) {
    const Picture p = Paint_parts();
    ASSERT_EQ(p.width, 75);
    ASSERT_EQ(p.height, 25);
    ASSERT_EQ(p.pixels.size(), 75u * 25u);
    int left = 25, right = -1, top = 25, bottom = -1;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 25; ++x) {
            const uint32_t icon = p.pixels[y * 75 + x], mask = p.pixels[y * 75 + 25 + x];
            // AND with the mask then OR with the icon must give exactly the icon or the background.
            ASSERT_TRUE(mask == 0xFFFFFF || mask == 0x000000) << x << "," << y;
            ASSERT_EQ(icon != 0, mask == 0) << x << "," << y;
            ASSERT_EQ(p.pixels[y * 75 + 50 + x], 0u);
            if (icon != 0) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    // A glyph of 15 to 17 pixels, centred in its cell within a pixel.
    EXPECT_GE(right - left + 1, 15);
    EXPECT_LE(right - left + 1, 17);
    EXPECT_GE(bottom - top + 1, 13);
    EXPECT_LE(bottom - top + 1, 17);
    EXPECT_LE(std::abs((left + right) - 24), 1);
    EXPECT_LE(std::abs((top + bottom) - 24), 1);
    // The rim is darker than the face it surrounds, so the icon reads on light pictures too.
    const uint32_t rim = p.pixels[(top + bottom) / 2 * 75 + left];
    const uint32_t face = p.pixels[(top + bottom) / 2 * 75 + 12];
    EXPECT_LT(Luma(rim) + 60, Luma(face));
}

TEST(PaintBack00, IsCalmAndDarkUnderTheText) {
    const Picture p = Paint_back00();
    ASSERT_EQ(p.width, 640);
    ASSERT_EQ(p.height, 480);
    ASSERT_EQ(p.pixels.size(), 640u * 480u);
    // Light text must stay readable below the top 40%: dark on average, and hardly any bright pixels
    // (a few lit windows and the afterglow on the horizon are allowed).
    double sum = 0;
    int bright = 0;
    for (int y = 192; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const double l = Luma(p.pixels[y * 640 + x]);
            sum += l;
            bright += l > 180;
        }
    }
    EXPECT_LT(sum / (640 * 288), 70);
    EXPECT_LT(bright, 640 * 288 / 50);
    // And it is a picture, not a flat fill: the sky varies from top to horizon.
    EXPECT_GT(Luma(p.pixels[230 * 640 + 452]) - Luma(p.pixels[5 * 640 + 20]), 60);
}

class ScriptText : public ::testing::Test {
  protected:
    std::string Convert(const std::string& utf8) {
        std::string out, error;
        EXPECT_TRUE(Convert_script_text(utf8, "txt/a.txt", &out, &error)) << error;
        return out;
    }
};

TEST_F(ScriptText, BecomesShiftJisWithCrLf) {
    // "あ" is 82 A0, "漢" 8A BF; a backslash stays 5C in code page 932.
    EXPECT_EQ(Convert("あ\n漢\\x\n"), "\x82\xA0\r\n\x8A\xBF\\x\r\n");
    // Existing CR LF ends are not doubled, a byte-order mark is dropped, a last line without an end
    // keeps having none, and empty lines survive.
    EXPECT_EQ(Convert("\xEF\xBB\xBF#page\r\n\r\nend"), "#page\r\n\r\nend");
    EXPECT_EQ(Convert(""), "");
}

TEST_F(ScriptText, CharacterWithoutShiftJisFormNamesFileAndLine) {
    std::string out = "unchanged", error;
    EXPECT_FALSE(
        Convert_script_text("ok\nstill ok\nan emoji \xF0\x9F\x98\x80 here\n", "txt/b.txt", &out, &error));
    EXPECT_EQ(out, "unchanged");
    EXPECT_NE(error.find("txt/b.txt:3:"), std::string::npos) << error;
    EXPECT_NE(error.find("U+1F600"), std::string::npos) << error;
    EXPECT_FALSE(Convert_script_text("bad \xFF byte", "txt/c.txt", &out, &error));
    EXPECT_NE(error.find("txt/c.txt:1:"), std::string::npos) << error;
}

class DemoTree : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("kotoyumi_demo_" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "src/txt/sub");
        fs::create_directories(root_ / "src/wav");
    }
    void TearDown() override { fs::remove_all(root_); }
    void Write(const fs::path& path, const std::string& data) {
        std::ofstream(root_ / path, std::ios::binary) << data;
    }
    std::string Read(const fs::path& path) {
        std::ifstream in(root_ / path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    fs::path root_;
};

TEST_F(DemoTree, CopiesFilesAndConvertsOnlyScripts) {
    Write("src/txt/config.txt", "あ\n");
    Write("src/txt/sub/next.txt", "い\n");
    Write("src/txt/notes.md", "あ\n");
    Write("src/wav/click.txt", "あ\n");
    const std::string binary("RIFF\0\xFF\n", 7);
    Write("src/wav/se.wav", binary);
    std::string error;
    ASSERT_TRUE(Copy_demo_tree(root_ / "src", root_ / "out", &error)) << error;
    EXPECT_EQ(Read("out/txt/config.txt"), "\x82\xA0\r\n");
    EXPECT_EQ(Read("out/txt/sub/next.txt"), "\x82\xA2\r\n");
    EXPECT_EQ(Read("out/txt/notes.md"), "あ\n");
    EXPECT_EQ(Read("out/wav/click.txt"), "あ\n");
    EXPECT_EQ(Read("out/wav/se.wav"), binary);

    Write("src/txt/sub/bad.txt", "fine\n\xE2\x82\xA9\n"); // the won sign has no Shift-JIS form
    EXPECT_FALSE(Copy_demo_tree(root_ / "src", root_ / "out", &error));
    EXPECT_NE(error.find("txt/sub/bad.txt:2:"), std::string::npos) << error;
    EXPECT_FALSE(Copy_demo_tree(root_ / "missing", root_ / "out", &error));
}

TEST_F(DemoTree, GeneratedPicturesDecodeAndAreTheSameEveryRun) {
    std::string error;
    ASSERT_TRUE(Generate_pictures(root_ / "out", &error)) << error;
    const std::string back = Read("out/gdat/system/Back00.bmp");
    const std::string parts = Read("out/gdat/system/Parts.bmp");
    DecodedImage image;
    ASSERT_TRUE(Bmp_decode(reinterpret_cast<const uint8_t*>(back.data()), back.size(), &image, &error))
        << error;
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 480);
    ASSERT_TRUE(Bmp_decode(reinterpret_cast<const uint8_t*>(parts.data()), parts.size(), &image, &error))
        << error;
    EXPECT_EQ(image.width, 75);
    EXPECT_EQ(image.height, 25);
    EXPECT_EQ(image.pixels, Paint_parts().pixels);

    ASSERT_TRUE(Generate_pictures(root_ / "again", &error)) << error;
    EXPECT_EQ(Read("again/gdat/system/Back00.bmp"), back);
    EXPECT_EQ(Read("again/gdat/system/Parts.bmp"), parts);
}

} // namespace
