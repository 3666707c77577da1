// Random scripts, heavy in the bytes and words the interpreter treats specially, played for a few
// hundred frames with random clicks and keys. Nothing may crash or read outside its buffers (the
// sanitizer build checks that), and the story is always in exactly one of its states.
#include <random>
#include <string>

#include "app/frame_loop.h"
#include "script_fixture.h"

namespace {

const char* const PIECES[] = {
    "#",
    "*",
    "/",
    "{",
    "}",
    ";",
    "\\",
    "\r",
    "\n",
    "\r\n",
    "\r\n",
    " ",
    ",",
    "-",
    ":",
    "\"",
    "\t",
    "0",
    "1",
    "2",
    "5",
    "9",
    "12",
    "100",
    "-3",
    "#wait",
    "#w",
    "#delay ",
    "#halt",
    "#page",
    "#set_font_size ",
    "#set_text_area ",
    "#set_text_wait ",
    "#set_text_color ",
    "#save_point_mode ",
    "AUTO",
    "MANUAL",
    "#disp_save_point_mode",
    "#sp",
    "#save_point",
    "##",
    "#if_flag ",
    "#flag_on ",
    "*label:",
    "*a b:",
    "\\STR",
    "\\EOS",
    "\\STR1",
    "\x82\xa0",
    "\x81\xa1",
    "\x81\x7b",
    "\x81\x7d",
    "\x81",
    "\x9f",
    "\xe0",
    "\xfc",
    "abc",
};

std::string Random_script(std::mt19937& rng) {
    std::uniform_int_distribution<int> length(1, 400);
    std::uniform_int_distribution<int> piece(0, int(std::size(PIECES)) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> coin(0, 9);
    std::string script;
    for (int n = length(rng); n > 0; --n) {
        if (coin(rng) == 0)
            script += char(byte(rng));
        else
            script += PIECES[piece(rng)];
    }
    return script;
}

PlatformEvent Random_input(std::mt19937& rng) {
    static const int KEYS[] = {KEY_RETURN, KEY_SPACE, 'a', KEY_TAB, KEY_SHIFT};
    PlatformEvent e;
    switch (std::uniform_int_distribution<int>(0, 5)(rng)) {
    case 0:
        e.type = EventType::MouseDown;
        e.button = 1;
        break;
    case 1:
        e.type = EventType::MouseUp;
        e.button = 1;
        break;
    case 2:
        e.type = EventType::MouseDown;
        e.button = 2;
        break;
    case 3:
        e.type = EventType::MouseUp;
        e.button = 2;
        break;
    case 4:
        e.type = EventType::MouseMove;
        break;
    default:
        e.type = EventType::KeyDown;
        e.key = KEYS[std::uniform_int_distribution<int>(0, 4)(rng)];
        break;
    }
    e.x = std::uniform_int_distribution<int>(0, 639)(rng);
    e.y = std::uniform_int_distribution<int>(0, 479)(rng);
    return e;
}

} // namespace

TEST_F(ScriptTest, RandomScriptsNeverBreakTheEngine) {
    constexpr int SEEDS = 200;
    constexpr int FRAMES = 300;
    Write_startup_pictures();
    Write_bmp("gdat/system/Back00.bmp", 16, 16, Test_background_pixel); // quick to load at each start
    for (int seed = 0; seed < SEEDS; ++seed) {
        std::mt19937 rng(seed);
        const std::string script = Random_script(rng);
        SCOPED_TRACE("seed " + std::to_string(seed));
        Fresh();
        Write_file("txt/config.txt", script);
        System_init();
        if (seed % 2) Text_WAIT = 0;
        int code = 0;
        for (int frame = 0; frame < FRAMES && !System_quit_requested(&code); ++frame) {
            // A bad number asks for the window to close; the run goes on here, so that the rest of
            // the script is exercised too.
            while (System_take_close_request()) {
            }
            if (std::uniform_int_distribution<int>(0, 7)(rng) == 0) WndProc(Random_input(rng));
            Run_frames(1);
            if (System_quit_requested(&code)) break;
            // The interpreter's own states exclude each other; while no other part's wait holds
            // (transition, shake, fade, choice, timer or key wait, menus), exactly one of them does.
            const GameStat& g = Game_stat;
            const int states = g.text_on + g.delay_on + g.wait_on + g.halt_on + g.page_wait_on;
            const bool other_wait = g.g_change_on || g.select_on || g.shake_on || g.fade_out_on ||
                                    g.fade_in_on || g.timer_wait_on || g.wait_kbhit_on || g.SystemMenuState ||
                                    g.TitleMenuState;
            ASSERT_TRUE(states == 1 || (other_wait && states == 0))
                << "stepping, delay, click wait, halt, page-end wait: " << states << " at once; frame "
                << frame << ", cursor " << ScriptCursor; // the seed gives the script again
            ASSERT_GE(ScriptCursor, 0);
        }
    }
}
