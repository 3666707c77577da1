// The frame: its 16 ms gate, the order of its tasks and screens, the final copy to the window, and
// the ways the program ends.
#include <algorithm>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/frame_order.h"
#include "app/present.h"
#include "app/system.h"
#include "app/window_messages.h"
#include "comforts/comfort_marks.h"
#include "comforts/fps_display.h"
#include "comforts/skip_auto.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "gfx/fixed_surfaces.h"
#include "platform/headless/headless.h"
#include "script/script_fixture.h"

namespace {

std::vector<std::string> ran;

// A frame of the engine's order in which tests put recording tasks.
class FrameOrderTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        ran.clear();
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) {
            Headless_advance(FRAME_PERIOD_MS);
            Main_task_in(order);
        }
    }
    FrameOrder order = MAIN_FRAME_ORDER;
};

template <int N> void Record() {
    ran.push_back("task" + std::to_string(N));
}

// Task 0 switches on the transition (task 5), as a script step meeting `g_change` would, and
// switches off the delay (task 1).
void Text_step_starting_a_transition() {
    ran.push_back("task0");
    Game_stat.g_change_on = 1;
    Game_stat.delay_on = 0;
}

} // namespace

TEST_F(FrameOrderTest, GateOrderAndSameFrameSwitches) {
    order.switches[0].run = Text_step_starting_a_transition;
    order.switches[1].run = Record<1>;
    order.switches[2].run = Record<2>;
    order.switches[5].run = Record<5>;
    order.switches[9].run = Record<9>;
    order.late[0].run = Record<10>;
    order.late[4].run = Record<14>;
    Game_stat.text_on = 1;
    Game_stat.delay_on = 1;
    Game_stat.wait_on = 2; // only a switch of exactly 1 runs its task
    Game_stat.fade_in_on = 1;
    Game_stat.fps_on = 1;
    Game_stat.wait_kbhit_on = 1;

    Headless_set_time(15);
    Main_task_in(order);
    EXPECT_TRUE(ran.empty()) << "no frame before 16 ms have passed";

    Headless_set_time(16);
    Main_task_in(order);
    EXPECT_EQ(ran, (std::vector<std::string>{"task0", "task5", "task9", "task10", "task14"}));

    ran.clear();
    Headless_set_time(31);
    Main_task_in(order);
    EXPECT_TRUE(ran.empty()) << "a second call within 16 ms does nothing";
    Game_stat.wait_on = 1;
    Headless_set_time(32);
    Main_task_in(order);
    EXPECT_EQ(ran.size(), 6u);
    EXPECT_EQ(ran[1], "task2");
}

TEST_F(FrameOrderTest, MenuStatesAndTheSystemMenuSwitch) {
    order.system_menu[2].run = Record<103>;
    order.title_menu[1].run = Record<202>;
    Game_stat.SystemMenuState = 103;
    Game_stat.TitleMenuState = 202;

    Game_stat.system_menu_flag = 0;
    Frames(1);
    EXPECT_EQ(ran, std::vector<std::string>{"task202"}) << "the title menu runs whatever the switch says";
    EXPECT_EQ(Game_stat.SystemMenuState, 103) << "the state waits, unchanged";

    ran.clear();
    Game_stat.system_menu_flag = 1;
    Frames(1);
    EXPECT_EQ(ran, (std::vector<std::string>{"task103", "task202"}));

    ran.clear();
    Game_stat.SystemMenuState = 107;
    Game_stat.TitleMenuState = 200;
    Frames(1);
    EXPECT_TRUE(ran.empty()) << "unknown states run nothing";
}

