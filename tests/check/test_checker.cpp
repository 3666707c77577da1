// The script checker on small games: each kind of mistake reported at its exact place, and correct
// scripts (the demo, every command used well) clean.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/command_words.h"
#include "check/game_check.h"
#include "check/nearest_word.h"
#include "check/source_convert.h"
#include "core/word_list.h"
#include "script/script_file.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

class CheckerTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        Command_table_set(CommandWords, COMMAND_WORD_COUNT);
    }
    // Runs the checker on the game folder; the lines it prints, and its exit code in *code.
    static std::vector<std::string> Run(int* code = nullptr, bool strict = false,
                                        const std::vector<SourceScript>* sources = nullptr) {
        FILE* out = std::tmpfile();
        const int c = Check_game(out, strict, sources);
        if (code) *code = c;
        std::rewind(out);
        std::vector<std::string> lines;
        char line[1024];
        while (std::fgets(line, sizeof line, out)) {
            lines.emplace_back(line);
            lines.back().pop_back();
        }
        std::fclose(out);
        return lines;
    }
    // The demo's pictures, sounds and music in the game folder.
    void Copy_demo_media() {
        for (const char* folder : {"gdat", "wav", "MIDI"})
            fs::copy(std::string(KOTOYUMI_DEMO_DIR) + "/" + folder, folder, fs::copy_options::recursive);
    }
};

