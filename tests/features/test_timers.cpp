// Timers: counting on the clock, stopping, clearing, the two displays, the timed wait, if_timer,
// the messages, and the save-and-load arithmetic.
#include <string>

#include "features/story_fixture.h"

namespace {

constexpr uint32_t LINE_PIXEL = 0x3264FF; // red 50, green 100, blue 255

class TimerTest : public StoryTest {
  protected:
    void Play(const std::string& script) {
        Start(script);
        ASSERT_TRUE(Run_to_halt());
    }
    static int64_t Value(int i) { return Timer_value(Game_stat.Timers[i]); }
    static bool Strip_shows_background(int y1, int y2) {
        for (int y = y1; y < y2; ++y)
            for (int x = 0; x < 640; ++x)
                if (Surface_get(&BackBuffer, x, y) != Test_background_pixel(x, y)) return false;
        return true;
    }
};

std::string Single_text(int64_t ms) {
    char text[64];
    Timer_single_text(ms, text, sizeof text);
    return text;
}

const char* const NOT_RUNNING =
    "■タイマー TIMER_1 は無効だにょ\n\n  まず #shot_timer でカウント開始するにょ！";

std::string Bad_name(const std::string& name) {
    return "■タイマー指定が間違ってるにょ(･ω･)ﾉ\n\n  タイマーとして【 " + name +
           " 】が指定されましたが\n  意味不明でごんす。";
}

} // namespace

TEST_F(TimerTest, RunningStoppedClearedAndTheLineDisplay) {
    Start("#shot_timer TIMER_2\r\n#shot_timer TIMER_3\r\n#disp_timer ON\r\n#delay 1500\r\n"
          "#stop_timer TIMER_2\r\n#clear_timer TIMER_3\r\n#wk\r\n#disp_timer OFF\r\n#halt\r\n");
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_kbhit_on == 1; }));
    const int64_t stopped = Value(1);
    EXPECT_GE(stopped, 1500);
    EXPECT_LT(stopped, 1600);
    EXPECT_EQ(Value(2), 0);
    EXPECT_EQ(Game_stat.Timers[2].running, 0);
    Run_frames(50);
    EXPECT_EQ(Value(1), stopped) << "a stopped timer keeps its value";
    EXPECT_EQ(Value(0), 0) << "TIMER_1 was never started";

    EXPECT_GT(Count(0, 460, 640, 479, 0xFFFFFF) + Count(0, 460, 640, 479, LINE_PIXEL), 640 * 15)
        << "a white strip";
    EXPECT_GT(Count(0, 460, 640, 479, LINE_PIXEL), 50) << "the line's text";
    EXPECT_TRUE(Strip_shows_background(479, 480)) << "the fill stops short of the last row";

    Headless_set_key(KEY_RETURN, true);
    ASSERT_TRUE(Run_to_halt());
    EXPECT_EQ(Game_stat.disp_timer_on, 0);
    EXPECT_TRUE(Strip_shows_background(460, 480)) << "OFF puts the background back under the line";
}

TEST_F(TimerTest, SingleDisplayText) {
    EXPECT_EQ(Single_text(83456), "   1:23:45");
    EXPECT_EQ(Single_text(0), "   0:00:00");
    EXPECT_EQ(Single_text(61 * 60000 + 1009), "  61:01:00") << "minutes are not wrapped into hours";
    EXPECT_EQ(Single_text(1000LL * 60 * 12345), " 12345:00:00");
}

TEST_F(TimerTest, SingleDisplayDrawsAtItsPlace) {
    Start("#shot_timer TIMER_3\r\n#disp_timer_single 100, 200 TIMER_3\r\n#disp_timer_single 1 2 "
          "TIMER_9\r\n#wk\r\n");
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_kbhit_on == 1; }));
    EXPECT_EQ(Game_stat.disp_timer_single_on, 1);
    EXPECT_EQ(Game_stat.SingleTimer, 2);
    EXPECT_EQ(Game_stat.Timers[2].disp_x, 100);
    EXPECT_EQ(Game_stat.Timers[2].disp_y, 200);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Com_disp_timer_single()|" + Bad_name("TIMER_9")});
    EXPECT_EQ(Surface_get(&BackBuffer, 100, 200), 0u) << "the black box starts with a blank";
    EXPECT_EQ(Surface_get(&BackBuffer, 249, 224), 0u);
    EXPECT_EQ(Surface_get(&BackBuffer, 250, 224), Test_background_pixel(250, 224));
    EXPECT_EQ(Surface_get(&BackBuffer, 249, 225), Test_background_pixel(249, 225));
    EXPECT_GT(Count(100, 200, 250, 225, 0xFFFFFF), 50) << "white digits";
}

