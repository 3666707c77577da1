// The menus: the system menu and its windows, the save and load screens, the title menu. Window
// pictures here are flat colours per look, so every pixel tells which look BackBuffer shows.
#include <filesystem>
#include <string>
#include <vector>

#include "app/headless_probe.h"
#include "features/story_fixture.h"
#include "sound/music.h"
#include "system/slot_files.h"

namespace {

constexpr uint32_t NORMAL = 0x102030, LIT = 0xA0B0C0, IN_FORCE = 0x405060;

class MenuTest : public StoryTest {
  protected:
    void SetUp() override {
        StoryTest::SetUp();
        // Each picture: the normal look, the highlighted look, the frame-rate window's third look.
        const struct {
            const char* name;
            int w, h, window_w;
        } pictures[] = {{"main", 300, 120, 100},    {"exit", 300, 85, 100},     {"fps", 400, 85, 100},
                        {"save_02", 900, 200, 300}, {"load_02", 900, 200, 300}, {"start", 450, 100, 150}};
        for (const auto& p : pictures) {
            const int w = p.window_w;
            Write_bmp(std::string("gdat/system/menu_window_") + p.name + ".bmp", p.w, p.h, [w](int x, int) {
                return x < w ? NORMAL : x < 2 * w ? LIT : IN_FORCE;
            });
        }
        Write_file("MIDI/town.mid", std::string("MThd\0\0\0\6\0\0\0\1\1\xe0", 14));
    }
    // Starts `script` and runs it to its first `wait` click wait.
    void Start_to_wait(const std::string& script) {
        Start(script);
        ASSERT_TRUE(Run_until([] { return Game_stat.wait_on == 1; }));
    }
    static void Move(int x, int y, uint32_t buttons = 0) { Mouse(EventType::MouseMove, 0, x, y, buttons); }
    // A right press, a frame, and its release (which opens the main menu at a `wait`).
    void Right_click(int x, int y) {
        Mouse(EventType::MouseDown, 2, x, y);
        Run_frames(1);
        Mouse(EventType::MouseUp, 2, x, y);
    }
    // A left press (and, unless `hold`, its release) at (x, y), with the frames between.
    void Left_click(int x, int y, uint32_t extra = 0) {
        Mouse(EventType::MouseDown, 1, x, y, MK_LBUTTON | extra);
        Run_frames(1);
        Mouse(EventType::MouseUp, 1, x, y, extra);
    }
    void Wait_guard() { Run_frames(14); } // 224 ms: past every window's 200 ms guard
    // Opens the main menu at (x, y) and lets its guard pass.
    void Open_menu(int x = 300, int y = 200) {
        Wait_guard();
        Right_click(x, y);
        ASSERT_EQ(Game_stat.SystemMenuState, 101);
        Wait_guard();
    }
    static uint32_t At(int x, int y) { return Surface_get(&BackBuffer, x, y); }
    // Plays `script` under the headless runner with the scenario `events`, to the scenario's end.
    void Run_scenario(const std::string& script, const std::string& events) {
        Write_file("scenario.txt", events);
        HeadlessOptions options;
        options.events_path = game_dir + "/scenario.txt";
        std::string error;
        ASSERT_TRUE(Headless_configure(options, &error)) << error;
        Headless_set_probe(Headless_probe());
        Start(script);
        EXPECT_EQ(Main_loop(), 0);
    }
};

TEST_F(MenuTest, WindowsOpenAtTheMouseKeptInsideTheScreenAndRestoreThePixelsUnderThem) {
    Start_to_wait("#wait\r\n#halt\r\n");
    Wait_guard();
    const std::vector<uint32_t> before = Block(540, 360, 100, 120);
    Right_click(630, 470);
    EXPECT_EQ(Game_stat.SystemMenuState, 101);
    EXPECT_EQ(Game_stat.wait_on, 0);
    EXPECT_EQ(At(540, 360), NORMAL) << "clamped to (540, 360)";
    EXPECT_NE(At(539, 360), NORMAL);
    Wait_guard();
    Right_click(600, 400); // the right button cancels
    Run_frames(1);
    EXPECT_EQ(Game_stat.SystemMenuState, 0);
    EXPECT_EQ(Game_stat.wait_on, 1);
    EXPECT_EQ(Block(540, 360, 100, 120), before) << "closing restores exactly the pixels under it";
}

TEST_F(MenuTest, TheRightButtonOpensTheMenuOnlyAtAWaitWithTheSwitchOn) {
    const struct {
        const char* what;
        std::string script;
        bool (*ready)();
    } cases[] = {
        {"while text types", SJ_A SJ_A SJ_A SJ_A "#halt\r\n", [] { return Game_stat.text_on == 1; }},
        {"during halt", "#halt\r\n", [] { return Game_stat.halt_on == 1; }},
        {"at a page end",
         "#set_text_area 20 20 120 60\r\n" SJ_A SJ_A SJ_A SJ_A SJ_A SJ_A SJ_A SJ_A "#halt\r\n",
         [] { return Game_stat.page_wait_on == 1; }},
        {"with the switch off", "#system_menu_flag OFF\r\n#wait\r\n", [] { return Game_stat.wait_on == 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        Start(c.script, false);
        ASSERT_TRUE(Run_until(c.ready));
        Run_frames(14);
        Right_click(300, 200);
        Run_frames(2);
        EXPECT_EQ(Game_stat.SystemMenuState, 0);
    }
}

TEST_F(MenuTest, GuardsBordersAndShiftChooseNothing) {
    Start_to_wait("#wait\r\n#halt\r\n");
    Open_menu(300, 200);
    // Button 1 of the main menu is (15, 15)-(80, 36) from (300, 200): its border is outside it.
    Move(315, 215);
    Run_frames(1);
    EXPECT_EQ(At(316, 216), NORMAL) << "a point on the border does not hover";
    Move(316, 216);
    Run_frames(1);
    EXPECT_EQ(At(316, 216), LIT);
    Left_click(316, 216, MK_SHIFT);
    Run_frames(1);
    EXPECT_EQ(Game_stat.SystemMenuState, 101) << "Shift+click chooses nothing";

    // A press held over "exit" opens the exit window; the held button chooses nothing there for
    // 200 ms even over its first button.
    Mouse(EventType::MouseDown, 1, 316, 290, MK_LBUTTON);
    Run_frames(1);
    ASSERT_EQ(Game_stat.SystemMenuState, 105);
    Move(350, 325, MK_LBUTTON); // the exit window opened at (316, 290): over its button 1
    Run_frames(10);
    EXPECT_EQ(Game_stat.SystemMenuState, 105);
    EXPECT_EQ(Quit_code(), -1);
    Move(200, 100, MK_LBUTTON);
    Run_frames(4);
    Mouse(EventType::MouseUp, 1, 200, 100);

    // The right press closes the window; its release, at once, does not reopen the main menu.
    Right_click(350, 260);
    EXPECT_EQ(Game_stat.SystemMenuState, 0) << "the main menu's guard was restarted by the close";
    EXPECT_EQ(Game_stat.wait_on, 1);
    Run_frames(14);
    Right_click(350, 260);
    EXPECT_EQ(Game_stat.SystemMenuState, 101);
}

TEST_F(MenuTest, FrameRateWindowShowsTheOptionInForceAndErasesTheDisplay) {
    Start_to_wait("#wait\r\n#halt\r\n");
    Game_stat.fps_on = 1;
    Run_frames(1);
    Open_menu(300, 200);
    Left_click(316, 262); // button 3
    Run_frames(1);
    ASSERT_EQ(Game_stat.SystemMenuState, 104);
    Move(0, 0);
    Wait_guard();
    // The window opened at the click (316, 262): its buttons are (346, 292)-(386, 316) and below.
    EXPECT_EQ(At(347, 293), IN_FORCE) << "button 1 (show) is in force";
    EXPECT_EQ(At(347, 318), NORMAL);
    Left_click(350, 320); // button 2: hide
    Run_frames(1);
    EXPECT_EQ(Game_stat.fps_on, 0);
    EXPECT_EQ(Game_stat.SystemMenuState, 0);
    EXPECT_TRUE(Shows(BackBuffer, Test_background_pixel, 0, 0, 300, 20)) << "the box is erased";
}

TEST_F(MenuTest, SaveScreenNoYesAndSavingTwice) {
    Start_to_wait("#wait\r\n#halt\r\n");
    Open_menu(300, 200);
    Left_click(316, 216); // save
    Run_frames(1);
    ASSERT_EQ(Game_stat.SystemMenuState, 103);
    Wait_guard();
    Move(0, 0);
    Run_frames(1);
    const std::vector<uint32_t> rows = Block(190, 150, 270, 156);
    Headless_queue_answer(BoxAnswer::No);
    Left_click(200, 195); // slot 2
    Run_frames(1);
    EXPECT_EQ(Game_stat.SystemMenuState, 103) << "No keeps the screen open";
    EXPECT_FALSE(std::filesystem::exists(game_dir + "/SAVE/data02.svd"));
    Move(0, 0);
    Run_frames(1);
    EXPECT_EQ(Block(190, 150, 270, 156), rows) << "labels unchanged";

    for (int round = 0; round < 2; ++round) {
        if (round == 1) {
            Headless_advance(2000); // a later time in the label
            Open_menu(300, 200);
            Left_click(316, 216);
            Run_frames(1);
            Wait_guard();
        }
        Headless_queue_answer(BoxAnswer::Yes);
        Left_click(200, 195);
        Run_frames(1);
        char label[SLOT_LABEL_SIZE];
        ASSERT_TRUE(Slot_label(2, label));
        ASSERT_FALSE(Boxes().empty());
        EXPECT_EQ(Boxes().back(), std::string("System_save_task()|■SAVEしました\n\n【") + label + "】");
        EXPECT_EQ(Game_stat.SystemMenuState, 0);
        EXPECT_EQ(Game_stat.wait_on, 1);
    }
}

// A click on a slot belongs to the box it brings up: a press held for 150 ms (nine frames) shows
// one box, not one a frame, and "No" keeps the save screen with nothing written.
TEST_F(MenuTest, APressHeldOnASlotBringsUpOneBox) {
    const std::string hold = "down 200 155\nrun 150\nup 200 155\nrun 100\n"; // slot 0
    Run_scenario("#wait\r\n#halt\r\n",
                 "until wait\nrun 250\nrclick 300 200\nrun 250\nclick 316 216\nrun 250\n" +
                     ("answer no\n" + hold) + // save
                     "rclick 300 300\nrun 250\nrclick 300 200\nrun 250\n"
                     "click 316 240\nrun 250\n" + // load
                     hold);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"System_save_task()|Saveしますか？",
                                                 "System_load_task()|セーブデータがありません"}));
    EXPECT_FALSE(std::filesystem::exists(game_dir + "/SAVE/data00.svd"));
    EXPECT_EQ(Game_stat.SystemMenuState, 102);