TEST_F(CheckerTest, EachMistakeIsReportedAtItsPlace) {
    Copy_demo_media();
    struct Case {
        const char* script;
        const char* finding; // the first finding about the script
    };
    const Case cases[] = {
        {"\r\n  #g_laod BG a.jpg\r\n",
         "txt/config.txt:2:3: error: unknown command #g_laod (did you mean #g_load?)"},
        {"\\STR1\r\n", "txt/config.txt:1:1: error: unknown escape \\STR1 (did you mean \\STR?)"},
        {"#flag_on 256\r\n", "txt/config.txt:1:10: error: #flag_on: flag number 256 is outside 0-255"},
        {"#delay 1a0\r\n", "txt/config.txt:1:8: error: #delay: \"1a0\" is not a decimal number"},
        {"#delay\r\n\x82\xa0\r\n",
         "txt/config.txt:1:7: error: #delay needs a number on its own line; the next "
         "line's \"あ\" is read as one"},
        {"#set_text_wait 5001\r\n",
         "txt/config.txt:1:16: error: #set_text_wait: wait 5001 is outside 0-5000"},
        {"#set_text_color 0 0 0 0 0 -1\r\n",
         "txt/config.txt:1:27: error: #set_text_color: colour value -1 is outside 0-255"},
        {"#set_text_area 0 0 641 480\r\n",
         "txt/config.txt:1:16: error: #set_text_area: the area must lie inside the 640x480 window"},
        {"#set_str \\STR 16 \"a\"\r\n",
         "txt/config.txt:1:10: error: #set_str: string variable 16 is outside 0-15"},
        {"#set_str \\STR 1 a\r\n",
         "txt/config.txt:1:17: error: #set_str: the text must stand in double quotes (\"...\")"},
        {"#set_window_text \"abc",
         "txt/config.txt:1:18: error: #set_window_text: the quoted text never closes"},
        {"#g_change WIPE\r\n", "txt/config.txt:1:11: error: #g_change: transition \"WIPE\" is not one of "
                               "CURTAIN SPREAD STRETCH_X STRETCH_Y"},
        {"#g_copy BS 0 0 XX 0 0 1 1\r\n",
         "txt/config.txt:1:9: error: #g_copy: surface \"XX\" is not one of BS BK BG PT"},
        {"#system_menu_flag on\r\n",
         "txt/config.txt:1:19: error: #system_menu_flag: switch \"on\" is not one of ON OFF"},
        {"#shot_timer TIMER_0\r\n",
         "txt/config.txt:1:13: error: #shot_timer: timer \"TIMER_0\" is not one of TIMER_1 TIMER_2 TIMER_3"},
        {"#jump *en:\r\n*end:\r\n",
         "txt/config.txt:1:7: error: label *en: is not in txt/config.txt (did you mean "
         "*end:?); the program ends there"},
        {"#jump *abcdefghijklmnopqrstuvwxyz012345:\r\n",
         "txt/config.txt:1:7: error: #jump: label *abcdefghijklmnopqrstuvwxyz012345: is 34 bytes; the search "
         "compares "
         "at most 32, so no label can match it"},
        {"#file_change two.txt *a:\r\n",
         "txt/config.txt:1:14: error: #file_change: script .\\txt\\two.txt is not there"},
        {"#if_flag 1 {\r\na\r\n}\r\n",
         "txt/config.txt:1:12: error: #if_flag: the block needs 1 / before its }, found 0"},
        {"#if_flag 1\r\na\r\n", "txt/config.txt:1:11: error: #if_flag: no { follows"},
        {"#g_change,SPREAD\r\n",
         "txt/config.txt:1:1: error: unknown command #g_change,SPREAD: a command word "
         "ends at a space or line end: write #g_change SPREAD"},
        {"{\r\n", "txt/config.txt:1:1: error: this block never closes (no matching })"},
        {"a}\r\n", "txt/config.txt:1:2: error: } without a block to close"},
        {"#g_load BG a.png\r\n", "txt/config.txt:1:12: error: #g_load: picture .\\gdat\\a.png must end in "
                                 ".bmp, .BMP, .jpg or .JPG (exactly)"},
        {"#g_load BG a.jpg\r\n", "txt/config.txt:1:12: error: #g_load: picture .\\gdat\\a.jpg is not there "
                                 "(names are matched without regard "
                                 "to case)"},
        {"#play_midi a.mid\r\n", "txt/config.txt:1:12: error: #play_midi: music .\\MIDI\\a.mid is not there "
                                 "(names are matched without regard "
                                 "to case)"},
        {"\x81\x7f\r\n", "txt/config.txt:1:1: error: bytes that are not Shift-JIS"},
        {"a\xb1\r\n",
         "txt/config.txt:1:2: error: a half-width katakana is stepped as the first byte of a two-byte "
         "character: it cannot be shown and takes the byte after it along"},
        {"#delay 1\r\n\x82\xa0"
         "a\x82\xa0/\r\n}\r\n", // columns count characters
         "txt/config.txt:2:4: warning: a / outside a block skips the story up to the next }"},
        // Warnings.
        {"a/b\r\n}\r\n", "txt/config.txt:1:2: warning: a / outside a block skips the story up to the next }"},
        {"5*3=15: \x82\xa0\r\n",
         "txt/config.txt:1:2: warning: a * in story text with a : within 32 bytes is taken as "
         "a label: the text up to the : and one byte more is not shown"},
        {"#set_str \\STR 0 \"a\r\nb\"\r\n",
         "txt/config.txt:1:17: warning: #set_str: the closing \" is not on this "
         "line; the text runs on and swallows the lines that follow"},
        {"*abcdefghijklmnopqrstuvwxyz01234:\r\n",
         "txt/config.txt:1:1: warning: label *abcdefghijklmnopqrstuvwxyz01234: has a 31-byte name: it is "
         "passed over, "
         "but no jump can reach it (the search compares at most 32 bytes)"},
        {"#set_str \\STR 0 \"#w\"\r\n",
         "txt/config.txt:1:17: warning: #set_str: the text ends in a command, which "
         "reads the variable's end marker (\\EOS) as part of it"},
        {"#set_font_size 500\r\n",
         "txt/config.txt:1:16: warning: #set_font_size: size 500 does not fit the text area"},
        {"*a:\r\n*a:\r\n",
         "txt/config.txt:2:1: warning: label *a: is defined twice; jumps go to the first, on line 1"},
        {"#halt\r\n*a:\r\n", "txt/config.txt:2:1: warning: label *a: is never reached: no jump names it, and "
                             "stepping stops before it"},
        {"\\STR 3\r\n",
         "txt/config.txt:1:6: warning: \\STR 3 shows a variable that no #set_str or #text_input sets"},
        {"#set_str \\STR 0 \"a\"\r\n\\STR 0,\r\n",
         "txt/config.txt:2:7: warning: \\STR: the , right after the "
         "number ends it and is not shown (put a space before it to "
         "show it)"},
        {"#g_load BG system\\Parts.bmp\r\n",
         "txt/config.txt:1:12: warning: #g_load: picture .\\gdat\\system\\Parts.bmp is 75x25, smaller than "
         "the 640x480 background: the picture before it still shows around it"},
        {"#play_midi a.mid\r\n#play_mp3 b.mp3\r\n", "txt/config.txt:2:11: warning: #play_mp3: music may "
                                                    "already be playing here; the engine refuses to start "
                                                    "another until it is stopped"},
    };
    // Correct scripts that a careless walk would flag: nothing is reported about them.
    const Case clean[] = {
        {"#if_flag 1 {\r\n#play_midi town.mid\r\n/\r\n#play_mp3 lake.mp3\r\n}\r\n", nullptr},
        {"#if_flag 1 {\r\n#jump *a:\r\n/\r\n}\r\n*b:\r\n#jump *b:\r\n*a:\r\n", nullptr},
        {"## #g_laod 1a / } \x81\x7f\r\n\\EOS\r\n#set_str \\STR 0 \"a;\"\r\n\\STR 0\r\n", nullptr},
        {"#set_text_area 0 0 640 480\r\n#set_font_size 100\r\n\x82\xa0{a}\r\n", nullptr},
        {"#g_load BG system\\Parts.bmp\r\n#g_copy BS 0 0 BG 0 0 75 25\r\n", nullptr}, // staged to be copied
        {" \t*a:\r\n*abcdefghijklmnopqrstuvwxyz0123456:\r\n#jump *a:\r\n#jump "
         "*abcdefghijklmnopqrstuvwxyz01234\r\n",
         nullptr},
    };
    for (const Case& c : cases) {
        Write_file("txt/config.txt", c.script);
        std::vector<std::string> script_lines;
        for (const std::string& line : Run())
            if (line.rfind("txt/", 0) == 0) script_lines.push_back(line);
        const std::string first = script_lines.empty() ? "(nothing)" : script_lines.front();
        EXPECT_TRUE(first == c.finding || (script_lines.size() > 1 && script_lines[1] == c.finding))
            << c.script << "\n"
            << first;
    }
    for (const Case& c : clean) {
        Write_file("txt/config.txt", c.script);
        for (const std::string& line : Run())
            EXPECT_NE(line.rfind("txt/", 0), 0u) << c.script << "\n" << line;
    }
}

