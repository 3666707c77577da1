// select3: the option rectangles and the text cursor, the room check, the highlight, which mouse
// messages choose, the parts the choice runs, and autoplay taking the first option.
#include <string>

#include "app/headless_probe.h"
#include "features/story_fixture.h"

namespace {

constexpr uint32_t NORMAL_PIXEL = 0xFFFF64; // pale yellow, as a 0x00RRGGBB pixel
constexpr uint32_t LIT_PIXEL = 0xFF3232;    // red

// Three options ("Option" is 6 bytes) and three parts; the first two parts hold nested blocks.
const char* const CHOICE = "#select3 {\r\n"
                           "  Option\r\n"
                           "\r\n"
                           "\tSecond choice\r\n"
                           "Third\r\n"
                           "/\r\n"
                           "#flag_on 1\r\n"
                           "#if_flag 9 {\r\n#flag_on 20\r\n/\r\n#flag_on 21\r\n}\r\n"
                           "#halt\r\n"
                           "/\r\n"
                           "#flag_on 2\r\n"
                           "#if_flag 9 {\r\n#flag_on 22\r\n/\r\n#flag_on 23\r\n}\r\n"
                           "#halt\r\n"
                           "/\r\n"
                           "#flag_on 3\r\n"
                           "#halt\r\n"
                           "}\r\n";

class SelectTest : public StoryTest {
  protected:
    // Starts the script and runs until the options are up.
    void Pending(const std::string& script = CHOICE, int text_y = 20) {
        Start(script);
        Text.Text_Y = text_y;
        ASSERT_TRUE(Run_until([] { return Game_stat.select_on == 1; }));
    }
    // How many pixels of option k's rectangle are in the highlight or the normal colour.
    static int In_option(int k, uint32_t pixel) {
        const Rect& r = SelectRect[k];
        return Count(r.left, r.top, r.right, r.bottom, pixel);
    }
    static int Lit(int k) { return In_option(k, LIT_PIXEL); }
    static int Plain(int k) { return In_option(k, NORMAL_PIXEL); }
    static int Flags_set() {
        int n = 0;
        for (uint8_t f : Game_stat.Flags)
            n += f;
        return n;
    }
};

} // namespace

TEST_F(SelectTest, RectanglesAndTextCursorWithTheDefaults) {
    Pending();
    EXPECT_EQ(Game_stat.text_on, 0);
    const std::vector<int> expected[3] = {
        {40, 59, 130, 85}, {40, 85, 40 + 16 * 10, 111}, {40, 111, 40 + 8 * 10, 137}};
    for (int k = 0; k < 3; ++k) {
        const Rect& r = SelectRect[k];
        EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), expected[k]) << k;
        EXPECT_GT(Plain(k), 10) << "option " << k << " is drawn in the normal colour";
        EXPECT_EQ(Lit(k), 0);
    }
    EXPECT_EQ(Cursor(), std::pair(20, 176));
    EXPECT_EQ(Count(0, 0, 640, 59, NORMAL_PIXEL) + Count(0, 137, 640, 480, NORMAL_PIXEL), 0)
        << "nothing is drawn outside the options";
}

TEST_F(SelectTest, RoomCheckPassesAt330AndEndsTheProgramAt331) {
    Pending(CHOICE, 330);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(SelectRect[2].bottom, 330 + 39 + 3 * 26);

    Fresh();
    Start(CHOICE);
    Text.Text_Y = 331;
    Run_frames(3);
    EXPECT_EQ(Quit_code(), 1);
    EXPECT_EQ(Game_stat.select_on, 0);
    EXPECT_EQ(SelectPlain.width, 0);
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"Com_select3() |選択肢を表示するだけの画面の余裕がありません（T0T）\n"
                                       "そんな訳で、すぱっといさぎよく強制終了～♪"});
}

TEST_F(SelectTest, HighlightFollowsThePointerAndWhatDoesNotChoose) {
    Pending();
    Mouse(EventType::MouseMove, 0, 50, 95, 0);
    Run_frames(1);
    EXPECT_GT(Lit(1), 10);
    EXPECT_EQ(Lit(0) + Lit(2), 0);
    Mouse(EventType::MouseDown, 2, 50, 95, MK_RBUTTON);
    Run_frames(3);
    EXPECT_EQ(Game_stat.select_on, 1) << "a right click does not choose";
    EXPECT_GT(Lit(1), 10) << "whatever the buttons, the highlight follows the pointer";
    Mouse(EventType::MouseUp, 2, 50, 95, 0);

    // Presses on the border lines between or beside options, and outside them.
    for (const auto& [x, y] : {std::pair{50, 85}, {40, 70}, {130, 70}, {50, 59}, {200, 70}}) {
        Mouse(EventType::MouseDown, 1, x, y, MK_LBUTTON);
        Run_frames(2);
        Mouse(EventType::MouseUp, 1, x, y, 0);
        EXPECT_EQ(Game_stat.select_on, 1) << x << "," << y;
        EXPECT_EQ(Lit(0) + Lit(1), 0) << x << "," << y;
    }

    Mouse(EventType::MouseDown, 1, 50, 70, MK_LBUTTON);
    Mouse(EventType::MouseUp, 1, 50, 70, 0);
    Run_frames(3);
    EXPECT_EQ(Game_stat.select_on, 1) << "a press and release between two frames";
    EXPECT_GT(Lit(0), 10);

    Mouse(EventType::MouseMove, 0, 300, 300, 0);
    Run_frames(1);
    EXPECT_EQ(Lit(0) + Lit(1) + Lit(2), 0);
    EXPECT_GT(Plain(0), 10);
}

