// The argument parsers and block skips, on texts held in buffers of their exact size (so that under
// the sanitizer build any read past a text's end is caught), and the escape dispatch.
#include <climits>
#include <string>
#include <vector>

#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "platform/headless/headless.h"
#include "script/parsers.h"
#include "script/script_file.h"
#include "script_fixture.h"

namespace {

class ParserTest : public EngineTest {
  protected:
    // Makes `bytes` the text under the cursor, the cursor at `at`.
    void Load(const std::string& bytes, int32_t at = 0) {
        text.assign(bytes.begin(), bytes.end());
        ScriptSource = {text.data(), int32_t(text.size())};
        ScriptCursor = at;
    }
    size_t Boxes() const { return Headless_boxes().size(); }
    static int Close_requests() {
        int n = 0;
        while (System_take_close_request())
            ++n;
        return n;
    }
    std::vector<uint8_t> text;
};

} // namespace

TEST_F(ParserTest, KaisekiNum) {
    struct Row {
        std::string bytes;
        int32_t value;
        int32_t cursor;
        std::vector<std::string> boxes;
    };
    const Row rows[] = {
        {"-25,", -25, 3, {}},
        {"2-5 ", -205, 3, {}},
        {"12ab\r", 1200, 4, {"[ab\r]：10進数ではありません", "[b\r]：10進数ではありません"}},
        {"\r\n\t 7\r\n", 7, 5, {}},       // the number may stand on a later line
        {"2147483648,", INT_MIN, 10, {}}, // wraps as 32-bit arithmetic
        {"4294967297 ", 1, 10, {}},
        {"5", 5, 1, {}}, // ends with the text
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes);
        Load(row.bytes);
        const size_t before = Boxes();
        EXPECT_EQ(Kaiseki_Num(), row.value);
        EXPECT_EQ(ScriptCursor, row.cursor);
        ASSERT_EQ(Boxes() - before, row.boxes.size());
        for (size_t i = 0; i < row.boxes.size(); ++i) {
            EXPECT_EQ(Headless_boxes()[before + i].caption, "えらー");
            EXPECT_EQ(Headless_boxes()[before + i].text, row.boxes[i]);
        }
        EXPECT_EQ(Close_requests(), int(row.boxes.size())) << "one close request per offending byte";
    }
}

TEST_F(ParserTest, KaisekiSymbolAndTextLine) {
    struct Row {
        const char* (*parse)();
        std::string bytes;
        std::string result;
        int32_t cursor;
    };
    const Row rows[] = {
        {Kaiseki_Symbol, "\\STR 3", "\\STR", 4},
        {Kaiseki_Symbol, " \tAUTO,1", "AUTO", 6},
        {Kaiseki_Symbol, "\r\nAUTO", "", 0}, // line ends are not passed over
        {Kaiseki_Symbol, std::string(300, 'k'), std::string(254, 'k'), 254},
        {Kaiseki_Symbol, "END", "END", 3},
        {Kaiseki_TextLine, " \tone, two\r\nnext", "one, two", 10},
        {Kaiseki_TextLine, "a\rb\r\n", "a\rb", 3}, // a CR without LF is text
        {Kaiseki_TextLine, std::string(300, 'k') + "\r\n", std::string(254, 'k'), 254},
        {Kaiseki_TextLine, "to the end\r", "to the end\r", 11},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes.substr(0, 12));
        Load(row.bytes);
        EXPECT_EQ(std::string(row.parse()), row.result);
        EXPECT_EQ(ScriptCursor, row.cursor);
    }
    EXPECT_TRUE(Headless_boxes().empty());
}