// Mistakes that a careless checker reports many times over, or not at all: each gets one finding.
TEST_F(CheckerTest, EachMistakeIsReportedOnce) {
    Copy_demo_media();
    const std::string lf = "the line ends in LF without CR: the engine needs CR LF line ends (convert the "
                           "script with: sed -i 's/\\r*$/\\r/' txt/config.txt)";
    const std::string utf8 =
        "the script is UTF-8: the engine reads Shift-JIS (CP932) with CR LF line ends "
        "(convert it with: iconv -f UTF-8 -t CP932 txt/config.txt | sed 's/\\r*$/\\r/' > "
        "converted.txt && mv converted.txt txt/config.txt)";
    struct Case {
        std::string script, finding;
    };
    const Case cases[] = {
        {"#flag_on 1\n#halt\n", "txt/config.txt:1:11: error: " + lf},
        {"#flag_on 1\r\n#w\n#halt\r\n", "txt/config.txt:2:3: error: " + lf},
        {"#flag_on 1\r\n\xe3\x81\x82\xef\xbd\xb1\xe3\x81\x84\r\n#halt\r\n",
         "txt/config.txt:2:1: error: " + utf8},
        {"#if_flag 1 {\r\na\r\n/\r\n", "txt/config.txt:1:12: error: #if_flag: the block never closes (no "
                                       "matching })"},
        {"#select3 {\r\na\r\nb\r\nc\r\n/\r\n/\r\n",
         "txt/config.txt:1:10: error: #select3: the block never closes (no matching })"},
        {"#shot_timer TIMER_1\r\n#if_timer TIMER_1 < 100  {\r\nx\r\n/\r\n}\r\n",
         "txt/config.txt:2:26: error: #if_timer takes no {: its first part starts on the next line and ends "
         "at a /, the second ends at a }"},
        {"#if_flag 1 {\r\n" + std::string(70000, ';') + "\r\n/\r\n}\r\n",
         "txt/config.txt:1:12: error: #if_flag: the block's } is more than 65535 bytes away; the engine's "
         "search for it gives up"},
    };
    for (const Case& c : cases) {
        Write_file("txt/config.txt", c.script);
        std::vector<std::string> lines = Run();
        lines.pop_back();
        EXPECT_EQ(lines, std::vector<std::string>{c.finding}) << c.script;
    }
    // The engine says the same on standard error when it reads such a script.
    for (const char* script : {"#halt\n", "\xe3\x81\x82\r\n"}) {
        Write_file("txt/config.txt", script);
        testing::internal::CaptureStderr();
        Script_read(".\\txt\\config.txt");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said, "kotoyumi: txt/config.txt" +
                            std::string(script[1] == 'h' ? ":1: " + lf : ": " + utf8) + "\n");
    }
}

