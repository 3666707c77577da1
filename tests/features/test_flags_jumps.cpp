// Flags, if_flag blocks, the label search and the two jumps.
#include <numeric>
#include <string>

#include "core/path.h"
#include "features/jump.h"
#include "features/story_fixture.h"

namespace {

int Flag_count() {
    return std::accumulate(std::begin(Game_stat.Flags), std::end(Game_stat.Flags), 0);
}

// Runs the first script to its halt (or the end of the program).
class FlagTest : public StoryTest {
  protected:
    void Play(const std::string& script) {
        Start(script);
        ASSERT_TRUE(Run_to_halt());
    }
};

// An if_flag block whose first part holds a nested block of its own, with a flag set by each part.
const char* const NESTED_IF = "#if_flag 3 {\r\n"
                              "#flag_on 10\r\n"
                              "#if_flag 4 {\r\n"
                              "#flag_on 11\r\n"
                              "/\r\n"
                              "#flag_on 12\r\n"
                              "}\r\n"
                              "/\r\n"
                              "#flag_on 13\r\n"
                              "}\r\n"
                              "#flag_on 14\r\n"
                              "#halt\r\n";

} // namespace

TEST_F(FlagTest, FlagNumbersAtTheEdgesFlagOffAndDispFlagStates) {
    Start("#flag_on 255\r\n#flag_on 256\r\n#flag_off 300\r\n#flag_on -1\r\n#disp_flag 7\r\n#flag_on 7\r\n"
          "#disp_flag 7\r\n#flag_off 7\r\n#disp_flag 7\r\n#disp_flag 8\r\n#disp_flag 256\r\n#halt\r\n");
    Game_stat.Flags[8] = 2; // as a damaged save file could bring it
    ASSERT_TRUE(Run_to_halt());
    EXPECT_EQ(Game_stat.Flags[255], 1);
    EXPECT_EQ(Flag_count(), 1 + 2) << "only flag 255 and the damaged 8 are set: no other flag changed";
    EXPECT_EQ(Boxes(), (std::vector<std::string>{
                           "Com_flag_on|フラグ番号 256 は無効です", "Com_flag_on|フラグ番号 300 は無効です",
                           "Com_flag_on|フラグ番号 -1 は無効です", "Com_disp_flag()|Flag 7 = OFF",
                           "Com_disp_flag()|Flag 7 = ON ", "Com_disp_flag()|Flag 7 = OFF",
                           "Com_disp_flag()|Flag 8 = UNKNOWN", "Com_flag_on|フラグ番号 256 は無効です"}));
}

TEST_F(FlagTest, IfFlagTakesOnePartAndPassesTheOtherWithItsNestedBlock) {
    Play(NESTED_IF);
    EXPECT_EQ(Flag_count(), 2);
    EXPECT_EQ(Game_stat.Flags[13] + Game_stat.Flags[14], 2);

    Fresh();
    Play(std::string("#flag_on 3\r\n") + NESTED_IF);
    EXPECT_EQ(Flag_count(), 4);
    EXPECT_EQ(Game_stat.Flags[3] + Game_stat.Flags[10] + Game_stat.Flags[14], 3);
    EXPECT_EQ(Game_stat.Flags[12], 1) << "the nested block took its own second part";
}

TEST_F(FlagTest, IfFlagWithABadNumberSaysSoAndTakesTheSecondPart) {
    Play("#if_flag 999 {\r\n#flag_on 1\r\n/\r\n#flag_on 2\r\n}\r\n#halt\r\n");
    EXPECT_EQ(Game_stat.Flags[1], 0);
    EXPECT_EQ(Game_stat.Flags[2], 1);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Com_flag_on|フラグ番号 999 は無効です"});
}

TEST_F(FlagTest, IfFlagWithoutABraceStopsAtTheEndOfTheScript) {
    Play("#if_flag 1\r\nno brace here");
    EXPECT_EQ(Game_stat.halt_on, 1);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Error|サーチＥＮＤ。{ }の対応が変？かも･･･（謎）"});
}

TEST_F(FlagTest, LabelLinesFirstMatchIndentedAndMidLine) {
    Play("#jump *target:\r\n"
         "#flag_on 1\r\n"
         "text before *target:\r\n" // mid-line: never a label
         "#flag_on 2\r\n"
         " \t*target:\r\n" // indented: the first real label
         "#flag_on 3\r\n"
         "#halt\r\n"
         "*target:\r\n" // the same word again: never reached
         "#flag_on 4\r\n"
         "#halt\r\n");
    EXPECT_EQ(Flag_count(), 1);
    EXPECT_EQ(Game_stat.Flags[3], 1);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FlagTest, LabelWordsAreCutAt32Bytes) {
    const std::string name30(30, 'n'), name31(31, 'n');
    Write_startup_pictures();
    Write_file("txt/config.txt", "*" + name30 + ":\r\n*" + name31 + ":\r\n*a:b\r\n*c\tx\r\n");
    System_init();
    const int32_t second = 32 + 2;
    EXPECT_EQ(Label_search(("*" + name30 + ":").c_str()), 32) << "a 30-byte name is the longest reachable";
    EXPECT_EQ(Label_search(("*" + name31 + ":").c_str()), -1) << "a 33-byte argument never matches";
    EXPECT_EQ(Label_search(("*" + name31).c_str()), second + 32)
        << "the 33-byte word compares as its first 32";
    EXPECT_EQ(Label_search("*a:b"), second + 35 + 4) << "the word runs to a blank, colon or not";
    EXPECT_EQ(Label_search("*a:"), -1);
    EXPECT_EQ(Label_search("*c"), second + 35 + 6 + 2) << "a tab ends the word";
    EXPECT_EQ(Label_search(""), -1);
}

