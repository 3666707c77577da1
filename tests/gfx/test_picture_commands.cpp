// The picture commands through the script: `g_load` and the picture names it records, `g_copy`
// and `alpha_copy` with their rectangles and opacities, the surface symbols, and the `test`
// benchmark. JPEG files come from the demo generator's writer, which is checked along the way.
#include <algorithm>
#include <string>
#include <vector>

#include "features/picture_commands.h"
#include "make_demo_assets/demo_assets.h"
#include "script/script_fixture.h"

namespace {

class PictureCommandTest : public ScriptTest {
  protected:
    // Starts `script` (each command on its own line) with bg.bmp in gdat, and runs enough frames
    // for every line of it.
    void Run_script(const std::string& script, int frames = 12) {
        Write_new_background();
        Start(script + "#halt\r\n");
        Run_frames(frames);
    }

    void Write_jpeg(const std::string& relative, const Picture& picture, bool progressive) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(Jpeg_encode(picture, JpegSettings{90, progressive}, &bytes));
        Write_file(relative, std::string(bytes.begin(), bytes.end()));
    }
};

} // namespace

TEST_F(PictureCommandTest, LoadsIntoTheBackgroundAndOntoTheScreen) {
    Write_new_background();
    Start("#g_load BG bg.bmp\r\n#g_load BK bg.bmp\r\n#g_load BS bg.bmp\r\n#halt\r\n");
    const std::string name = BackBuffer.PictureName;
    Run_frames(1);
    EXPECT_TRUE(Shows(BackgroundSurface, New_pixel));
    EXPECT_STREQ(BackgroundSurface.PictureName, ".\\gdat\\bg.bmp");
    EXPECT_TRUE(Shows_background()) << "BG changes nothing on the screen";
    Run_frames(1);
    EXPECT_TRUE(Shows(BackBuffer, New_pixel));
    EXPECT_TRUE(std::equal(BackBuffer.pixels.begin(), BackBuffer.pixels.end(), Headless_window_picture()))
        << "BK is visible with the frame's final copy";
    EXPECT_EQ(BackBuffer.PictureName, name) << "BK does not rename the screen";
    Run_frames(1);
    EXPECT_STREQ(BackBuffer.PictureName, ".\\gdat\\bg.bmp") << "BS renames it";
    EXPECT_TRUE(Headless_boxes().empty());
}

TEST_F(PictureCommandTest, FailedLoadsKeepThePictureButRecordTheName) {
    Write_file("gdat/broken.jpg", std::string("\xFF\xD8\xFF\xE0 not really a picture", 26));
    Run_script("#g_load BG pic.png\r\n#g_load BG broken.jpg\r\n#g_load BG missing.jpg\r\n");
    ASSERT_EQ(Headless_boxes().size(), 3u);
    EXPECT_EQ(Headless_boxes()[0].caption, "_check_g_filename()");
    EXPECT_EQ(Headless_boxes()[1].caption, "PXL_LoadJpeg()");
    EXPECT_NE(Headless_boxes()[1].text.find(".\\gdat\\broken.jpg"), std::string::npos);
    EXPECT_EQ(Boxes()[2], "PXL_LoadJpeg()|ファイル【 .\\gdat\\missing.jpg 】が開けないにょ！(T▽T)");
    EXPECT_STREQ(BackgroundSurface.PictureName, ".\\gdat\\missing.jpg");
    EXPECT_TRUE(Shows(BackgroundSurface, Test_background_pixel)) << "no failure drew anything";
    EXPECT_EQ(Quit_code(), -1) << "the story goes on";
    EXPECT_EQ(Game_stat.halt_on, 1);
}

TEST_F(PictureCommandTest, NamesMayHoldSubFoldersAndPartsCanBeReplaced) {
    Write_bmp("gdat/system/Parts2.bmp", 75, 25, [](int x, int) { return x < 25 ? 0x00FF00u : 0u; });
    Run_script("#g_load PT system\\Parts2.bmp\r\n");
    EXPECT_TRUE(Headless_boxes().empty());
    EXPECT_STREQ(PartsSurface.PictureName, ".\\gdat\\system\\Parts2.bmp");
    EXPECT_EQ(Surface_get(&PartsSurface, 3, 3), 0x00FF00u);
}