TEST_F(ParserTest, KaisekiTextStrDQ) {
    std::string long_text;
    for (int i = 0; i < 300; ++i)
        long_text += char('A' + i % 26);
    struct Row {
        std::string bytes;
        std::string result;
        int32_t cursor;
    };
    const Row rows[] = {
        {" \t\"hi there\" x", "hi there", 12},
        {"\"a\r\nb\"", "a\r\nb", 6},                              // line ends inside quotes are text
        {"\"" + long_text + "\"", long_text.substr(0, 254), 256}, // on the text's 256th byte
        {"\"open", "open", 6},                                    // no closing quote: stops at the end
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes.substr(0, 12));
        Load(row.bytes);
        const char* got = Kaiseki_TextStr_DQ();
        ASSERT_NE(got, nullptr);
        EXPECT_EQ(std::string(got), row.result);
        EXPECT_EQ(ScriptCursor, row.cursor);
    }
    EXPECT_TRUE(Headless_boxes().empty());

    Load("  abc\"");
    EXPECT_EQ(Kaiseki_TextStr_DQ(), nullptr);
    EXPECT_EQ(ScriptCursor, 2) << "left on the byte that is not a quote";
    ASSERT_EQ(Headless_boxes().size(), 1u);
    EXPECT_EQ(Headless_boxes()[0].caption, "Kaiseki_TextStr_DQ()");
    EXPECT_EQ(Headless_boxes()[0].text, "[\"] で囲まれた文字ではありません");
}

TEST_F(ParserTest, ArgumentSeparatorsAreCommasSpacesAndLfButNotCrOrTab) {
    for (const auto& [bytes, cursor] : {std::pair<std::string, int>{", ,\n\r5", 4}, {"\t5", 0}, {" ,", 2}}) {
        Load(bytes);
        Skip_arg_separators();
        EXPECT_EQ(ScriptCursor, cursor) << bytes;
    }
}

TEST_F(ParserTest, BlockSkips) {
    struct Row {
        const char* name;
        bool (*skip)();
        std::string bytes;
        bool ok;
        int32_t cursor; // when ok
    };
    const Row rows[] = {
        {"then: an inner block is passed", Skip_then_part, "a{b}c/d}", true, 6},
        {"then: 0x7B as a second byte is no brace", Skip_then_part, "\x81\x7B/x}", true, 3},
        {"then: 0x7D as a second byte is no brace", Skip_then_part, "\x81\x7D{a/b}/c}", true, 8},
        {"then: no slash at depth 0", Skip_then_part, "a{b/c}d}", false, 0},
        {"else: to just past the }, and one more", Skip_else_part, "/a{b/c}d}XYZ", true, 10},
        {"else: 0x7D as a second byte is no brace", Skip_else_part, "/\x81\x7D}X", true, 5},
        {"else: never closed", Skip_else_part, "/a{b}", false, 0},
        {"else: closed too far away", Skip_else_part, "/" + std::string(70000, 'a') + "}", false, 0},
        {"then: slash too far away", Skip_then_part, std::string(70000, 'a') + "/", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Game_stat.text_on = 1;
        Game_stat.halt_on = 0;
        Load(row.bytes);
        const size_t before = Boxes();
        EXPECT_EQ(row.skip(), row.ok);
        if (row.ok) {
            EXPECT_EQ(ScriptCursor, row.cursor);
            EXPECT_EQ(Boxes(), before);
            EXPECT_EQ(Game_stat.text_on, 1);
        } else {
            ASSERT_EQ(Boxes(), before + 1);
            EXPECT_EQ(Headless_boxes().back().caption, "Error");
            EXPECT_EQ(Headless_boxes().back().text, "サーチＥＮＤ。{ }の対応が変？かも･･･（謎）");
            EXPECT_EQ(Game_stat.text_on, 0) << "stepping stops as halt stops it";
            EXPECT_EQ(Game_stat.halt_on, 1);
        }
    }
}

TEST_F(ScriptTest, UnknownEscapeWordsAreReportedAndSteppingGoesOn) {
    Start("\\STR1 x\r\n");
    Run_frames(1);
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"String_call()|警告：無効な文字変数 [\\STR1] が記述されています"});
    EXPECT_EQ(ScriptCursor, 5);
    Run_frames(2);
    EXPECT_EQ(Text.Text_X, 40) << "the space and the x after the word are drawn";
}