TEST_F(EngineTest, PresentUploadsOnlyChangesAndLeavesTheStripUncoveredByAnOffset) {
    Write_startup_pictures();
    System_init();
    Run_frames(1);
    const uint32_t* window = Headless_window_picture();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window[0], Test_background_pixel(0, 0));
    const int presents = Headless_present_count();
    Run_frames(10);
    EXPECT_EQ(Headless_present_count(), presents) << "an unchanged picture is not uploaded again";
    Surface_fill(&BackBuffer, 320, 240, 321, 241, 0);
    Run_frames(1);
    EXPECT_EQ(Headless_present_count(), presents + 1) << "one changed pixel is";

    // Paint BackBuffer white and show it 5 px right and 3 px up.
    Surface_fill(&BackBuffer, 0, 0, 640, 480, 0xFFFFFF);
    ScreenOffsetX = 5;
    ScreenOffsetY = -3;
    Run_frames(1);
    EXPECT_EQ(Headless_present_count(), presents + 2);
    window = Headless_window_picture();
    for (int y : {0, 200, 476}) {
        for (int x : {0, 4})
            EXPECT_EQ(window[y * 640 + x], Test_background_pixel(x, y)) << x << "," << y;
        EXPECT_EQ(window[y * 640 + 5], 0xFFFFFFu);
    }
    for (int x : {10, 600}) {
        EXPECT_EQ(window[476 * 640 + x], 0xFFFFFFu);
        EXPECT_EQ(window[477 * 640 + x], Test_background_pixel(x, 477))
            << "the bottom strip keeps its pixels";
    }

    // A repaint shows BackBuffer unshifted, without running a frame.
    PlatformEvent paint;
    paint.type = EventType::Paint;
    WndProc(paint);
    window = Headless_window_picture();
    EXPECT_EQ(window[0], 0xFFFFFFu);
    EXPECT_EQ(window[479 * 640 + 639], 0xFFFFFFu);
}

TEST_F(EngineTest, TheChangedPartsMakeTheWholePictureWithTheMarksComingAndGoing) {
    Write_startup_pictures();
    System_init();
    Run_frames(1);
    // The runner, like the window, takes only the part handed over into the picture it keeps.
    const auto shows_all = [] {
        return std::equal(Present_window_picture(), Present_window_picture() + 640 * 480,
                          Headless_window_picture());
    };
    Surface_fill(&BackBuffer, 100, 100, 110, 105, 0x00FF00);
    Run_frames(1);
    EXPECT_TRUE(shows_all()) << "a small change";
    Marks_show_volume();
    Run_frames(1);
    EXPECT_TRUE(shows_all()) << "the volume levels come";
    Surface_fill(&BackBuffer, 0, 400, 640, 480, 0x123456);
    Surface_fill(&BackBuffer, 5, 5, 6, 6, 0x654321);
    Run_frames(1);
    EXPECT_TRUE(shows_all()) << "a change under the levels and one far from them";
    Headless_advance(1200);
    Run_frames(1);
    EXPECT_TRUE(shows_all()) << "the levels go";
    EXPECT_EQ(Headless_window_picture()[470 * 640 + 630], 0x123456u);
    ScreenOffsetX = 3;
    Surface_fill(&BackBuffer, 200, 200, 201, 201, 0);
    Run_frames(1);
    EXPECT_TRUE(shows_all()) << "a shift";
    EXPECT_EQ(Headless_window_picture()[0], Test_background_pixel(0, 0)) << "the uncovered strip";
}

TEST_F(EngineTest, AtAClickWaitTheLoopSleepsThroughTheFramesThatWouldDoNothing) {
    Skip_read_only_set(true); // the player's default: skip passes read text only
    Write_startup_pictures();
    Write_file("txt/config.txt", "#wait\r\n");
    System_init();
    Run_frames(2);
    ASSERT_EQ(Game_stat.wait_on, 1);
    // Every frame is run, but those the loop would sleep through must change nothing.
    uint32_t next = 0;
    int slept = 0, changed = 0;
    for (int i = 0; i < 64; ++i) {
        const uint32_t revision = BackBuffer.revision;
        const int presents = Headless_present_count();
        Run_frames(1);
        const bool changes = BackBuffer.revision != revision || Headless_present_count() != presents;
        changed += changes;
        if (Platform_time_ms() < next) {
            ++slept;
            EXPECT_FALSE(changes) << "the frame at " << Platform_time_ms() << " was slept through";
        } else {
            next = Platform_time_ms() + Main_task_wait_ms();
        }
    }
    EXPECT_GE(changed, 4) << "the icon blinks every 200 ms";
    EXPECT_GE(slept, 48) << "about 12 frames of every 13 are left out";

    Main_task_events_came();
    EXPECT_LE(Main_task_wait_ms(), FRAME_PERIOD_MS) << "a click is seen in the next frame";
    Run_frames(1);
    Game_stat.fps_on = 1;
    Run_frames(1);
    EXPECT_LE(Main_task_wait_ms(), FRAME_PERIOD_MS) << "the frame-rate box counts every frame";
    Skip_read_only_set(false);
}

