// Ground for the story-logic tests (flags, jumps, choices, timers, key wait, string variables, the
// name prompt): the script engine's ground, with the story modules reset too.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "features/select.h"
#include "features/timers.h"
#include "script/script_fixture.h"
#include "script/string_vars.h"

class StoryTest : public ScriptTest {
  protected:
    void SetUp() override {
        ScriptTest::SetUp();
        Reset_story();
    }
    static void Fresh() {
        ScriptTest::Fresh();
        Reset_story();
    }
    static void Reset_story() {
        String_vars_reset();
        Timers_reset();
        Select_reset();
    }

    // Runs frames until `done` holds (true) or `max_frames` have run (false).
    bool Run_until(const std::function<bool()>& done, int max_frames = 3000) {
        for (int i = 0; i < max_frames; ++i) {
            if (done()) return true;
            Run_frames(1);
        }
        return done();
    }
    bool Run_to_halt() {
        return Run_until([] { return Game_stat.halt_on == 1 || System_quit_requested(&exit_code); });
    }

    // How many pixels of BackBuffer in [x1, x2) x [y1, y2) are exactly `pixel`.
    static int Count(int x1, int y1, int x2, int y2, uint32_t pixel) {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                n += Surface_get(&BackBuffer, x, y) == pixel;
        return n;
    }

    static inline int exit_code = 0;
};

// Shift-JIS bytes used across the story tests.
#define SJ_TARO "\x91\xbe\x98\x59"   // 太郎
#define SJ_HANAKO "\x89\xd4\x8e\x71" // 花子