TEST_F(TimerTest, TimerWaitEndsInTheSameFrameAtZeroAndOtherwiseAtTheTarget) {
    Start("#shot_timer TIMER_1\r\n#timer_wait TIMER_1 to 0\r\n#flag_on 1\r\n"
          "#shot_timer TIMER_2\r\n#timer_wait TIMER_2  to\r\n300\r\n#halt\r\n");
    for (int i = 0; i < 100 && Game_stat.Flags[1] == 0; ++i) {
        Run_frames(1);
        EXPECT_EQ(Game_stat.timer_wait_on, 0) << "frame " << i;
    }
    ASSERT_TRUE(Run_until([] { return Game_stat.timer_wait_on == 1; }));
    EXPECT_EQ(Game_stat.text_on, 0);
    ASSERT_TRUE(Run_until([] { return Game_stat.timer_wait_on == 0; }));
    EXPECT_GE(Value(1), 300);
    EXPECT_LT(Value(1), 316);
    EXPECT_EQ(Game_stat.text_on, 1);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TimerTest, CommandMessages) {
    Play("#shot_timer TIMER_4\r\n#stop_timer timer_1\r\n#clear_timer\r\n#shot_timer TIMER_1\r\n"
         "#clear_timer TIMER_1\r\n#timer_wait TIMER_1 to 5\r\n#timer_wait TIMER_X to 5\r\n"
         "#shot_timer TIMER_2\r\n#timer_wait TIMER_2 till 5\r\n#disp_timer on\r\n"
         "#if_timer TIMER_0 > 5\r\n#if_timer TIMER_2 >= 5\r\n#halt\r\n");
    EXPECT_EQ(
        Boxes(),
        (std::vector<std::string>{
            "Com_timer_shot()|" + Bad_name("TIMER_4"),
            "Com_stop_timer()|" + Bad_name("timer_1"),
            "Com_clear_timer()|" + Bad_name(""),
            std::string("Com_timer_wait()|") + NOT_RUNNING,
            "Com_timer_wait()|" + Bad_name("TIMER_X"),
            "Com_timer_wait()|シンタックスエラーだにょ\n\n書式は【 #timer_wait タイマー to 時間 】だにょ",
            "Com_disp_timer()|フラグ指定は半角大文字で ON か OFF だにょ！",
            "Com_if_timer()|■タイマー指定が間違ってるにょ(･ω･)ﾉ\n\n  タイマーとして【 TIMER_0 】が"
            "指定されたけど\n  意味不明だにょ！",
            "Com_if_timer()|演算子【>=】は無効だにょ\n\n【 < 】【 = 】【 > 】の何れかを指定してにょ",
        }));
    EXPECT_EQ(Game_stat.timer_wait_on, 0);
    EXPECT_EQ(Game_stat.disp_timer_on, 0);
}

TEST_F(TimerTest, IfTimerBothWaysAndOnAStoppedTimer) {
    Play("#shot_timer TIMER_1\r\n"
         "#if_timer TIMER_1 < 100000\r\n#flag_on 1\r\n/\r\n#flag_on 2\r\n}\r\n"
         "#if_timer TIMER_1 > 100000\r\n#flag_on 3\r\n/\r\n#flag_on 4\r\n}\r\n"
         "#stop_timer TIMER_1\r\n"
         "#if_timer TIMER_1 < 100000\r\n#flag_on 5\r\n/\r\n#flag_on 6\r\n}\r\n"
         "#halt\r\n");
    EXPECT_EQ(Game_stat.Flags[1] + Game_stat.Flags[4], 2);
    EXPECT_EQ(Game_stat.Flags[2] + Game_stat.Flags[3], 0);
    EXPECT_EQ(Game_stat.Flags[5], 1) << "a failed if_timer skips nothing: its first part runs";
    EXPECT_EQ(Game_stat.Flags[6], 0);
    EXPECT_EQ(Boxes(), std::vector<std::string>{std::string("Com_if_timer()|") + NOT_RUNNING});
}

TEST_F(TimerTest, SaveAndLoadCountOnlyThePlayedTime) {
    Headless_set_time(1000);
    TimerRec& running = Game_stat.Timers[0];
    running = TimerRec{};
    running.start_ms = 1000;
    running.running = 1;
    Game_stat.Timers[1].stopped_ms = 777;
    Headless_set_time(11000);
    for (TimerRec& t : Game_stat.Timers)
        Timer_checkpoint(&t);
    EXPECT_EQ(running.accumulated_ms, 10000u);
    EXPECT_EQ(running.start_ms, 11000u);
    const GameStat saved = Game_stat;

    Headless_set_time(71000); // a minute later the save is loaded
    Game_stat = saved;
    for (TimerRec& t : Game_stat.Timers)
        Timer_resume(&t);
    EXPECT_EQ(Value(0), 10000);
    EXPECT_EQ(Value(1), 777) << "a stopped timer is left alone";
    Headless_advance(500);
    EXPECT_EQ(Value(0), 10500);
}