    Fresh();
    Run_scenario("#start_menu 245 190\r\n#halt\r\n", "until title\nrun 250\nclick 270 240\nrun 250\n" + hold);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Start_load_task()|セーブデータがありません"});
    EXPECT_EQ(Game_stat.TitleMenuState, 202);
}

TEST_F(MenuTest, LoadScreensEmptySlotsCancelAndTitleLoad) {
    // An empty slot in the in-game load screen; a right click goes back with no music restart.
    Start_to_wait("#play_midi town.mid\r\n#wait\r\n#halt\r\n");
    Open_menu(300, 200);
    Left_click(316, 240); // load
    Run_frames(1);
    ASSERT_EQ(Game_stat.SystemMenuState, 102);
    Wait_guard();
    Left_click(200, 155);
    Run_frames(1);
    EXPECT_EQ(Boxes().back(), "System_load_task()|セーブデータがありません");
    EXPECT_EQ(Game_stat.SystemMenuState, 102);
    Right_click(200, 155);
    Run_frames(1);
    EXPECT_EQ(Game_stat.SystemMenuState, 0);
    EXPECT_EQ(Game_stat.wait_on, 1);
    EXPECT_EQ(BgmState.MusicPlaying, 1);

    // The title menu: an empty slot, then a saved one loads at once and brings back the saved
    // system menu switch.
    Fresh();
    Write_file("MIDI/town.mid", std::string("MThd\0\0\0\6\0\0\0\1\1\xe0", 14));
    Start("#system_menu_flag OFF\r\n#sp\r\n#system_menu_flag ON\r\n#start_menu 245 190\r\n" SJ_A "#halt\r\n");
    ASSERT_TRUE(Run_until([] { return Game_stat.TitleMenuState == 201; }));
    std::string reason;
    ASSERT_TRUE(Slot_write(4, &reason));
    EXPECT_EQ(At(245, 190), NORMAL);
    Wait_guard();
    Left_click(270, 240); // つづきから
    Run_frames(1);
    ASSERT_EQ(Game_stat.TitleMenuState, 202);
    Wait_guard();
    Left_click(200, 155);
    Run_frames(1);
    EXPECT_EQ(Boxes().back(), "Start_load_task()|セーブデータがありません");
    Left_click(200, 235); // slot 4
    Run_frames(1);
    EXPECT_EQ(Game_stat.TitleMenuState, 0);
    EXPECT_EQ(Game_stat.system_menu_flag, 0) << "as it was at the save point";
    EXPECT_EQ(Game_stat.SystemMenuState, 106);
}