TEST_F(FlagTest, JumpToNothingEndsTheProgramWithItsBox) {
    Play("#jump\r\n#flag_on 1\r\n#halt\r\n");
    ASSERT_EQ(Quit_code(), 1) << "a script error ends with 1";
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Com_jump()|ラベル [] が見つかりません。強制終了の刑♪"});
    Run_frames(20);
    EXPECT_EQ(Game_stat.Flags[1], 0) << "nothing of the script runs after the box";
}

TEST_F(FlagTest, FileChangeWithEitherSeparatorKeepsFlags) {
    Write_file("txt/scene2.txt", "#flag_on 99\r\n*top:\r\n#flag_on 5\r\n#file_change scene3.txt,*end:\r\n");
    Write_file("txt/scene3.txt", "*end:\r\n#flag_on 6\r\n#halt\r\n");
    Play("#flag_on 4\r\n#file_change scene2.txt *top:\r\n#flag_on 98\r\n");
    EXPECT_EQ(Flag_count(), 3);
    EXPECT_EQ(Game_stat.Flags[4] + Game_stat.Flags[5] + Game_stat.Flags[6], 3);
    EXPECT_STREQ(ScriptFileName, ".\\txt\\scene3.txt");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FlagTest, FileChangeToAMissingFileSaysSoAndSearchesTheScriptInMemory) {
    Play("#file_change nothing.txt *here:\r\n#halt\r\n*here:\r\n#flag_on 7\r\n#halt\r\n");
    EXPECT_EQ(Game_stat.Flags[7], 1);
    EXPECT_STREQ(ScriptFileName, ".\\txt\\config.txt") << "the name stays that of the script in memory";
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{
                  "Com_file_change()|台本【 .\\txt\\nothing.txt 】が見つからないか、読み込めません。"});
}

TEST_F(FlagTest, LabelsLeftOverFromALongerScriptAreNotFound) {
    Write_file("txt/short.txt", "*start:\r\n#jump *tail:\r\n");
    Play("#file_change short.txt *start:\r\n" + std::string(200, ';') + "\r\n*tail:\r\n#halt\r\n");
    ASSERT_NE(std::string(reinterpret_cast<const char*>(ScriptBuffer), 300).find("*tail:"), std::string::npos)
        << "the longer script's tail is still in the buffer";
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"Com_jump()|ラベル [*tail:] が見つかりません。強制終了の刑♪"});
}

TEST_F(FlagTest, NamesThatLeaveTheGameFolderAreRefusedWithABox) {
    const struct {
        const char* path;
        bool inside;
    } paths[] = {
        {".\\gdat\\a.bmp", true},
        {".\\gdat\\..\\gdat\\a.bmp", true},
        {".\\gdat\\..\\..\\x.bmp", false},
        {"..\\etc\\passwd", false},
        {"\\etc\\passwd", false},
        {"/etc/passwd", false},
        {".\\txt\\a/../../../b.txt", false},
        {"a\\.\\.\\b", true},
    };
    for (const auto& p : paths)
        EXPECT_EQ(Path_stays_inside(p.path), p.inside) << p.path;

    Write_bmp("gdat/ok.bmp", 8, 8, [](int, int) { return 0x112233u; });
    Play("#g_load BG ..\\gdat\\ok.bmp\r\n#g_load BG ..\\..\\x.bmp\r\n#play_wav 0 ..\\..\\x.wav\r\n"
         "#play_midi ..\\..\\x.mid\r\n#file_change ..\\..\\outside.txt *x:\r\n");
    const std::vector<std::string> boxes = Boxes();
    ASSERT_GE(boxes.size(), 4u);
    EXPECT_EQ(Surface_get(&BackgroundSurface, 0, 0), 0x112233u) << "a name that stays inside works";
    EXPECT_EQ(boxes[0], "PXL_LoadJpeg()|ファイル【 .\\gdat\\..\\..\\x.bmp "
                        "】はゲームのフォルダの外を指しているので、開きません。");
    EXPECT_EQ(boxes[1].substr(0, 15), "Com_play_wav()|");
    EXPECT_NE(boxes[2].find("Com_play_midi()|MIDIファイル .\\MIDI\\..\\..\\x.mid が開けません"),
              std::string::npos);
    EXPECT_NE(boxes[2].find("ゲームのフォルダの外"), std::string::npos);
    EXPECT_EQ(boxes[3], "Com_file_change()|ファイル【 .\\txt\\..\\..\\outside.txt "
                        "】はゲームのフォルダの外を指しているので、開きません。");
}
