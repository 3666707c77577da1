// `shake`, `fade_out` and `fade_in`: the offsets step by step (BackBuffer itself never moves), the
// compounding fade steps, and how each effect ends.
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/present.h"
#include "features/shake_fade.h"
#include "script/script_fixture.h"

namespace {

class ShakeFadeTest : public ScriptTest {
  protected:
    void SetUp() override {
        ScriptTest::SetUp();
        Shake_fade_reset();
    }

    // Starts `script` and runs frames up to and including the one that switches `which` on.
    void Start_effect(const std::string& script, int32_t GameStat::*which) {
        Write_new_background();
        Start(script);
        for (int i = 0; i < 100 && Game_stat.*which == 0; ++i)
            Run_frames(1);
        ASSERT_EQ(Game_stat.*which, 1);
        ASSERT_EQ(Game_stat.text_on, 0);
    }

    // Runs frames until the effect ends; calls `step` after every frame that took a step (the
    // frame's number since the command is passed). Returns the number of steps.
    template <typename OnStep> int Run_steps(int32_t GameStat::*which, int32_t* counter, OnStep step) {
        int steps = 0;
        for (int frame = 1; Game_stat.*which == 1 && frame < 500; ++frame) {
            const int32_t before = *counter;
            Run_frames(1);
            if (*counter != before) {
                ++steps;
                step(frame);
            }
        }
        return steps;
    }
};

// A blend step, channel by channel: (src * a + dst * (255 - a)) / 255, to the nearest integer.
uint32_t Blend(uint32_t src, uint32_t dst, int a) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16})
        out |=
            uint32_t(std::lround(((src >> shift & 0xFF) * a + (dst >> shift & 0xFF) * (255.0 - a)) / 255.0))
            << shift;
    return out;
}

using Offsets = std::vector<std::pair<int, int>>;

} // namespace

TEST_F(ShakeFadeTest, ShakeOffsetsStepByStep) {
    const Offsets x = {{10, 0}, {-10, 0}, {10, 0}, {-10, 0}, {7, 0},  {-7, 0}, {7, 0},  {-7, 0}, {5, 0},
                       {-5, 0}, {5, 0},   {-5, 0}, {2, 0},   {-2, 0}, {2, 0},  {-2, 0}, {0, 0}};
    const Offsets y = {{0, 10}, {0, -10}, {0, 10}, {0, -10}, {0, 7},  {0, -7}, {0, 7},  {0, -7}, {0, 5},
                       {0, -5}, {0, 5},   {0, -5}, {0, 3},   {0, -3}, {0, 2},  {0, -2}, {0, 0}};
    const Offsets xy = {{0, 10}, {0, -10}, {10, 0}, {-10, 0}, {0, 7}, {0, -7}, {0, 7}, {0, -7},
                        {5, 0},  {-5, 0},  {0, 3},  {0, -3},  {3, 0}, {-3, 0}, {0, 2}, {0, 0}};
    for (const auto& [symbol, expected] : {std::pair{"X", x}, std::pair{"Y", y}, std::pair{"XY", xy}}) {
        Fresh();
        Shake_fade_reset();
        Start_effect(SJ_SQUARE "#shake " + std::string(symbol) + "\r\n" SJ_SQUARE "#halt\r\n",
                     &GameStat::shake_on);
        Offsets seen;
        int first_frame = 0;
        const std::vector<uint32_t> back = BackBuffer.pixels;
        Run_steps(&GameStat::shake_on, &ShakeStep, [&](int frame) {
            if (!first_frame) first_frame = frame;
            seen.emplace_back(ScreenOffsetX, ScreenOffsetY);
            ASSERT_EQ(BackBuffer.pixels, back) << "the window picture moves, not BackBuffer";
            ASSERT_EQ(Headless_window_picture()[240 * 640 + 320],
                      back[(240 - ScreenOffsetY) * 640 + 320 - ScreenOffsetX])
                << "each offset is shown";
        });
        EXPECT_EQ(seen, expected) << symbol;
        EXPECT_EQ(first_frame, 4) << symbol << ": the first jolt comes 50 ms on, in the fourth frame";
        EXPECT_EQ(Game_stat.text_on, 1);
        EXPECT_EQ(Text.Text_X, 40) << "a shake leaves the text cursor where it was";
        Run_frames(1);
        EXPECT_EQ(Text.Text_X, 60) << symbol << ": the text goes on where it stopped";
    }
}