TEST_F(CheckerTest, FileChangesAreFollowedAndEveryScriptAndPictureIsRead) {
    Copy_demo_media();
    Write_file("gdat/bad.bmp", "BM not a picture");
    Write_file("MIDI/bad.mid", "RIFF");
    fs::copy_file("gdat/system/Parts.bmp", "gdat/system/menu_window_main.bmp",
                  fs::copy_options::overwrite_existing);
    Write_file("txt/config.txt", "#file_change Two.TXT *two:\r\n*back:\r\n#halt\r\n");
    Write_file("txt/two.txt",
               "*two:\r\n#g_load BG bad.bmp\r\n#play_midi bad.mid\r\n#file_change config.txt *bak:\r\n");
    Write_file("txt/three.txt", "#wiat\r\n");
    Write_file("txt/big.txt", std::string(1048577, ';'));
    const std::vector<std::string> expected = {
        "gdat/system/menu_window_main.bmp:1:1: error: picture .\\gdat\\system\\menu_window_main.bmp is "
        "75x25; its "
        "menu window needs at least 200x120",
        "txt/config.txt:2:1: warning: label *back: is never reached: no jump names it, and stepping stops "
        "before it",
        "txt/two.txt:2:12: error: #g_load: picture .\\gdat\\bad.bmp cannot be decoded as a picture (file too "
        "short for a BMP)",
        "txt/two.txt:3:12: error: #play_midi: music .\\MIDI\\bad.mid is not a MIDI file (it does not start "
        "with MThd)",
        "txt/two.txt:4:25: error: label *bak: is not in txt/config.txt (did you mean *back:?); the program "
        "ends there",
        "txt/big.txt:1:1: error: the script is larger than 1 MiB (1048576 bytes), the most the engine reads",
        "txt/three.txt:1:1: error: unknown command #wiat (did you mean #wait?)",
    };
    std::vector<std::string> lines = Run();
    lines.pop_back();
    EXPECT_EQ(lines, expected);
}

// The command and the checker read the same list: a word is in it whole or not at all.
TEST(WordList, WholeWordsOnlyAtTheirPosition) {
    EXPECT_EQ(Word_position("X|Y|XY", "X"), 0);
    EXPECT_EQ(Word_position("X|Y|XY", "XY"), 2);
    EXPECT_EQ(Word_position("X|Y|XY", "YX"), -1);
    EXPECT_EQ(Word_position("CURTAIN|SPREAD|STRETCH_X", "SPREA"), -1);
    EXPECT_EQ(Word_position("CURTAIN|SPREAD|STRETCH_X", "STRETCH_X|"), -1);
    EXPECT_EQ(Word_position("ON|OFF", ""), -1);
    EXPECT_EQ(Word_position("<|=|>", ">"), 2);
}