// The press that finished the text up to the choice belongs to the text: held or moved onto an
// option it does not choose; a new press does.
TEST_F(SelectTest, ThePressThatFinishedTheTextIsNotTheChoice) {
    Start(std::string(SJ_A SJ_A SJ_A "\r\n") + CHOICE, false);
    Run_frames(2);
    Mouse(EventType::MouseDown, 1, 50, 70, MK_LBUTTON);
    ASSERT_EQ(Game_stat.select_on, 1);
    Run_frames(2);
    Mouse(EventType::MouseMove, 0, 52, 70, MK_LBUTTON);
    Run_frames(2);
    EXPECT_EQ(Game_stat.select_on, 1);
    Mouse(EventType::MouseUp, 1, 52, 70, 0);
    Mouse(EventType::MouseDown, 1, 52, 70, MK_LBUTTON);
    Run_frames(10);
    EXPECT_EQ(Game_stat.select_on, 0);
    EXPECT_EQ(Game_stat.Flags[1], 1);
}

TEST_F(SelectTest, AHeldButtonMovedOntoAnOptionChoosesIt) {
    Pending();
    Mouse(EventType::MouseDown, 1, 300, 300, MK_LBUTTON);
    Run_frames(2);
    ASSERT_EQ(Game_stat.select_on, 1);
    Mouse(EventType::MouseMove, 0, 50, 70, MK_LBUTTON);
    Run_frames(1);
    EXPECT_EQ(Game_stat.select_on, 0);
    EXPECT_EQ(Game_stat.text_on, 1);
    EXPECT_EQ(SelectPlain.width + SelectLit.width, 0) << "the work surfaces are released";
    EXPECT_GT(Lit(0), 10) << "the chosen option stays highlighted";
    ASSERT_TRUE(Run_to_halt());
    EXPECT_EQ(Game_stat.Flags[1], 1);
    EXPECT_EQ(Game_stat.Flags[21], 1);
    EXPECT_EQ(Flags_set(), 2);
}

TEST_F(SelectTest, TheThirdOptionSkipsTwoPartsWithTheirBlocks) {
    Pending();
    Mouse(EventType::MouseDown, 1, 45, 120, MK_LBUTTON | MK_SHIFT);
    Run_frames(2);
    EXPECT_EQ(Game_stat.select_on, 1) << "the button word must be the left button alone";
    Mouse(EventType::MouseDown, 1, 45, 120, MK_LBUTTON);
    ASSERT_TRUE(Run_to_halt());
    EXPECT_EQ(Game_stat.Flags[3], 1);
    EXPECT_EQ(Flags_set(), 1);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SelectTest, AutoplayTakesTheFirstOption) {
    HeadlessOptions options;
    std::string error;
    ASSERT_TRUE(Headless_configure(options, &error)) << error;
    Headless_set_probe(Headless_probe());
    Write_startup_pictures();
    Write_file("txt/config.txt",
               std::string("#select3 {\r\nA\r\nB\r\nC\r\n/\r\n#flag_on 1\r\n#select3 {\r\n"
                           "D\r\nE\r\nF\r\n/\r\n#flag_on 2\r\n#halt\r\n/\r\n/\r\n}\r\n/\r\n/\r\n}\r\n"));
    System_init();
    EXPECT_EQ(Main_loop(), 0) << "the halt's click ended the program";
    EXPECT_EQ(Game_stat.Flags[1] + Game_stat.Flags[2], 2);
}

TEST_F(SelectTest, TheClickThatEndedAWaitDoesNotChoose) {
    Start(std::string("#wait\r\n") + CHOICE);
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    Mouse(EventType::MouseDown, 1, 50, 70, MK_LBUTTON); // over where option 1 will be
    ASSERT_TRUE(Run_until([] { return Game_stat.select_on == 1; }));
    Run_frames(3);
    EXPECT_EQ(Game_stat.select_on, 1) << "the button still held from before the options is not a choice";
    EXPECT_GT(Lit(0), 10);
    Mouse(EventType::MouseMove, 0, 51, 70, MK_LBUTTON);
    Run_frames(1);
    EXPECT_EQ(Game_stat.select_on, 0) << "the held button moved is";
}
