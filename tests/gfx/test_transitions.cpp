// `g_change`: the four transitions step by step on the 15 ms stopwatch, their step counts and
// ends, the text cursor afterwards, and the invalid type.
#include <string>
#include <vector>

#include "features/transition.h"
#include "script/script_fixture.h"

namespace {

class TransitionTest : public ScriptTest {
  protected:
    void SetUp() override {
        ScriptTest::SetUp();
        Transition_reset();
    }

    // Loads the new background, draws `before` and runs frames up to and including the one in
    // which `g_change TYPE` runs. After the transition the script draws one more character.
    void Start_change(const std::string& type, const std::string& before = "") {
        Write_new_background();
        Start("#g_load BG bg.bmp\r\n" + before + "#g_change " + type + "\r\n" SJ_SQUARE "#halt\r\n");
        for (int i = 0; i < 100 && Game_stat.g_change_on == 0; ++i)
            Run_frames(1);
        ASSERT_EQ(Game_stat.g_change_on, 1);
    }

    // Whether each pixel of row y shows the new background (1) or the old one (0); -1 for neither.
    static std::vector<int> Row(int y) {
        std::vector<int> out;
        for (int x = 0; x < 640; ++x) {
            const uint32_t p = Surface_get(&BackBuffer, x, y);
            out.push_back(p == New_pixel(x, y) ? 1 : p == Test_background_pixel(x, y) ? 0 : -1);
        }
        return out;
    }

    static bool Shows_new() { return Shows(BackBuffer, New_pixel); }

    // The pixels where BackBuffer shows the new background.
    static std::vector<std::pair<int, int>> New_pixels() {
        std::vector<std::pair<int, int>> out;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (Surface_get(&BackBuffer, x, y) == New_pixel(x, y)) out.emplace_back(x, y);
        return out;
    }
    static bool Block_is_new(int x, int y, int w, int h) { return Shows(BackBuffer, New_pixel, x, y, w, h); }
    // Runs frames until the transition ends; returns how many ran.
    int Frames_to_end() {
        int n = 0;
        for (; Game_stat.g_change_on == 1 && n < 200; ++n)
            Run_frames(1);
        return n;
    }
};

} // namespace

TEST_F(TransitionTest, CurtainFillsTenPixelBandsInSeventyFiveSteps) {
    Start_change("CURTAIN", SJ_SQUARE SJ_SQUARE SJ_SQUARE);
    EXPECT_EQ(Game_stat.text_on, 0);
    EXPECT_STREQ(BackBuffer.PictureName, ".\\gdat\\bg.bmp")
        << "the screen is named after the new picture at once";
    EXPECT_EQ(Text.Text_X, 80);
    EXPECT_TRUE(New_pixels().empty()) << "the stopwatch holds the first step back to the next frame";

    int steps = 0;
    while (Game_stat.g_change_on == 1 && steps < 200) {
        Run_frames(1);
        const int s = 10 * steps++;
        // Band b of ten columns shows (s - 10b) / 10 + 1 of them, from its left edge.
        std::vector<int> expected(640);
        for (int x = 0; x < 640; ++x) {
            const int band = x / 10 * 10;
            expected[x] = s >= band && x - band < std::min(10, (s - band) / 10 + 1);
        }
        for (int y : {0, 200, 479})
            ASSERT_EQ(Row(y), expected) << "step " << steps << ", row " << y;
    }
    EXPECT_EQ(steps, 75);
    EXPECT_TRUE(Shows_new());
    EXPECT_EQ(Game_stat.text_on, 1);
    EXPECT_EQ(Cursor(), std::pair(20, 20));

    const std::vector<uint32_t> home = Block(20, 20, 20, 20);
    Run_frames(1);
    EXPECT_NE(Block(20, 20, 20, 20), home) << "the next character is drawn at the text area's top-left";
    EXPECT_EQ(Text.Text_X, 40);
}