TEST(NearestWord, OnlyWordsCloseEnoughToBeMeant) {
    const WordIndex known = Word_index({"g_load", "g_copy", "wait", "w", "wk", "set_str"});
    EXPECT_EQ(Nearest_word("g_laod", known), "g_load"); // two neighbours swapped: one edit
    EXPECT_EQ(Nearest_word("g_lod", known), "g_load");
    EXPECT_EQ(Nearest_word("set_sttr", known), "set_str");
    EXPECT_EQ(Nearest_word("wiat", known), "wait");
    EXPECT_EQ(Nearest_word("x", known), "w");
    EXPECT_EQ(Nearest_word("wxyz", known), "");    // short words allow one edit only
    EXPECT_EQ(Nearest_word("flag_on", known), ""); // nothing near
    EXPECT_EQ(Nearest_word("", known), "");
    // Among many words, one two edits away is still found while either end of it is intact.
    std::vector<std::string> many;
    for (int i = 0; i < 50000; ++i)
        many.push_back("*scene" + std::to_string(i) + ":");
    const WordIndex index = Word_index(many);
    EXPECT_EQ(Nearest_word("*sceen123:", index), "*scene123:");
    EXPECT_EQ(Nearest_word("*scene4321", index), "*scene4321:");
    EXPECT_EQ(Nearest_word("*snee12345:", index), "*scene12345:");
}

TEST_F(CheckerTest, ExitCodesFollowErrorsAndStrictness) {
    Copy_demo_media();
    int code = -1;
    Write_file("txt/config.txt", "#halt\r\n");
    EXPECT_EQ(Run(&code).back(), "1 script, 1 line, 0 story characters, 1 command, 0 labels, 7 pictures, 0 "
                                 "sounds: 0 errors, 0 warnings");
    EXPECT_EQ(code, 0);
    Write_file("txt/config.txt", "a/\r\n}\r\n#halt\r\n");
    Run(&code);
    EXPECT_EQ(code, 0);
    Run(&code, true);
    EXPECT_EQ(code, 1);
    Write_file("txt/config.txt", "#wiat\r\n");
    Run(&code);
    EXPECT_EQ(code, 1);
}

TEST_F(CheckerTest, ScriptsUsingEveryCommandWellAreClean) {
    Copy_demo_media();
    Write_file("gdat/black.bmp", "");
    fs::copy_file("gdat/system/Back00.bmp", "gdat/black.bmp", fs::copy_options::overwrite_existing);
    const std::string wav = fs::directory_iterator("wav")->path().filename().string();
    const std::string mid = fs::directory_iterator("MIDI")->path().filename().string();
    Write_file(
        "txt/config.txt",
        "## every command\r\n#set_font_size 20\r\n#set_text_area 20 20 620 460\r\n#set_text_wait 0\r\n"
        "#set_text_color 255 255 255 0 0 0\r\n#save_point_mode MANUAL\r\n#disp_save_point_mode\r\n"
        "#save_point\r\n#sp\r\n#set_window_text \"t\"\r\n#set_str \\STR 0 \"name\"\r\n"
        "#text_input \\STR 1 \"you\"\r\n\\STR 0 \\STR 1\r\n;\r\n#g_load BG system\\Back00.bmp\r\n"
        "#g_copy BS 0 0 BG 0 0 10 10\r\n#alpha_copy BK 0 0 PT 0 0 10 10 50\r\n#g_change SPREAD\r\n"
        "#shake XY\r\n#fade_out\r\n#fade_in\r\n#play_wav 1 " +
            wav + "\r\n#stop_wav\r\n#play_midi " + mid +
            "\r\n#stop_midi\r\n#stop_mp3\r\n#flag_on 1\r\n#flag_off 1\r\n#disp_flag 1\r\n"
            "#if_flag 1 {\r\na\r\n/\r\nb\r\n}\r\n#select3 "
            "{\r\none\r\ntwo\r\nthree\r\n/\r\n1\r\n/\r\n2\r\n/\r\n3\r\n}"
            "\r\n#shot_timer TIMER_1\r\n#disp_timer ON\r\n#disp_timer_single 0 0 TIMER_1\r\n"
            "#timer_wait TIMER_1 to 10\r\n#if_timer TIMER_1 < 100\r\nx\r\n/\r\n}\r\n#stop_timer TIMER_1\r\n"
            "#clear_timer TIMER_1\r\n#wait_kbhit\r\n#wk\r\n#delay 10\r\n#wait\r\n#w\r\n#page\r\n"
            "#system_menu_flag OFF\r\n#start_menu 100 100\r\n#jump *next:\r\n*next:\r\n"
            "#file_change two.txt *two:\r\n");
    Write_file("txt/two.txt", "*two:\r\n#halt\r\n");
    int code = -1;
    const std::vector<std::string> lines = Run(&code);
    EXPECT_EQ(lines.size(), 1u) << lines.front();
    EXPECT_EQ(code, 0);
}

