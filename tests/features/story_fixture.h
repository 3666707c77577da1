// Ground for the story-logic tests (flags, jumps, choices, timers, key wait, string variables, the
// name prompt): a game folder with the start-up pictures and a first script of the test's choosing,
// started as the program starts it and stepped one script step per frame.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/game_stat.h"
#include "app/system.h"
#include "app/window_messages.h"
#include "features/select.h"
#include "features/timers.h"
#include "gfx/fixed_surfaces.h"
#include "platform/headless/headless.h"
#include "script/script_file.h"
#include "script/string_vars.h"
#include "script/text_settings.h"
#include "test_support.h"

class StoryTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        String_vars_reset();
        Timers_reset();
        Select_reset();
    }

    // Writes the pictures and `script` (CR LF lines) as txt/config.txt and starts the engine with
    // one script step per frame.
    void Start(const std::string& script) {
        Write_startup_pictures();
        Write_file("txt/config.txt", script);
        System_init();
        Text_WAIT = 0;
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

    // A mouse message straight to WndProc, as the main loop would deliver it between two frames.
    static void Mouse(EventType type, int button, int x, int y, uint32_t buttons) {
        PlatformEvent e;
        e.type = type;
        e.button = button;
        e.x = x;
        e.y = y;
        e.buttons = buttons;
        WndProc(e);
    }

    // Every box shown so far as "caption|text".
    static std::vector<std::string> Boxes() {
        std::vector<std::string> out;
        for (const RecordedBox& b : Headless_boxes()) out.push_back(b.caption + "|" + b.text);
        return out;
    }

    // How many pixels of BackBuffer in [x1, x2) x [y1, y2) are exactly `pixel`.
    static int Count(int x1, int y1, int x2, int y2, uint32_t pixel) {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x) n += Surface_get(&BackBuffer, x, y) == pixel;
        return n;
    }

    static inline int exit_code = 0;
};

// Shift-JIS bytes used across the tests.
#define SJ_A "\x82\xa0"      // あ
#define SJ_TARO "\x91\xbe\x98\x59"  // 太郎
#define SJ_HANAKO "\x89\xd4\x8e\x71"  // 花子