TEST_F(MenuTest, QuitButtonsEndTheProgramWithTheStops) {
    Start_to_wait("#play_midi town.mid\r\n#wait\r\n#halt\r\n");
    Open_menu(300, 200);
    Left_click(316, 290); // exit window
    Run_frames(1);
    ASSERT_EQ(Game_stat.SystemMenuState, 105);
    Wait_guard();
    Left_click(351, 325); // the window opened at the click (316, 290): button 1
    Run_frames(1);
    EXPECT_EQ(Quit_code(), 0);
    EXPECT_EQ(BgmState.MusicPlaying, 0);

    // The title menu's quit confirmation opens at the mouse, clamped to (530, 385); its second
    // button goes back to the title menu, its first ends the program.
    Fresh();
    Start("#start_menu 480 370\r\n#halt\r\n");
    ASSERT_TRUE(Run_until([] { return Game_stat.TitleMenuState == 201; }));
    Wait_guard();
    Left_click(600, 450); // おわる: (495, 440)-(620, 460)
    Run_frames(1);
    ASSERT_EQ(Game_stat.TitleMenuState, 203);
    EXPECT_EQ(At(530, 385), NORMAL);
    EXPECT_NE(At(529, 385), NORMAL);
    Wait_guard();
    Left_click(561, 441); // button 2 at (560, 440)-(600, 460)
    Run_frames(1);
    EXPECT_EQ(Game_stat.TitleMenuState, 201) << "back to the title menu";
    EXPECT_EQ(Quit_code(), -1);
}

} // namespace
