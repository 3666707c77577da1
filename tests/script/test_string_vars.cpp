// String variables shown through \STR and \EOS, what set_str stores, what text_input refuses, and
// the window title of set_window_text. What a variable shows is read from the text cursor: every
// character drawn moves Text_X on by its width.
#include <cstring>
#include <string>

#include "features/story_fixture.h"

namespace {

class StringVarTest : public StoryTest {
  protected:
    void Play(const std::string& script) {
        Start(script);
        ASSERT_TRUE(Run_to_halt());
        EXPECT_EQ(ScriptSource.base, ScriptBuffer) << "back in the script";
    }
    // The bytes of variable n up to its terminator.
    static std::string Var(int n) {
        return std::string(Game_stat.StringVars[n], strnlen(Game_stat.StringVars[n], 256));
    }
    static bool Tail_is_zero(int n) {
        const size_t used = Var(n).size();
        for (size_t i = used; i < 256; ++i)
            if (Game_stat.StringVars[n][i] != 0) return false;
        return true;
    }
    // The log lines (without their times) that begin with `word`.
    static std::vector<std::string> Lines_with(const std::string& word) {
        std::vector<std::string> out;
        for (const std::string& line : Headless_log_lines()) {
            const std::string rest = line.substr(line.find(' ') + 1);
            if (rest.rfind(word + " ", 0) == 0) out.push_back(rest);
        }
        return out;
    }
};

const char* const RANGE_16 = "変数番号に 16 が指定されましたが有効範囲を超えています。\n文字列変数は 0 ～ 15 "
                             "番までが有効です。はにゃ～ん(-0-)";

} // namespace

// What a variable shows, told by where the text cursor ends (every character moves it by 10).
TEST_F(StringVarTest, ShownInMidText) {
    const struct {
        const char* name;
        std::string script;
        int chars, lines;
        std::vector<std::string> boxes;
    } rows[] = {
        {"X A B C Y: the blank after the number is passed over",
         "#set_str \\STR 3 \"ABC\"\r\nX\\STR 3 Y#halt\r\n",
         5,
         0,
         {}},
        {"a number out of range shows nothing",
         "X\\STR 16 Y#halt\r\n",
         2,
         0,
         {std::string("Str_str()|") + RANGE_16}},
        {"a semicolon inside starts a new line", "#set_str \\STR 0 \"A;B\"\r\n\\STR 0 #halt\r\n", 1, 1, {}},
        {"never set is empty; a lone EOS does nothing: X Y, the blank after EOS, Z",
         "X\\STR 5 Y\\EOS Z#halt\r\n",
         4,
         0,
         {}},
        {"nested variables come back in order (a c b, then x y) and none shows itself",
         "#set_str \\STR 0 \"a\\STR 1 b\"\r\n#set_str \\STR 1 \"c\"\r\n#set_str \\STR 2 \"x\\STR 2 y\"\r\n"
         "\\STR 0 \\STR 2 #halt\r\n",
         5,
         0,
         {"Str_str()|文字列変数 2 は表示中です。\n変数の中から同じ変数は表示できません。"}},
        {"an odd half-width katakana name is shown whole, with the blank stored after it",
         "#set_str \\STR 6 \"\xb1\xb2\xb3\"\r\n\\STR 6 #halt\r\n",
         4,
         0,
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        Play(row.script);
        EXPECT_EQ(Cursor(), std::pair(20 + row.chars * 10, 20 + row.lines * 26));
        EXPECT_EQ(Boxes(), row.boxes);
        EXPECT_EQ(Var(3), &row == &rows[0] ? "ABC\\EOS" : "");
    }
}

TEST_F(StringVarTest, StoredTextsEndOnAWholeCharacter) {
    Start("#halt\r\n");
    Str_store(4, std::string(300, 'a').c_str());
    EXPECT_EQ(Var(4), std::string(251, 'a') + "\\EOS");
    std::string wide;
    for (int i = 0; i < 127; ++i)
        wide += SJ_A;
    Str_store(5, wide.c_str());
    EXPECT_EQ(Var(5), wide.substr(0, 250) + "\\EOS") << "half of the 126th character is not kept";
    Str_store(6, "\xb1\xb2\xb3"); // three half-width katakana
    EXPECT_EQ(Var(6), "\xb1\xb2\xb3 \\EOS")
        << "the interpreter steps the last with a blank, not the backslash";
    Str_store(7, "ab\x82");
    EXPECT_EQ(Var(7), "ab\\EOS") << "a lead byte without its second byte is dropped";
    Str_store(4, "z");
    EXPECT_EQ(Var(4), "z\\EOS");
    EXPECT_TRUE(Tail_is_zero(4));
}

TEST_F(StringVarTest, SetStrRefusals) {
    Play("#set_str \\STR 16 \"A\"\r\n#set_str \\STX 1 \"A\"\r\n#set_str \\STR 1 A\r\n#halt\r\n");
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{std::string("Com_set_str()|") + RANGE_16,
                                        "Com_set_str()|無効な文字列指定子 [\\STX] が記述されています",
                                        "Kaiseki_TextStr_DQ()|[\"] で囲まれた文字ではありません"}));
    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(Var(n), "") << n;
}

TEST_F(StringVarTest, TextInputRefusals) {
    Play("#text_input \\STR 16 \"a\"\r\n#text_input \\STX 2 \"b\"\r\n#halt\r\n");
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{std::string("Com_text_input()|") + RANGE_16,
                                        "Com_set_str()|無効な文字列指定子 [\\STX 2] が記述されています"}));
    EXPECT_EQ(Lines_with("input"), std::vector<std::string>{"input \"b\" -> \"b\""})
        << "no prompt for a variable that does not exist; a prompt all the same for a bad variable word";
    EXPECT_EQ(Var(2), "");
}

TEST_F(StringVarTest, WindowTitleOf128And129And0Bytes) {
    const std::string t128(128, 't'), t129(129, 'u');
    Play("#set_window_text \"" + t128 + "\"\r\n#set_window_text \"" + t129 +
         "\"\r\n#set_window_text \"" SJ_TARO "\"\r\n#set_window_text \"\"\r\n#halt\r\n");
    EXPECT_EQ(Lines_with("title"),
              (std::vector<std::string>{"title \"test\"", "title \"" + t128 + "\"", "title \"太郎\"",
                                        "title \"ことゆみ Ver1.02\""}));
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"Com_set_window_text()|#set_window_text\n\nウィンドウタイトルは"
                                       "半角128文字(全角64文字)\n以内にしてくださいヽ(´ー｀)ノ"});
    EXPECT_EQ(Game_stat.WindowTitle[0], 0) << "the empty title empties the record";

    std::memset(Game_stat.WindowTitle, 'v', sizeof Game_stat.WindowTitle); // a damaged save file
    Window_title_apply();
    EXPECT_EQ(Lines_with("title").back(), "title \"" + std::string(128, 'v') + "\"");
}
