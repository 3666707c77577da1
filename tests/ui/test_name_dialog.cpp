// The name prompt: shown in the window and driven by the player's events (typing, editing keys,
// the buttons, Enter and Escape), and answered from a scenario under the headless runner.
#include <cstring>
#include <string>

#include "app/headless_probe.h"
#include "app/present.h"
#include "features/story_fixture.h"
#include "ui/name_dialog.h"

namespace {

class NameDialogTest : public StoryTest {
  protected:
    void SetUp() override {
        StoryTest::SetUp();
        Headless_set_input_in_window(true);
    }
    static void Key(int key) {
        PlatformEvent e;
        e.type = EventType::KeyDown;
        e.key = key;
        Headless_push_event(e);
    }
    static void Type(const std::string& utf8) {
        PlatformEvent e;
        e.type = EventType::TextInput;
        std::strncpy(e.text, utf8.c_str(), sizeof e.text - 1);
        Headless_push_event(e);
    }
    static void Click(int x, int y, int release_x, int release_y) {
        PlatformEvent e;
        e.type = EventType::MouseDown;
        e.button = 1;
        e.x = x;
        e.y = y;
        e.buttons = MK_LBUTTON;
        Headless_push_event(e);
        e.type = EventType::MouseUp;
        e.x = release_x;
        e.y = release_y;
        e.buttons = 0;
        Headless_push_event(e);
    }
};

// Where the buttons stand: the dialog is 360x148, centred in the picture.
constexpr int OK_X = 268, CANCEL_X = 372, BUTTON_Y = 287;

} // namespace

TEST_F(NameDialogTest, TypingEditingEnterAndEscape) {
    Type("花");
    Type("子");
    Key(KEY_RETURN);
    EXPECT_EQ(Name_dialog(SJ_TARO), SJ_HANAKO) << "typing replaces the preselected default";
    EXPECT_FALSE(Headless_text_input_on()) << "typed text is switched off again";
    ASSERT_NE(Headless_window_picture(), nullptr);
    EXPECT_EQ(std::memcmp(Headless_window_picture(), Present_window_picture(), 640 * 480 * 4), 0)
        << "the dialog is gone from the window";

    for (int key : {KEY_HOME, KEY_DELETE, KEY_END, KEY_BACKSPACE, KEY_LEFT})
        Key(key);
    Type("x");
    Key(KEY_RIGHT);
    Type("y");
    Key(KEY_RETURN);
    EXPECT_EQ(Name_dialog("abc"), "xby");
    Key(KEY_LEFT); // ends the selection at the start
    Type("z");
    Key(KEY_RETURN);
    EXPECT_EQ(Name_dialog("abc"), "zabc");

    Key(KEY_DELETE);
    Key(KEY_RETURN);
    EXPECT_EQ(Name_dialog(SJ_TARO), SJ_TARO) << "Enter on an empty box gives the default";
    Type("abc");
    Key(KEY_ESCAPE);
    EXPECT_EQ(Name_dialog(SJ_TARO), SJ_TARO) << "so does Escape";
}

TEST_F(NameDialogTest, RefusedCharactersAndAtMost255ShiftJisBytes) {
    for (const char* refused : {"😀", "#", "\\", "¥", "/", "{", "}", ";"})
        Type(refused);
    Key(KEY_RETURN);
    EXPECT_EQ(Name_dialog("abc"), "abc") << "nothing replaced the selected default";
    Key(KEY_END);
    Type("d😀e");
    Key(KEY_RETURN);
    EXPECT_EQ(Name_dialog("abc"), "abcde");

    for (int i = 0; i < 9; ++i)
        Type(std::string(31, 'a'));
    Key(KEY_RETURN);
    EXPECT_EQ(Name_dialog("x"), std::string(255, 'a'));
    for (int i = 0; i < 127; ++i)
        Type("あ");
    Type("あa");
    Key(KEY_RETURN);
    std::string expected;
    for (int i = 0; i < 127; ++i)
        expected += SJ_A;
    EXPECT_EQ(Name_dialog("x"), expected + "a") << "a character that would pass 255 bytes is refused";
}

TEST_F(NameDialogTest, TheButtons) {
    Type("q");
    Click(CANCEL_X, BUTTON_Y, CANCEL_X, BUTTON_Y);
    EXPECT_EQ(Name_dialog("abc"), "abc");

    Type("q");
    Click(OK_X, BUTTON_Y, CANCEL_X, BUTTON_Y); // pressed on one button, released on the other
    Click(5, 5, 5, 5);                         // outside the dialog: for the window, not the dialog
    Click(OK_X, BUTTON_Y, OK_X, BUTTON_Y);
    EXPECT_EQ(Name_dialog("abc"), "q");
}

TEST_F(NameDialogTest, ClosingTheWindowCancelsAndEndsTheProgram) {
    Type("q");
    PlatformEvent e;
    e.type = EventType::WindowClosed;
    Headless_push_event(e);
    EXPECT_EQ(Name_dialog("abc"), "abc");
    int code = -1;
    EXPECT_TRUE(System_quit_requested(&code));
    // The window gives its close only once: a dialog that would open after it, before the frame
    // loop ends the program, answers at once instead of waiting for a player who has gone.
    Type("x");
    Key(KEY_RETURN);
    EXPECT_EQ(Name_dialog("def"), "def");
}

TEST_F(NameDialogTest, ScenarioAnswers) {
    Headless_set_input_in_window(false);
    Write_file("scenario.txt", "input 花子\ninput-cancel\ninput\ninput 😀花\nuntil halt\n");
    HeadlessOptions options;
    options.events_path = game_dir + "/scenario.txt";
    std::string error;
    ASSERT_TRUE(Headless_configure(options, &error)) << error;
    Headless_set_probe(Headless_probe());
    Write_startup_pictures();
    Write_file("txt/config.txt",
               "#text_input \\STR 0 \"" SJ_TARO "\"\r\n#text_input \\STR 1 \"" SJ_TARO "\"\r\n"
               "#text_input \\STR 2 \"" SJ_TARO "\"\r\n#text_input \\STR 3 \"" SJ_TARO "\"\r\n"
               "#text_input \\STR 4 \"" SJ_TARO "\"\r\n#halt\r\n");
    System_init();
    EXPECT_EQ(Main_loop(), 0) << "the scenario ran out at the halt";
    std::vector<std::string> inputs;
    for (const std::string& line : Headless_log_lines())
        if (line.find(" input ") != std::string::npos) inputs.push_back(line.substr(line.find(' ') + 1));
    EXPECT_EQ(inputs, (std::vector<std::string>{"input \"太郎\" -> \"花子\"", "input \"太郎\" -> \"太郎\"",
                                                "input \"太郎\" -> \"太郎\"", "input \"太郎\" -> \"😀花\"",
                                                "input \"太郎\" -> \"太郎\""}));
    EXPECT_EQ(std::string(Game_stat.StringVars[0]), SJ_HANAKO "\\EOS");
    EXPECT_EQ(std::string(Game_stat.StringVars[1]), SJ_TARO "\\EOS");
    EXPECT_EQ(std::string(Game_stat.StringVars[2]), SJ_TARO "\\EOS");
    EXPECT_EQ(std::string(Game_stat.StringVars[3]), "\x89\xd4\\EOS")
        << "what Shift-JIS cannot hold is left out";
    EXPECT_EQ(std::string(Game_stat.StringVars[4]), SJ_TARO "\\EOS")
        << "nothing queued: the default, as with Enter";
    EXPECT_EQ(Boxes(), std::vector<std::string>{"名前を入力してください|「😀」は使えない文字です。"});
}