// How JPEG pixels decode is checked with the decoder; here, that both kinds load through g_load.
TEST_F(PictureCommandTest, BaselineAndProgressiveJpegsFromTheDemoWriter) {
    const Picture grey{640, 480, std::vector<uint32_t>(640 * 480, 0x808080u)};
    Write_jpeg("gdat/base.jpg", grey, false);
    Write_jpeg("gdat/prog.JPG", grey, true);
    Run_script("#g_load BG base.jpg\r\n#g_load BS prog.JPG\r\n");
    EXPECT_TRUE(Headless_boxes().empty());
    EXPECT_EQ(BackgroundSurface.pixels, grey.pixels);
    EXPECT_EQ(BackBuffer.pixels, grey.pixels);
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(Jpeg_encode(Picture{}, JpegSettings{}, &bytes)) << "an empty picture is refused";
    EXPECT_FALSE(Jpeg_encode(Picture{4, 4, std::vector<uint32_t>(3)}, JpegSettings{}, &bytes));
}

TEST_F(PictureCommandTest, CopyMovesRectanglesBetweenAndWithinSurfaces) {
    Run_script(
        "#g_load BG bg.bmp\r\n#g_copy BS 100 50 BG 10 20 30 40\r\n#g_copy BS,630,470,BG,0,0,64,64\r\n");
    EXPECT_TRUE(Headless_boxes().empty());
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const bool first = x >= 100 && x < 130 && y >= 50 && y < 90;
            const bool corner = x >= 630 && y >= 470; // clipped to 10x10
            const uint32_t expected = first    ? New_pixel(x - 90, y - 30)
                                      : corner ? New_pixel(x - 630, y - 470)
                                               : Test_background_pixel(x, y);
            ASSERT_EQ(Surface_get(&BackBuffer, x, y), expected) << x << "," << y;
        }
    }

    Fresh();
    Run_script("#g_copy BG 5 0 BG 0 0 100 10\r\n");
    for (int x = 0; x < 110; ++x)
        ASSERT_EQ(Surface_get(&BackgroundSurface, x, 3), Test_background_pixel(x < 5     ? x
                                                                               : x < 105 ? x - 5
                                                                                         : x,
                                                                               3))
            << "an overlapping copy within one surface reads before it writes: " << x;
}

TEST_F(PictureCommandTest, AlphaCopyOpacities) {
    // 0 % changes nothing; 100 % is a plain copy; 50 % blends with alpha 127.
    Run_script("#g_load BG bg.bmp\r\n#alpha_copy BS 0 0 BG 0 0 100 100 0\r\n");
    EXPECT_TRUE(Shows_background());

    Fresh();
    Run_script("#g_load BG bg.bmp\r\n#alpha_copy BS 10 10 BG 0 0 100 100 100\r\n");
    const std::vector<uint32_t> full = BackBuffer.pixels;
    Fresh();
    Run_script("#g_load BG bg.bmp\r\n#g_copy BS 10 10 BG 0 0 100 100\r\n");
    EXPECT_TRUE(full == BackBuffer.pixels);

    Fresh();
    Run_script("#g_load BG bg.bmp\r\n#alpha_copy BS 0 0 BG 0 0 1 1 50\r\n");
    const uint32_t old = Test_background_pixel(0, 0), src = New_pixel(0, 0);
    uint32_t expected = 0;
    for (int shift : {0, 8, 16}) {
        const uint32_t s = src >> shift & 0xFF, d = old >> shift & 0xFF;
        expected |= ((s * 127 + d * 128) * 2 + 255) / 510 << shift;
    }
    EXPECT_EQ(Surface_get(&BackBuffer, 0, 0), expected);
    EXPECT_EQ(Surface_get(&BackBuffer, 1, 0), Test_background_pixel(1, 0));

    EXPECT_EQ(Alpha_from_percent(0), 0);
    EXPECT_EQ(Alpha_from_percent(50), 127);
    EXPECT_EQ(Alpha_from_percent(100), 255);
    EXPECT_EQ(Alpha_from_percent(101), 1) << "257 in eight bits";
    EXPECT_EQ(Alpha_from_percent(-1), 254);
    Alpha_from_percent(2147483647); // wraps like the 32-bit arithmetic scripts expect, without fault
}