TEST_F(TransitionTest, SpreadOpensFromTheCentreCellsAndEndsAfterTick45) {
    Start_change("SPREAD");
    Run_frames(1); // tick 0
    std::vector<std::pair<int, int>> expected;
    for (int y : {247, 248, 263, 264})
        for (int x : {311, 312, 327, 328})
            expected.emplace_back(x, y);
    EXPECT_EQ(New_pixels(), expected) << "only the 2x2 middles of the four centre cells";

    Run_frames(10); // ticks 1 to 10
    EXPECT_TRUE(Block_is_new(304, 240, 32, 32)) << "the four centre cells are whole at tick 10";
    // Their left neighbour started a tick later: its 12x12 square from tick 9 shows, not its rim.
    EXPECT_TRUE(Block_is_new(290, 242, 12, 12));
    EXPECT_FALSE(Block_is_new(288, 240, 16, 16));
    EXPECT_FALSE(Block_is_new(0, 0, 16, 16));

    Run_frames(34); // ticks 11 to 44: the corner cells finish
    EXPECT_TRUE(Shows_new());
    EXPECT_EQ(Game_stat.g_change_on, 1) << "tick 45 is still to come";
    Run_frames(1);
    EXPECT_EQ(Game_stat.g_change_on, 0);
    EXPECT_EQ(Game_stat.text_on, 1);
}

TEST_F(TransitionTest, StretchesGrowFromTheMiddleAndEndUnscaled) {
    Start_change("STRETCH_X");
    Run_frames(1);
    EXPECT_TRUE(New_pixels().empty()) << "the first step is 0 wide";
    Run_frames(8); // s = 160: the band is x 160-479, the whole picture squeezed to half its width
    for (int y : {0, 301, 479}) {
        EXPECT_EQ(Surface_get(&BackBuffer, 159, y), Test_background_pixel(159, y));
        EXPECT_EQ(Surface_get(&BackBuffer, 160, y), New_pixel(0, y));
        EXPECT_EQ(Surface_get(&BackBuffer, 161, y), New_pixel(2, y));
        EXPECT_EQ(Surface_get(&BackBuffer, 479, y), New_pixel(638, y));
        EXPECT_EQ(Surface_get(&BackBuffer, 480, y), Test_background_pixel(480, y));
    }
    EXPECT_EQ(9 + Frames_to_end(), 17);
    EXPECT_TRUE(Shows_new()) << "the last step is the picture at its own size";

    Fresh();
    Transition_reset();
    Start_change("STRETCH_Y");
    Run_frames(7); // s = 120: the band is y 120-359
    for (int x : {0, 333, 639}) {
        EXPECT_EQ(Surface_get(&BackBuffer, x, 119), Test_background_pixel(x, 119));
        EXPECT_EQ(Surface_get(&BackBuffer, x, 120), New_pixel(x, 0));
        EXPECT_EQ(Surface_get(&BackBuffer, x, 359), New_pixel(x, 478));
        EXPECT_EQ(Surface_get(&BackBuffer, x, 360), Test_background_pixel(x, 360));
    }
    EXPECT_EQ(7 + Frames_to_end(), 13);
    EXPECT_TRUE(Shows_new());
    EXPECT_EQ(Text.Text_X, 20);
}

TEST(TransitionStretch, SamePixelsAsTheGeneralStretchClippedAnywhere) {
    Surface src;
    Surface_create(&src, 37, 23);
    for (size_t i = 0; i < src.pixels.size(); ++i)
        src.pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    const int rects[][4] = {{0, 0, 50, 40},   {-5, -3, 30, 60}, {10, 5, 7, 9}, {45, 35, 20, 20},
                            {-100, 0, 20, 5}, {0, 0, 37, 23},   {3, 3, 0, 5},  {2, 1, 300, 2}};
    for (const auto& r : rects) {
        Surface a, b;
        Surface_create(&a, 50, 40);
        Surface_create(&b, 50, 40);
        Transition_stretch(&a, r[0], r[1], r[2], r[3], &src);
        Surface_stretch(&b, r[0], r[1], r[2], r[3], &src, 0, 0, src.width, src.height);
        EXPECT_EQ(a.pixels, b.pixels) << r[0] << "," << r[1] << " " << r[2] << "x" << r[3];
    }
}

TEST_F(TransitionTest, UnknownTypeEndsTheProgram) {
    for (const char* type : {"FADE", "curtain"}) {
        Fresh();
        Transition_reset();
        Start(std::string("#g_change ") + type + "\r\n#halt\r\n");
        Run_frames(3);
        EXPECT_EQ(Boxes(), std::vector<std::string>{std::string("Com_g_change_task()|シンボル [") + type +
                                                    "] は不正です。強制終了～♪"});
        EXPECT_EQ(Quit_code(), 1);
        EXPECT_EQ(Game_stat.g_change_on, 0) << "no transition runs while the program ends";
    }
}
