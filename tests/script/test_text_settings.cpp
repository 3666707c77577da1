// The text-setting commands: what each accepts, what it refuses (with its box, changing nothing),
// and that the settings reach the drawing of the next character.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gfx/text_draw.h"
#include "script/interpreter.h"
#include "script_fixture.h"

namespace {

using Box = std::pair<std::string, std::string>;  // caption, text

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r + 256 * g + 65536 * b; }

void Expect_default_area_and_cursor() {
    EXPECT_EQ(Text_AREA.left, 20);
    EXPECT_EQ(Text_AREA.top, 20);
    EXPECT_EQ(Text_AREA.right, 620);
    EXPECT_EQ(Text_AREA.bottom, 460);
    EXPECT_EQ(Text_X, 20);
    EXPECT_EQ(Text_Y, 20);
}

void Expect_default_colours() {
    EXPECT_EQ(Text_COLOR1, Rgb(255, 255, 255));
    EXPECT_EQ(Text_COLOR2, Rgb(30, 30, 30));
}

}  // namespace

TEST_F(ScriptTest, TextSettingCommandsAcceptAndRefuse) {
    const char* AREA = "Com_set_text_area()";
    const char* WAIT = "Com_set_text_wait()";
    const char* MODE = "Com_disp_save_point_mode()";
    struct Row {
        const char* script;
        std::vector<Box> boxes;
        std::function<void()> check;
    };
    const Row rows[] = {
        {"#set_text_area 100 100 179 200\r\n", {{AREA, "幅が狭いよ～ん"}}, Expect_default_area_and_cursor},
        {"#set_text_area 100 100 180 119\r\n", {{AREA, "高さが狭いよ～ん"}}, Expect_default_area_and_cursor},
        {"#set_text_area 100,100, 180 ,120\r\n", {},
         [] {
             EXPECT_EQ(Text_AREA.left, 100);
             EXPECT_EQ(Text_AREA.top, 100);
             EXPECT_EQ(Text_AREA.right, 180);
             EXPECT_EQ(Text_AREA.bottom, 120);
             EXPECT_EQ(Text_X, 100);
             EXPECT_EQ(Text_Y, 100);
         }},
        {"#set_font_size 30\r\n#set_text_area 0 0 119 100\r\n", {{AREA, "幅が狭いよ～ん"}},
         Expect_default_area_and_cursor},  // four characters of the current size
        {"#set_text_wait 5000\r\n", {}, [] { EXPECT_EQ(Text_WAIT, 5000); }},
        {"#set_text_wait 5001\r\n", {{WAIT, "５秒以内にしてねん♪"}}, [] { EXPECT_EQ(Text_WAIT, 0); }},
        {"#set_text_wait -1\r\n", {{WAIT, "マイナスは駄目よ～ん"}}, [] { EXPECT_EQ(Text_WAIT, 0); }},
        {"#set_text_color 1,2,3 4, 5 6\r\n", {},
         [] {
             EXPECT_EQ(Text_COLOR1, Rgb(1, 2, 3));
             EXPECT_EQ(Text_COLOR2, Rgb(4, 5, 6));
         }},
        {"#set_text_color 1 2 3 4 5 256\r\n", {{"Com_set_text_color()", "指定可能な数値は各色 0-255 です"}},
         Expect_default_colours},
        {"#set_text_color -1 2 3 4 5 256\r\n", {{"Com_set_text_color()", "指定可能な数値は各色 0-255 です"}},
         Expect_default_colours},  // one box, however many values are wrong
        {"#set_font_size 25\r\n", {},
         [] {
             EXPECT_EQ(Font_Size, 25);
             EXPECT_EQ(Text_X_PITCH, 12);
             EXPECT_EQ(Text_Y_PITCH, 32);
             EXPECT_EQ(Text_X, 20) << "the cursor does not move";
         }},
        {"#set_font_size 0\r\n", {},
         [] {
             EXPECT_EQ(Font_Size, 0);
             EXPECT_EQ(Text_X_PITCH, 0);
             EXPECT_EQ(Text_Y_PITCH, 0);
         }},
        {"#set_font_size -3\r\n", {},
         [] {
             EXPECT_EQ(Text_X_PITCH, -1) << "division truncates toward zero";
             EXPECT_EQ(Text_Y_PITCH, -3);
         }},
        {"#disp_save_point_mode\r\n#save_point_mode MANUAL\r\n#disp_save_point_mode\r\n"
         "#save_point_mode auto\r\n#disp_save_point_mode\r\n",
         {{MODE, "セーブポイントモードは AUTO です"},
          {MODE, "セーブポイントモードは MANUAL です"},
          {"Com_save_point_mode()", "セーブポイントモードの指定が不正です。\n暫定的に AUTO として扱います。"},
          {MODE, "セーブポイントモードは AUTO です"}},
         [] { EXPECT_EQ(save_point_mode, SAVE_POINT_AUTO); }},
        {"#save_point_mode MANUAL\r\n#save_point\r\n#sp\r\n", {},
         [] {
             EXPECT_EQ(save_point_mode, SAVE_POINT_MANUAL);
             EXPECT_EQ(Game_stat.halt_on, 1) << "both words are commands; the script ran to its end";
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script);
        Fresh();
        Start(row.script);
        Run_frames(12);
        std::vector<Box> shown;
        for (const RecordedBox& box : Headless_boxes()) shown.emplace_back(box.caption, box.text);
        EXPECT_EQ(shown, row.boxes);
        row.check();
    }

    Fresh();
    Start("#halt\r\n");
    save_point_mode = 7;
    Com_disp_save_point_mode();
    ASSERT_EQ(Headless_boxes().size(), 1u);
    EXPECT_EQ(Headless_boxes()[0].text, "セーブポイントモードは無効な値です");
}

TEST_F(ScriptTest, SizeAndColoursReachTheNextCharacter) {
    Start("#set_font_size 40\r\n#set_text_color 255 0 0 0 0 255\r\n" SJ_SQUARE);
    Run_frames(2);
    Surface expected = BackBuffer;
    // Script colours are red + 256 green + 65536 blue; pixels are 0x00RRGGBB.
    ChrPut3D(&expected, 20, 20, 40, Rgb(255, 0, 0), Rgb(0, 0, 255), SJ_SQUARE, 2);
    int red = 0, blue = 0;
    for (uint32_t p : expected.pixels) {
        const uint32_t r = p >> 16, g = p >> 8 & 0xFF, b = p & 0xFF;
        red += r >= 0xF0 && g <= 0x10 && b <= 0x10;
        blue += b >= 0xF0 && r <= 0x10 && g <= 0x10;  // the background always has some red
    }
    ASSERT_GT(red, 200) << "a 40 px red face";
    ASSERT_GT(blue, 10) << "with a blue shadow";
    Run_frames(1);
    EXPECT_TRUE(BackBuffer.pixels == expected.pixels);
    EXPECT_EQ(Text_X, 60) << "advanced by two pitches of 20";
}