TEST_F(PictureCommandTest, AlphaCopyFromOutsideTheSourceDrawsNothing) {
    // Source rectangles leaving the source surface: the whole blend is refused. A destination that
    // hangs over the edge is clipped and drawn.
    Run_script("#g_load BG bg.bmp\r\n"
               "#alpha_copy BS 0 0 BG 600 0 100 10 100\r\n"
               "#alpha_copy BS 0 0 BG -1 0 10 10 100\r\n"
               "#alpha_copy BS 0 0 PT 0 0 76 25 100\r\n"
               "#alpha_copy BS 0 0 BG 0 0 -5 10 100\r\n",
               16);
    EXPECT_TRUE(Headless_boxes().empty());
    EXPECT_TRUE(Shows_background());

    Fresh();
    Run_script("#g_load BG bg.bmp\r\n#alpha_copy BS 620 0 BG 0 0 40 5 100\r\n");
    EXPECT_EQ(Surface_get(&BackBuffer, 639, 4), New_pixel(19, 4));
    EXPECT_EQ(Surface_get(&BackBuffer, 619, 4), Test_background_pixel(619, 4));
}

TEST_F(PictureCommandTest, UnknownSurfaceSymbolEndsTheProgram) {
    Run_script("#g_copy XX 0 0 BG 0 0 10 10\r\n");
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{
                  "Get_game_DC()|シンボル [XX] は意味不明ですぅ（爆）\n暴走したら恐いので強制終了ですぅ～♪"});
    EXPECT_EQ(Quit_code(), 1);

    // Lower case is another symbol; the load goes to BackBuffer, harmlessly, and renames nothing.
    Fresh();
    Run_script("#g_load bg bg.bmp\r\n");
    ASSERT_EQ(Headless_boxes().size(), 1u);
    EXPECT_EQ(Headless_boxes()[0].text.substr(0, 17), "シンボル [bg]");
    EXPECT_EQ(Quit_code(), 1);
    EXPECT_STREQ(BackgroundSurface.PictureName, ".\\gdat\\system\\Back00.bmp");
}

TEST_F(PictureCommandTest, TestCommandLaysTheMaskOverTheSample) {
    // The mask is the key colour but for a square and its bottom row, which is copied too.
    Write_bmp("gdat/mask_test_00.BMP", 640, 480, [](int x, int y) {
        return (x >= 100 && x < 200 && y >= 100 && y < 200) || y == 479 ? 0x102030u : 0x00FF00u;
    });
    Write_jpeg("gdat/sample_1.jpg", Picture{640, 480, std::vector<uint32_t>(640 * 480, 0x808080u)}, false);
    Run_script("#test\r\n" SJ_SQUARE);
    ASSERT_EQ(Headless_boxes().size(), 1u);
    EXPECT_EQ(Headless_boxes()[0].caption, "");
    EXPECT_EQ(Headless_boxes()[0].text.rfind("100回で ", 0), 0u) << Headless_boxes()[0].text;
    EXPECT_EQ(Surface_get(&BackBuffer, 150, 150), 0x102030u);
    EXPECT_EQ(Surface_get(&BackBuffer, 199, 100), 0x102030u);
    EXPECT_EQ(Surface_get(&BackBuffer, 300, 300), 0x808080u);
    EXPECT_EQ(Surface_get(&BackBuffer, 639, 479), 0x102030u);
    EXPECT_EQ(Surface_get(&BackBuffer, 639, 478), 0x808080u);
    EXPECT_EQ(Text.Text_X, 40) << "the story goes on";
}
