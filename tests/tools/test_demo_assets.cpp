// The demo asset generator: the wait icon and its mask agree, the backgrounds suit text drawn over
// them, the `test` mask keys cleanly, story scripts become Shift-JIS with CR LF, and the whole run
// writes decodable pictures.
#include "gfx/image_decode.h"
#include "make_demo_assets/demo_assets.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

double Luma(uint32_t px) {
    return 0.299 * (px >> 16 & 255) + 0.587 * (px >> 8 & 255) + 0.114 * (px & 255);
}

TEST(PaintParts, IconMaskAndScratchCellsAgree) {
    const Picture p = Paint_parts();
    ASSERT_EQ(p.width, 75);
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
    EXPECT_NEAR(right - left + 1, 16, 1);
    EXPECT_NEAR(bottom - top + 1, 15, 2);
    EXPECT_NEAR(left + right, 24, 1);
    EXPECT_NEAR(top + bottom, 24, 1);
    // The rim is darker than the face it surrounds, so the icon reads on light pictures too.
    const uint32_t rim = p.pixels[(top + bottom) / 2 * 75 + left];
    const uint32_t face = p.pixels[(top + bottom) / 2 * 75 + 12];
    EXPECT_LT(Luma(rim) + 60, Luma(face));
}

// Light text must stay readable below the top 40% of every background: dark on average, and hardly
// any bright pixels (a few lit windows, a lamp or two, the afterglow on the horizon).
TEST(DemoPictures, BackgroundsAreDarkUnderTheText) {
    const struct {
        Picture (*paint)();
        double mean;
        int bright_per_mille;
    } backgrounds[] = {
        {Paint_back00, 70, 20}, {Paint_street, 50, 30}, {Paint_room, 50, 30}, {Paint_lake_night, 50, 30}};
    for (const auto& b : backgrounds) {
        const Picture p = b.paint();
        ASSERT_EQ(p.width, 640);
        ASSERT_EQ(p.pixels.size(), 640u * 480u);
        double sum = 0;
        int bright = 0;
        for (int i = 192 * 640; i < 480 * 640; ++i) {
            sum += Luma(p.pixels[i]);
            bright += Luma(p.pixels[i]) > 180;
        }
        EXPECT_LT(sum / (640 * 288), b.mean);
        EXPECT_LT(bright, 640 * 288 * b.bright_per_mille / 1000);
    }
    // And the start-up one is a picture, not a flat fill: the sky varies from top to horizon.
    const Picture back = Paint_back00();
    EXPECT_GT(Luma(back.pixels[230 * 640 + 452]) - Luma(back.pixels[5 * 640 + 20]), 60);
    EXPECT_EQ(Paint_black().pixels, std::vector<uint32_t>(640 * 480, 0u));
}

// The `test` mask of the demo must key exactly, with no green bled into the edges of its shapes.
TEST(DemoPictures, RoundWindowMaskKeysOnlyInsideTheWindowAndNeverBleeds) {
    const Picture p = Paint_round_window_mask();
    ASSERT_EQ(p.pixels.size(), 640u * 480u);
    int key = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const uint32_t px = p.pixels[y * 640 + x];
            const int r = px >> 16 & 255, g = px >> 8 & 255, b = px & 255;
            if (px == 0x00FF00u) {
                ++key;
                ASSERT_LT(std::hypot(x - 330.0, y - 222.0), 180)
                    << x << "," << y << ": the key shows only through the window";
            } else {
                ASSERT_FALSE(g > 2 * std::max(r, b) + 60)
                    << x << "," << y << ": a greenish fringe would show as a halo";
            }
        }
    }
    EXPECT_GT(key, int(3.14159 * 178 * 178 * 0.7)) << "most of the window is open";
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

// The demo tree is made inside the test's game folder, which is the current folder.
class DemoTree : public EngineTest {
  protected:
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

TEST_F(DemoTree, CopiesFilesAndConvertsOnlyScripts) {
    Write_file("src/txt/config.txt", "あ\n");
    Write_file("src/txt/sub/next.txt", "い\n");
    Write_file("src/txt/notes.md", "あ\n");
    Write_file("src/wav/click.txt", "あ\n");
    const std::string binary("RIFF\0\xFF\n", 7);
    Write_file("src/wav/se.wav", binary);
    std::string error;
    ASSERT_TRUE(Copy_demo_tree("src", "out", &error)) << error;
    EXPECT_EQ(Read("out/txt/config.txt"), "\x82\xA0\r\n");
    EXPECT_EQ(Read("out/txt/sub/next.txt"), "\x82\xA2\r\n");
    EXPECT_EQ(Read("out/txt/notes.md"), "あ\n");
    EXPECT_EQ(Read("out/wav/click.txt"), "あ\n");
    EXPECT_EQ(Read("out/wav/se.wav"), binary);

    Write_file("src/txt/sub/bad.txt", "fine\n\xE2\x82\xA9\n"); // the won sign has no Shift-JIS form
    EXPECT_FALSE(Copy_demo_tree("src", "out", &error));
    EXPECT_NE(error.find("txt/sub/bad.txt:2:"), std::string::npos) << error;
    EXPECT_FALSE(Copy_demo_tree("missing", "out", &error));
}

TEST_F(DemoTree, GeneratedPicturesDecodeAndAreTheSameEveryRun) {
    std::string error;
    ASSERT_TRUE(Generate_pictures("out", &error)) << error;
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

    ASSERT_TRUE(Generate_pictures("again", &error)) << error;
    EXPECT_EQ(Read("again/gdat/system/Back00.bmp"), back);
    EXPECT_EQ(Read("again/gdat/system/Parts.bmp"), parts);
}

} // namespace
