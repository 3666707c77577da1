// The text-setting commands: what each accepts, what it refuses (with its box, changing nothing),
// and that the settings reach the drawing of the next character.
#include <functional>
#include <string>
#include <vector>

#include "gfx/text_draw.h"
#include "script/interpreter.h"
#include "script_fixture.h"

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r + 256 * g + 65536 * b;
}

// The text area, then the cursor.
std::vector<int> Area_and_cursor() {
    return {Text.Text_AREA.left,   Text.Text_AREA.top, Text.Text_AREA.right,
            Text.Text_AREA.bottom, Text.Text_X,        Text.Text_Y};
}
std::vector<uint32_t> Colours() {
    return {Text.Text_COLOR1, Text.Text_COLOR2};
}
std::vector<int> Size_and_pitches() {
    return {Text.Font_Size, Text.Text_X_PITCH, Text.Text_Y_PITCH};
}
const std::vector<int> DEFAULT_AREA = {20, 20, 620, 460, 20, 20};
const std::vector<uint32_t> DEFAULT_COLOURS = {Rgb(255, 255, 255), Rgb(30, 30, 30)};

} // namespace

TEST_F(ScriptTest, TextSettingCommandsAcceptAndRefuse) {
    const std::string AREA = "Com_set_text_area()|", WAIT = "Com_set_text_wait()|";
    const std::string COLOUR = "Com_set_text_color()|指定可能な数値は各色 0-255 です";
    const std::string MODE = "Com_disp_save_point_mode()|セーブポイントモードは ";
    const struct {
        const char* script;
        std::vector<std::string> boxes;
        std::function<void()> check;
    } rows[] = {
        {"#set_text_area 100 100 179 200\r\n",
         {AREA + "幅が狭いよ～ん"},
         [] { EXPECT_EQ(Area_and_cursor(), DEFAULT_AREA); }},
        {"#set_text_area 100 100 180 119\r\n",
         {AREA + "高さが狭いよ～ん"},
         [] { EXPECT_EQ(Area_and_cursor(), DEFAULT_AREA); }},
        {"#set_text_area 100,100, 180 ,120\r\n",
         {},
         [] {
             EXPECT_EQ(Area_and_cursor(), (std::vector<int>{100, 100, 180, 120, 100, 100}));
         }},
        {"#set_font_size 30\r\n#set_text_area 0 0 119 100\r\n",
         {AREA + "幅が狭いよ～ん"},
         [] { EXPECT_EQ(Area_and_cursor(), DEFAULT_AREA); }}, // four characters of the current size
        {"#set_text_wait 5000\r\n", {}, [] { EXPECT_EQ(Text.Text_WAIT, 5000); }},
        {"#set_text_wait 5001\r\n", {WAIT + "５秒以内にしてねん♪"}, [] { EXPECT_EQ(Text.Text_WAIT, 0); }},
        {"#set_text_wait -1\r\n", {WAIT + "マイナスは駄目よ～ん"}, [] { EXPECT_EQ(Text.Text_WAIT, 0); }},
        {"#set_text_color 1,2,3 4, 5 6\r\n",
         {},
         [] {
             EXPECT_EQ(Colours(), (std::vector<uint32_t>{Rgb(1, 2, 3), Rgb(4, 5, 6)}));
         }},
        {"#set_text_color 1 2 3 4 5 256\r\n", {COLOUR}, [] { EXPECT_EQ(Colours(), DEFAULT_COLOURS); }},
        {"#set_text_color -1 2 3 4 5 256\r\n",
         {COLOUR},
         [] { EXPECT_EQ(Colours(), DEFAULT_COLOURS); }}, // one box
        {"#set_font_size 25\r\n",
         {},
         [] {
             EXPECT_EQ(Size_and_pitches(), (std::vector<int>{25, 12, 32}));
             EXPECT_EQ(Text.Text_X, 20) << "the cursor does not move";
         }},
        {"#set_font_size 0\r\n",
         {},
         [] {
             EXPECT_EQ(Size_and_pitches(), (std::vector<int>{0, 0, 0}));
         }},
        {"#set_font_size -3\r\n",
         {}, // division truncates toward zero
         [] {
             EXPECT_EQ(Size_and_pitches(), (std::vector<int>{-3, -1, -3}));
         }},
        {"#disp_save_point_mode\r\n#save_point_mode MANUAL\r\n#disp_save_point_mode\r\n"
         "#save_point_mode auto\r\n#disp_save_point_mode\r\n",
         {MODE + "AUTO です", MODE + "MANUAL です",
          "Com_save_point_mode()|セーブポイントモードの指定が不正です。\n暫定的に AUTO として扱います。",
          MODE + "AUTO です"},
         [] { EXPECT_EQ(Text.save_point_mode, SAVE_POINT_AUTO); }},
        {"#save_point_mode MANUAL\r\n#save_point\r\n#sp\r\n",
         {},
         [] {
             EXPECT_EQ(Text.save_point_mode, SAVE_POINT_MANUAL);
             EXPECT_EQ(Game_stat.halt_on, 1) << "both words are commands; the script ran to its end";
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        Fresh();
        Start(row.script);
        Run_frames(12);
        EXPECT_EQ(Boxes(), row.boxes);
        row.check();
    }

    Fresh();
    Start("#halt\r\n");
    Text.save_point_mode = 7;
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
        blue += b >= 0xF0 && r <= 0x10 && g <= 0x10; // the background always has some red
    }
    ASSERT_GT(red, 200) << "a 40 px red face";
    ASSERT_GT(blue, 10) << "with a blue shadow";
    Run_frames(1);
    EXPECT_TRUE(BackBuffer.pixels == expected.pixels);
    EXPECT_EQ(Text.Text_X, 60) << "advanced by two pitches of 20";
}
