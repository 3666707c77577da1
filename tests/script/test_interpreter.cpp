// The interpreter stepping through a script: where characters land on the page, what a step costs,
// the waits that stop stepping and the "go on" input that ends them, page clears, and the end of
// the story.
#include <string>
#include <utility>
#include <vector>

#include "app/frame_loop.h"
#include "gfx/text_draw.h"
#include "platform/platform.h"
#include "script/backlog.h"
#include "script/interpreter.h"
#include "script/story_state.h"
#include "script_fixture.h"
#include "system/snapshot.h"

namespace {

// The 25x25 scratch cell of PartsSurface: what lay under the wait icon.
std::vector<uint32_t> Scratch_cell() {
    std::vector<uint32_t> out;
    for (int j = 0; j < 25; ++j)
        for (int i = 0; i < 25; ++i)
            out.push_back(Surface_get(&PartsSurface, 50 + i, j));
    return out;
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

} // namespace

TEST_F(ScriptTest, FirstCharacterWithTheDefaultsAndTheDefaultPace) {
    Start(SJ_SQUARE SJ_SQUARE, /*fast=*/false);
    Surface expected = BackBuffer;
    ChrPut3D(&expected, 20, 20, 20, 0xFFFFFF, 0x1E1E1E, SJ_SQUARE, 2);
    ASSERT_NE(expected.pixels, BackBuffer.pixels)
        << "the reference character must show for the comparison to mean anything";

    Headless_set_time(19);
    Text_task();
    EXPECT_EQ(ScriptCursor, 0) << "no step before 20 ms";
    Headless_set_time(20);
    Text_task();
    EXPECT_EQ(ScriptCursor, 2);
    EXPECT_TRUE(BackBuffer.pixels == expected.pixels)
        << "a 20 px white character with a (30,30,30) shadow at (20, 20)";
    EXPECT_EQ(Text.Text_X, 40);
    Headless_set_time(39);
    Text_task();
    EXPECT_EQ(ScriptCursor, 2) << "the next step is 20 ms after the last";
    Headless_set_time(40);
    Text_task();
    EXPECT_EQ(ScriptCursor, 4);
}

TEST_F(ScriptTest, FullPageLayoutEndsInAPageWaitWithTheIcon) {
    Start(Repeat(SJ_SQUARE, 470));
    std::vector<std::pair<int, int>> drawn_at;
    std::vector<uint32_t> last_cell_before;
    while (Game_stat.page_wait_on == 0 && drawn_at.size() < 470) {
        drawn_at.emplace_back(Text.Text_X, Text.Text_Y);
        last_cell_before = Block(Text.Text_X, Text.Text_Y, 20, 20);
        Run_frames(1);
    }
    ASSERT_EQ(drawn_at.size(), 15u * 29 + 28) << "15 full lines of 29, then 28 on the last line";
    for (size_t i = 0; i < drawn_at.size(); ++i) {
        ASSERT_EQ(drawn_at[i], std::make_pair(20 + 20 * int(i % 29), 20 + 26 * int(i / 29)))
            << "character " << i;
    }
    EXPECT_NE(Block(560, 410, 20, 20), last_cell_before) << "the 28th character of the last line is drawn";
    EXPECT_EQ(Game_stat.page_wait_on, 1);
    EXPECT_EQ(Game_stat.text_on, 0);
    EXPECT_EQ(Cursor(), std::pair(580, 410));
    EXPECT_TRUE(Shows_icon(580, 410)) << "mask ANDed, then the picture ORed, at the cursor";
    const std::vector<uint32_t> scratch = Scratch_cell();
    for (int j = 0; j < 25; ++j)
        for (int i = 5; i < 25; ++i) // left columns may hold the last character's right edge
            ASSERT_EQ(scratch[size_t(j) * 25 + i], Test_background_pixel(580 + i, 410 + j)) << i << "," << j;

    const int32_t cursor = ScriptCursor;
    Run_frames(5);
    EXPECT_EQ(ScriptCursor, cursor) << "no stepping during the page-end wait";
}

TEST_F(ScriptTest, LabelLinesBlockMarksAndWhenTheyAreShownAsText) {
    struct Row {
        const char* name;
        std::string script;
        int cursor_after_1;
        int steps;
        int cursor_after;
        int text_x_after;
        bool page_untouched;
    };
    const std::string n31(31, 'n'), n32(32, 'n');
    const Row rows[] = {
        {"label with CR LF: two steps, nothing drawn", "*start:\r\n" SJ_A, 8, 2, 9, 20, true},
        {"31-byte name: still a label", "*" + n31 + ":\r\n" SJ_A, 34, 2, 35, 20, true},
        {"space before the colon: shown", "*a b:\r\n", 1, 5, 5, 60, false},
        {"colon 33 bytes after the star: shown", "*" + n32 + ":\r\n", 1, 3, 3, 40, false},
        // `{` costs a step and draws nothing; `/` passes over the rest of the block, its `}` and the
        // CR LF after it.
        {"block marks", "{" SJ_A "/x}\r\n" SJ_A, 1, 3, 8, 40, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        Start(row.script);
        Run_frames(1);
        EXPECT_EQ(ScriptCursor, row.cursor_after_1);
        Run_frames(row.steps - 1);
        EXPECT_EQ(ScriptCursor, row.cursor_after);
        EXPECT_EQ(Text.Text_X, row.text_x_after);
        EXPECT_EQ(Shows_background(), row.page_untouched);
    }
}

TEST_F(ScriptTest, CommentsEmptyWordsAndInvalidCommands) {
    struct Row {
        const char* name;
        std::string script;
        std::string box; // empty: none
        int cursor_after_1;
        int text_x_after_2;
    };
    const Row rows[] = {
        {"a comment line goes in one step", "## not #wait\r\n" SJ_A, "", 14, 40},
        {"# and a space: the empty word", "# x\r\n", "警告：無効なコマンド [#] が記述されています", 2, 30},
        {"unknown word: the rest of the line is text", "#foo 1\r\n",
         "警告：無効なコマンド [#foo] が記述されています", 5, 30},
        {"words are case-sensitive", "#WAIT 1\r\n", "警告：無効なコマンド [#WAIT] が記述されています", 6, 30},
        {"no prefix matches", "#waiting 1\r\n", "警告：無効なコマンド [#waiting] が記述されています", 9, 30},
        {"too long for the word buffer: its first 255 bytes", "#wait" + std::string(300, 'x') + " 1\r\n",
         "警告：無効なコマンド [#wait" + std::string(251, 'x') + "] が記述されています", 306, 30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        Start(row.script);
        Run_frames(1);
        EXPECT_EQ(ScriptCursor, row.cursor_after_1);
        EXPECT_EQ(Game_stat.text_on, 1) << "nothing here stops stepping";
        EXPECT_EQ(Boxes(), row.box.empty() ? std::vector<std::string>{}
                                           : std::vector<std::string>{"Command_call()|" + row.box});
        EXPECT_TRUE(Shows_background());
        Run_frames(1);
        EXPECT_EQ(Text.Text_X, row.text_x_after_2) << "the next character is drawn";
        EXPECT_FALSE(Shows_background());
    }
}

TEST_F(ScriptTest, ClickWaitResumesWhereTheIconStood) {
    void (*const go_on[])() = {[] { Click(); }, [] { Key(KEY_RETURN); }, [] { Key(KEY_SPACE); }};
    for (int input = 0; input < 3; ++input) {
        SCOPED_TRACE(input);
        Fresh();
        Start(SJ_SQUARE "#wait\r\n" SJ_SQUARE);
        Text_click_set(false);
        Run_frames(1);
        Click(); // during stepping: no effect
        EXPECT_EQ(Game_stat.text_on, 1);
        const std::vector<uint32_t> under = Block(40, 20);
        Run_frames(1);
        ASSERT_EQ(Game_stat.wait_on, 1);
        EXPECT_EQ(Game_stat.text_on, 0);
        EXPECT_TRUE(Shows_icon(40, 20));
        EXPECT_EQ(Scratch_cell(), under);

        Mouse(EventType::MouseDown, 2);
        Mouse(EventType::MouseUp, 1);
        Key('a');
        Key(KEY_TAB);
        Run_frames(3);
        EXPECT_EQ(Game_stat.wait_on, 1) << "only a left press, Enter or Space ends the wait";
        EXPECT_EQ(ScriptCursor, 8);

        go_on[input]();
        EXPECT_EQ(Game_stat.wait_on, 0);
        EXPECT_EQ(Game_stat.text_on, 1);
        EXPECT_EQ(Block(40, 20), under) << "the icon is erased";
        Run_frames(2); // the LF, then the character
        EXPECT_EQ(Cursor(), std::pair(60, 20));
        EXPECT_NE(Block(40, 20), under) << "drawn where the icon stood";
    }
}

TEST_F(ScriptTest, WaitIconsBlinkEvery200ms) {
    struct Row {
        const char* name;
        const char* script;
        int32_t GameStat::*waiting;
        int x, y;
    };
    const Row rows[] = {
        {"wait", SJ_SQUARE "#wait\r\n", &GameStat::wait_on, 40, 20},
        {"page end", "#set_text_area 20 20 120 60\r\n" SJ_SQUARE SJ_SQUARE SJ_SQUARE, &GameStat::page_wait_on,
         80, 20},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        Start(row.script);
        for (int i = 0; i < 10 && Game_stat.*row.waiting == 0; ++i)
            Run_frames(1);
        ASSERT_EQ(Game_stat.*row.waiting, 1);
        ASSERT_EQ(Text.Text_X, row.x);
        uint32_t changed_at = Platform_time_ms();
        bool showing = true;
        std::vector<uint32_t> intervals;
        for (int i = 0; i < 60; ++i) {
            Run_frames(1);
            const bool icon = Shows_icon(row.x, row.y);
            const bool hidden = Block(row.x, row.y) == Scratch_cell();
            ASSERT_NE(icon, hidden) << "the block shows either the icon or what was under it";
            if (icon != showing) {
                intervals.push_back(Platform_time_ms() - changed_at);
                changed_at = Platform_time_ms();
                showing = icon;
            }
        }
        ASSERT_GE(intervals.size(), 4u) << "hidden, shown, hidden, shown";
        for (uint32_t ms : intervals) {
            EXPECT_GE(ms, 200u);
            EXPECT_LT(ms, 200u + FRAME_PERIOD_MS);
        }
    }
}

TEST_F(ScriptTest, DelaysStopSteppingForTheirTimeAndNoInputShortensThem) {
    // Zero or negative, however far below the clock: stepping goes on at the next frame.
    for (const char* arg : {"0", "-5", "-1000", "-2147483648"}) {
        SCOPED_TRACE(arg);
        Fresh();
        Start(std::string("#delay ") + arg + "\r\n" SJ_SQUARE);
        Run_frames(1);
        EXPECT_EQ(Game_stat.delay_on, 0);
        EXPECT_EQ(Game_stat.text_on, 1);
        Run_frames(1);
        EXPECT_EQ(Text.Text_X, 40) << "stepping resumes at the next frame";
    }

    Fresh();
    Start("#delay 100\r\n" SJ_SQUARE);
    Run_frames(1);
    const uint32_t began = Platform_time_ms();
    ASSERT_EQ(Game_stat.delay_on, 1);
    EXPECT_EQ(Game_stat.text_on, 0);
    const int32_t cursor = ScriptCursor;
    while (Game_stat.delay_on == 1 && Platform_time_ms() - began < 1000) {
        Click();
        Key(KEY_RETURN);
        Key(KEY_SPACE);
        Run_frames(1);
        if (Game_stat.delay_on == 1) {
            ASSERT_EQ(ScriptCursor, cursor);
        }
    }
    const uint32_t lasted = Platform_time_ms() - began;
    EXPECT_GE(lasted, 100u);
    EXPECT_LT(lasted, 100u + FRAME_PERIOD_MS);
    EXPECT_EQ(Game_stat.text_on, 1);
    Run_frames(1);
    EXPECT_EQ(Text.Text_X, 40);
}

TEST_F(ScriptTest, PageCommandClearsAtOnceInEitherSavePointMode) {
    for (const char* mode : {"AUTO", "MANUAL"}) {
        SCOPED_TRACE(mode);
        Fresh();
        Start(std::string("#save_point_mode ") + mode +
              "\r\n#set_text_area 100 100 300 300\r\n" SJ_SQUARE SJ_SQUARE "#page\r\n" SJ_SQUARE);
        Run_frames(4);
        EXPECT_FALSE(Shows_background());
        Run_frames(1);
        EXPECT_TRUE(Shows_background()) << "the background is back";
        EXPECT_STREQ(BackBuffer.PictureName, BackgroundSurface.PictureName);
        EXPECT_EQ(Cursor(), std::pair(100, 100));
        EXPECT_EQ(Game_stat.text_on, 1) << "no wait";
        Run_frames(1);
        EXPECT_EQ(Text.Text_X, 120) << "the next character goes at the area's top-left";
        EXPECT_FALSE(Shows_background());
        EXPECT_TRUE(Headless_boxes().empty());
    }
}

TEST_F(ScriptTest, PageEndWaitClickClearsThePageAndRightButtonDoesNothing) {
    // Area 100 wide, 40 high: one line of three characters, the icon at (160, 100).
    Start("#set_text_area 100 100 200 140\r\n" SJ_SQUARE SJ_SQUARE SJ_SQUARE SJ_SQUARE);
    Run_frames(4);
    ASSERT_EQ(Game_stat.page_wait_on, 1);
    EXPECT_EQ(Text.Text_X, 160);
    EXPECT_TRUE(Shows_icon(160, 100));

    Mouse(EventType::MouseDown, 2);
    Mouse(EventType::MouseUp, 2);
    Run_frames(2);
    EXPECT_EQ(Game_stat.page_wait_on, 1) << "a right-button release during a page-end wait does nothing";
    EXPECT_EQ(Game_stat.text_on, 0);
    EXPECT_EQ(Game_stat.SystemMenuState, 0);

    Click();
    EXPECT_EQ(Game_stat.page_wait_on, 0);
    EXPECT_EQ(Game_stat.text_on, 1);
    EXPECT_TRUE(Shows_background());
    EXPECT_EQ(Cursor(), std::pair(100, 100));
    Run_frames(1);
    EXPECT_EQ(Text.Text_X, 120) << "the fourth character starts the new page";
}

TEST_F(ScriptTest, LineBreaksWrapsAndTheLastLine) {
    // With the area (20,20)-(620,72) the first line is "last" for a character (>=) but not for `;` (>).
    struct Row {
        const char* name;
        std::string script;
        int frames;
        int x, y;
        int page_wait;
    };
    const std::string area = "#set_text_area 20 20 620 72\r\n";
    const Row rows[] = {
        {"; starts a new line", SJ_SQUARE ";" SJ_SQUARE, 3, 40, 46, 0},
        {"a half-width space moves by one pitch", "a b", 3, 50, 20, 0},
        {"CR and LF never break the line", "a\r\nb", 4, 40, 20, 0},
        {"; on the line before the limit breaks", area + SJ_SQUARE ";" SJ_SQUARE, 4, 40, 46, 0},
        {"; on the last line waits in place", area + SJ_SQUARE ";" SJ_SQUARE ";", 5, 40, 46, 1},
        {"a character treats the same line as the last", area + Repeat(SJ_SQUARE, 28), 29, 580, 20, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        Start(row.script);
        Run_frames(row.frames);
        EXPECT_EQ(Cursor(), std::pair(row.x, row.y));
        EXPECT_EQ(Game_stat.page_wait_on, row.page_wait);
    }
}

TEST_F(ScriptTest, BrokenBlockStopsAsHaltDoesWithoutReadingPastTheScript) {
    Write_startup_pictures();
    Write_file("txt/config.txt", "{a/b\r\n");
    // An older, longer script left closing braces behind the new one: they are not part of it.
    std::fill(ScriptBuffer, ScriptBuffer + 4096, uint8_t('}'));
    System_init();
    Text.Text_WAIT = 0;
    Run_frames(3);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Error|サーチＥＮＤ。{ }の対応が変？かも･･･（謎）"});
    EXPECT_EQ(Game_stat.text_on, 0);
    EXPECT_EQ(Game_stat.halt_on, 1);
    Click();
    EXPECT_EQ(Quit_code(), 0);
}

TEST_F(ScriptTest, TheStoryEndsWithHaltOrItsLastByteAndAClickEndsTheProgram) {
    for (const bool off_the_end : {false, true}) {
        SCOPED_TRACE(off_the_end);
        Fresh();
        Start(off_the_end ? SJ_SQUARE : "#halt\r\n" SJ_SQUARE);
        Run_frames(5);
        EXPECT_EQ(Game_stat.halt_on, 1);
        EXPECT_EQ(Game_stat.text_on, 0);
        EXPECT_EQ(Shows_background(), !off_the_end);
        EXPECT_EQ(Quit_code(), -1);
        PlatformEvent go_on; // a left press, or Space
        go_on.type = off_the_end ? EventType::KeyDown : EventType::MouseDown;
        go_on.button = 1;
        go_on.key = KEY_SPACE;
        Headless_push_event(go_on);
        EXPECT_EQ(Main_loop(), 0);
    }
}

TEST_F(ScriptTest, StoryStateFollowsTheWaitsAndPassingThemNeverEndsAHalt) {
    Start(SJ_SQUARE "#wait\r\n" SJ_SQUARE "#halt\r\n");
    Run_frames(1);
    EXPECT_TRUE(Story_moving());
    EXPECT_FALSE(Story_waits_for_go_on());
    Run_frames(1);
    ASSERT_TRUE(Story_at_click_wait());
    EXPECT_TRUE(Story_waits_for_go_on());
    EXPECT_FALSE(Story_moving());
    EXPECT_FALSE(Story_asks_player());
    Story_pass_go_on_wait();
    EXPECT_FALSE(Story_at_click_wait());
    Run_frames(6);
    ASSERT_TRUE(Story_halted());
    EXPECT_FALSE(Story_waits_for_go_on());
    Story_pass_go_on_wait();
    EXPECT_TRUE(Story_halted());
    EXPECT_EQ(Quit_code(), -1) << "passing a wait is not the click that ends the program";
}

// A click while text types shows the rest of it up to the click wait at once, running the commands
// on the way in order: the page and the save point are the ones typing out gives, and the wait then
// needs a click of its own. Switched off, a click while typing does nothing, as it always did.
TEST_F(ScriptTest, AClickWhileTypingFinishesTheTextUpToTheNextWait) {
    const std::string script = "#save_point_mode MANUAL\r\n" SJ_A "#flag_on 3\r\n" SJ_A "#sp\r\n" +
                               Repeat(SJ_A, 8) + "#w\r\n" SJ_SQUARE "#halt\r\n";
    Start(script, false);
    for (int i = 0; i < 1000 && Game_stat.wait_on != 1; ++i)
        Run_frames(1);
    ASSERT_EQ(Game_stat.wait_on, 1);
    const std::vector<uint32_t> typed = BackBuffer.pixels;
    const int32_t typed_offset = Save_stat.Script_offset;

    Fresh();
    Start(script, false);
    Run_frames(4);
    ASSERT_EQ(Game_stat.text_on, 1);
    Click();
    EXPECT_EQ(Game_stat.wait_on, 1);
    EXPECT_EQ(Game_stat.Flags[3], 1);
    EXPECT_EQ(Save_stat.Script_offset, typed_offset);
    EXPECT_EQ(BackBuffer.pixels, typed);
    Run_frames(20);
    EXPECT_EQ(Game_stat.wait_on, 1) << "the click that finished the text passed the wait too";
    Click();
    EXPECT_EQ(Game_stat.wait_on, 0);

    // A delay is a stop too: it then runs its own time.
    Fresh();
    Start(SJ_A SJ_A "#delay 500\r\n" SJ_A "#w\r\n#halt\r\n", false);
    Run_frames(1);
    Click();
    EXPECT_EQ(Game_stat.delay_on, 1);
    Run_frames(20);
    EXPECT_EQ(Game_stat.delay_on, 1);
    Run_frames(20);
    EXPECT_EQ(Game_stat.delay_on, 0);

    Fresh();
    Start(script, false);
    Text_click_set(false);
    Run_frames(4);
    const auto cursor = Cursor();
    Click();
    Key(KEY_SPACE);
    EXPECT_EQ(Cursor(), cursor);
    EXPECT_EQ(Game_stat.text_on, 1);
}

// Enter that finishes the text up to a key wait, still held in the next frames, is not its answer.
TEST_F(ScriptTest, TheKeyThatFinishedTheTextDoesNotPassTheKeyWaitItStoppedAt) {
    Start(SJ_A SJ_A SJ_A "#wk\r\n#halt\r\n", false);
    Run_frames(2);
    Headless_set_key(KEY_RETURN, true);
    Key(KEY_RETURN);
    ASSERT_EQ(Game_stat.wait_kbhit_on, 1);
    Run_frames(3);
    EXPECT_EQ(Game_stat.wait_kbhit_on, 1);
    Headless_set_key(KEY_RETURN, false);
    Run_frames(1);
    Headless_set_key(KEY_RETURN, true);
    Run_frames(1);
    EXPECT_EQ(Game_stat.wait_kbhit_on, 0);
}

// The player's text speed scales the author's wait between characters; instant shows the text up
// to the wait in one frame.
TEST_F(ScriptTest, TheTextSpeedScalesTheWaitBetweenCharacters) {
    const std::string script = "#set_text_wait 64\r\n" + Repeat(SJ_A, 120) + "#w\r\n#halt\r\n";
    for (const auto& [percent, drawn] : {std::pair{100, 10}, {50, 20}, {200, 5}, {25, 40}}) {
        Fresh();
        Start(script, false);
        Text_speed_set(percent);
        Run_frames(30); // past the command, into the text
        const uint64_t before = Backlog_chars_drawn();
        Run_frames(40); // 640 ms
        EXPECT_NEAR(double(Backlog_chars_drawn() - before), drawn, 1.0) << percent << "%";
    }
    Fresh();
    Start(script, false);
    Text_speed_set(TEXT_SPEED_INSTANT);
    Run_frames(1);
    EXPECT_EQ(Game_stat.wait_on, 1);
    EXPECT_EQ(Backlog_chars_drawn(), 120u);
}