TEST_F(EngineTest, StartUpSurfacesNamesAndSwitches) {
    Write_startup_pictures();
    System_init();
    EXPECT_STREQ(BackBuffer.PictureName, "");
    EXPECT_STREQ(BackgroundSurface.PictureName, ".\\gdat\\system\\Back00.bmp");
    EXPECT_STREQ(PartsSurface.PictureName, ".\\gdat\\system\\Parts.bmp");
    EXPECT_EQ(Game_stat.text_on, 1);
    EXPECT_EQ(Game_stat.system_menu_flag, 1);
    EXPECT_EQ(Game_stat.wait_on + Game_stat.halt_on + Game_stat.SystemMenuState + Game_stat.TitleMenuState,
              0);
    EXPECT_TRUE(Headless_boxes().empty());
}

TEST_F(EngineTest, MissingStartUpPicturesAreReportedAndStartUpGoesOn) {
    Write_file("txt/config.txt", "#wait\r\n");
    System_init();
    ASSERT_EQ(Headless_boxes().size(), 2u);
    for (const RecordedBox& box : Headless_boxes()) {
        EXPECT_EQ(box.caption, "Load_Bmp()");
        EXPECT_EQ(box.text, "画像読み込みに失敗しました");
    }
    EXPECT_EQ(Surface_get(&BackBuffer, 320, 240), 0u);
    EXPECT_EQ(Game_stat.text_on, 1);
}

TEST_F(EngineTest, FrameRateBox) {
    Write_startup_pictures();
    System_init();
    Game_stat.fps_on = 1;
    Run_frames(63); // 1008 ms: the first roll-over comes with the frame after 1000 ms
    EXPECT_STREQ(Fps_last_text(), "FPS:063 TC:1008 ");
    Run_frames(10);
    EXPECT_STREQ(Fps_last_text(), "FPS:063 TC:1168 ");
    EXPECT_EQ(Surface_get(&BackBuffer, 179, 17), 0xFFFFFFu) << "white box up to (180, 18), exclusive";
    EXPECT_EQ(Surface_get(&BackBuffer, 180, 17), Test_background_pixel(180, 17));
    EXPECT_EQ(Surface_get(&BackBuffer, 179, 18), Test_background_pixel(179, 18));
    int reddish = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 180; ++x)
            reddish += Surface_get(&BackBuffer, x, y) != 0xFFFFFFu;
    EXPECT_GT(reddish, 100) << "the text is drawn in the box";
}

TEST_F(EngineTest, EscapeAndClosingTheWindowEndTheProgramWithCodeZero) {
    Write_startup_pictures();
    for (EventType how : {EventType::KeyDown, EventType::WindowClosed}) {
        System_reset();
        System_init();
        PlatformEvent e;
        e.type = how;
        e.key = KEY_ESCAPE;
        Headless_push_event(e);
        EXPECT_EQ(Main_loop(), 0);
    }
}

TEST_F(ScriptTest, MouseRecordAndClamps) {
    Mouse(EventType::MouseDown, 2, 600, 470, MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(MouseButtons, MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(Clamp_mouse_x(100), 530);
    EXPECT_EQ(Clamp_mouse_y(10), 460);
    Mouse(EventType::MouseMove, 0, 20, 30, 0);
    EXPECT_EQ(MouseButtons, 0u) << "a move with no button held clears the word";
    EXPECT_EQ(Clamp_mouse_x(100), 20);
    EXPECT_EQ(Clamp_mouse_y(10), 30);
    Key(KEY_RETURN); // a key message at (0, 0)
    EXPECT_EQ(MouseX, 20) << "keys leave the record alone";
}
