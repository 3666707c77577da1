// The key wait: which input ends it (sampled once a frame), and what it leaves alone.
#include <string>

#include "features/story_fixture.h"
#include "script/interpreter.h"

namespace {

class KeyWaitTest : public StoryTest {
  protected:
    // Starts a script that waits for a key and then sets flag 1; runs until the wait is on.
    void Waiting(const char* word = "wait_kbhit") {
        Start(std::string("#") + word + "\r\n#flag_on 1\r\n#halt\r\n");
        ASSERT_TRUE(Run_until([] { return Game_stat.wait_kbhit_on == 1; }));
        EXPECT_EQ(Game_stat.text_on, 0);
    }
    static bool Ended() { return Game_stat.wait_kbhit_on == 0 && Game_stat.text_on == 1; }
};

} // namespace

TEST_F(KeyWaitTest, ALeftClickHeldForAFrameSpaceAfterItsBoxOrEnterEndsIt) {
    for (const int key : {0, int(KEY_SPACE), int(KEY_RETURN)}) { // 0: the left button
        SCOPED_TRACE(key);
        Fresh();
        Waiting(key ? "wait_kbhit" : "wk");
        if (key)
            Headless_set_key(key, true);
        else
            Mouse(EventType::MouseDown, 1, 300, 200, MK_LBUTTON);
        Run_frames(1);
        EXPECT_TRUE(Ended());
        EXPECT_EQ(Boxes(), key == KEY_SPACE ? std::vector<std::string>{"|AAA"} : std::vector<std::string>{});
        ASSERT_TRUE(Run_to_halt());
        EXPECT_EQ(Game_stat.Flags[1], 1);
    }
}

TEST_F(KeyWaitTest, WhatDoesNotEndIt) {
    Waiting();
    Mouse(EventType::MouseDown, 2, 300, 200, MK_RBUTTON);
    Run_frames(3);
    Mouse(EventType::MouseUp, 2, 300, 200, 0);
    Run_frames(3);
    EXPECT_EQ(Game_stat.wait_kbhit_on, 1) << "a right click";
    EXPECT_EQ(Game_stat.SystemMenuState, 0) << "and no system menu";

    Mouse(EventType::MouseDown, 1, 300, 200, MK_LBUTTON);
    Mouse(EventType::MouseUp, 1, 300, 200, 0);
    Run_frames(3);
    EXPECT_EQ(Game_stat.wait_kbhit_on, 1) << "a click pressed and released between two frames";

    Mouse(EventType::MouseDown, 1, 300, 200, MK_LBUTTON | MK_CONTROL);
    Run_frames(3);
    EXPECT_EQ(Game_stat.wait_kbhit_on, 1) << "the left button with Control is not the left button alone";

    Headless_set_key('a', true);
    Run_frames(3);
    EXPECT_EQ(Game_stat.wait_kbhit_on, 1) << "another key";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(KeyWaitTest, AButtonRecordedBeforeTheCommandIsForgotten) {
    Start("#delay 100\r\n#wk\r\n#flag_on 1\r\n#halt\r\n");
    Text_click_set(false); // the press lands while the story steps: it must not finish the text
    Mouse(EventType::MouseDown, 1, 300, 200, MK_LBUTTON);
    ASSERT_TRUE(Run_until([] { return Game_stat.wait_kbhit_on == 1; }));
    Run_frames(5);
    EXPECT_EQ(Game_stat.wait_kbhit_on, 1) << "the button still held is not seen";
    Mouse(EventType::MouseMove, 0, 310, 200, MK_LBUTTON);
    Run_frames(1);
    EXPECT_TRUE(Ended()) << "until the next mouse message records it again";
}