TEST_F(ShakeFadeTest, UnknownShakeEndsTheProgram) {
    Start("#shake Z\r\n#halt\r\n");
    Run_frames(3);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Com_shake()|シンボル [Z] は不正です。強制終了～♪"});
    EXPECT_EQ(Quit_code(), 1);
    EXPECT_EQ(Game_stat.shake_on, 0);
}

TEST_F(ShakeFadeTest, FadeOutCompoundsToBlackAndNamesTheBlackPicture) {
    Start_effect(SJ_SQUARE SJ_SQUARE "#fade_out\r\n" SJ_SQUARE "#halt\r\n", &GameStat::fade_out_on);
    EXPECT_EQ(BlackSurface.width, 640);
    const std::vector<uint32_t> start = BackBuffer.pixels;
    const int probes[] = {0, 640 * 100 + 300, 640 * 479 + 639};
    std::vector<uint32_t> model(std::size(probes));
    for (size_t i = 0; i < model.size(); ++i)
        model[i] = start[probes[i]];
    int first_frame = 0, step = 0;
    const int steps = Run_steps(&GameStat::fade_out_on, &FadeLevel, [&](int frame) {
        if (!first_frame) first_frame = frame;
        const int alpha = step++ * 5 * 255 / 100;
        for (size_t i = 0; i < model.size(); ++i) {
            model[i] = Blend(0, model[i], alpha);
            ASSERT_EQ(BackBuffer.pixels[probes[i]], model[i]) << "step " << step << ", alpha " << alpha;
        }
    });
    EXPECT_EQ(steps, 21);
    EXPECT_EQ(first_frame, 4);
    EXPECT_EQ(BackBuffer.pixels, std::vector<uint32_t>(640 * 480, 0u));
    EXPECT_STREQ(BackBuffer.PictureName, ".\\gdat\\black.bmp");
    EXPECT_EQ(BlackSurface.width, 0) << "the black picture lives only while the fade runs";
    EXPECT_EQ(Game_stat.text_on, 1);
    EXPECT_EQ(Cursor(), std::pair(20, 20));
    Run_frames(1);
    EXPECT_EQ(Text.Text_X, 40) << "the next character goes to the text area's top-left";
    EXPECT_NE(Surface_get(&BackBuffer, 25, 30), 0u);
}

TEST_F(ShakeFadeTest, FadeInBringsUpTheBackgroundAndItsName) {
    Start_effect("#g_load BG bg.bmp\r\n" SJ_SQUARE "#fade_in\r\n#halt\r\n", &GameStat::fade_in_on);
    const std::vector<uint32_t> start = BackBuffer.pixels;
    const int probe = 640 * 22 + 25; // under the character drawn before the fade
    uint32_t model = start[probe];
    int step = 0;
    const int steps = Run_steps(&GameStat::fade_in_on, &FadeLevel, [&](int) {
        model = Blend(New_pixel(25, 22), model, step++ * 5 * 255 / 100);
        ASSERT_EQ(BackBuffer.pixels[probe], model) << "step " << step;
    });
    EXPECT_EQ(steps, 21);
    EXPECT_TRUE(BackBuffer.pixels == BackgroundSurface.pixels);
    EXPECT_STREQ(BackBuffer.PictureName, ".\\gdat\\bg.bmp");
    EXPECT_EQ(Game_stat.fade_in_on, 0);
    EXPECT_EQ(Game_stat.text_on, 1);
    EXPECT_EQ(Text.Text_X, 20);
}