// A UTF-8 source becomes the engine's form line for line and character for character; every
// character without a Shift-JIS form is reported, each at its own line and column.
TEST(SourceConvert, LinesAndCharactersKeepTheirPlaces) {
    std::string sjis;
    std::vector<SourceProblem> problems;
    ASSERT_TRUE(Source_convert_text("\xEF\xBB\xBF雪\r\n\n\tｱ\rb", &sjis, &problems));
    EXPECT_EQ(sjis, "\x90\xe1\r\n\r\n\t\xb1\rb"); // a CR alone stays a byte of its line
    EXPECT_TRUE(problems.empty());
    EXPECT_FALSE(
        Source_convert_text("ok\n\xE2\x82\xAC 雪 \xF0\x9F\x98\x80\nx\xFFy\xEF\xBF\xBD", &sjis, &problems));
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].line * 100 + problems[0].column, 201); // €
    EXPECT_EQ(problems[1].line * 100 + problems[1].column, 205); // the emoji, after "€ 雪 "
    EXPECT_EQ(problems[2].line * 100 + problems[2].column, 302);
    EXPECT_EQ(problems[2].what, "bytes that are not UTF-8");
    EXPECT_EQ(problems[3].what, "U+FFFD (\xEF\xBF\xBD) has no Shift-JIS (CP932) form");
}

// With sources, the checker reads them in place of txt/ (labels looked up in them too) and names
// them; a script with no source is read from txt/ as before.
TEST_F(CheckerTest, SourcesStandInForTheGamesScripts) {
    Copy_demo_media();
    Write_file("txt/config.txt", "#halt\r\n");
    Write_file("txt/extra.txt", "#flag_on 300\r\n");
    std::vector<SourceScript> sources{{"src/config.txt", "config.txt", ""},
                                      {"src/part/two.txt", "part/two.txt", ""}};
    std::vector<SourceProblem> problems;
    ASSERT_TRUE(
        Source_convert_text("## 雪\n#file_change part\\two.txt *tow:\n", &sources[0].sjis, &problems));
    ASSERT_TRUE(Source_convert_text("*two:\n「寒」#flag_on x\n#halt\n", &sources[1].sjis, &problems));
    const std::vector<std::string> lines = Run(nullptr, false, &sources);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "src/config.txt:2:27: error: label *tow: is not in src/part/two.txt (did you mean *two:?); "
              "the program ends there");
    EXPECT_EQ(lines[1], "src/part/two.txt:2:13: error: #flag_on: \"x\" is not a decimal number");
    EXPECT_EQ(lines[2], "txt/extra.txt:1:10: error: #flag_on: flag number 300 is outside 0-255");
    // Without them, the game's own txt/config.txt is what is checked.
    EXPECT_EQ(Run().size(), 2u);
}

} // namespace
