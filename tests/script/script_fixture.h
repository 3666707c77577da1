// Ground for the script engine's tests: a game folder with the start-up pictures and a first script
// of the test's choosing, started as the program starts it, plus small helpers for input and pixels.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/system.h"
#include "app/window_messages.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "gfx/fixed_surfaces.h"
#include "platform/headless/headless.h"
#include "script/script_file.h"
#include "script/text_settings.h"
#include "test_support.h"

// Shift-JIS bytes used across the tests.
#define SJ_SQUARE "\x81\xa1" // ■: fills most of its cell, so drawing it always changes pixels
#define SJ_A "\x82\xa0"      // あ

class ScriptTest : public EngineTest {
  protected:
    // Writes the pictures and `script` as txt/config.txt and starts the engine. With `fast`, one
    // interpreter step runs per frame (Text_WAIT 0).
    void Start(const std::string& script, bool fast = true) {
        Write_startup_pictures();
        Write_file("txt/config.txt", script);
        System_init();
        if (fast) Text.Text_WAIT = 0;
    }

    // Back to a fresh start inside one test (for tables of cases): clock 0, no boxes recorded,
    // every module reset.
    static void Fresh() {
        Headless_reset();
        Platform_use_backend(Headless_backend());
        Platform_open_window("test");
        System_reset();
    }

    // A mouse message straight to WndProc, as the main loop would deliver it between two frames.
    // Without `buttons`, a press holds its button alone and a release holds none.
    static void Mouse(EventType type, int button, int x = 0, int y = 0, int64_t buttons = -1) {
        PlatformEvent e;
        e.type = type;
        e.button = button;
        e.x = x;
        e.y = y;
        if (buttons < 0) buttons = type != EventType::MouseDown ? 0 : button == 1 ? MK_LBUTTON : MK_RBUTTON;
        e.buttons = uint32_t(buttons);
        WndProc(e);
    }
    static void Click() { Mouse(EventType::MouseDown, 1); }
    static void Key(int key) {
        PlatformEvent e;
        e.type = EventType::KeyDown;
        e.key = key;
        WndProc(e);
    }

    // The text cursor.
    static std::pair<int, int> Cursor() { return {Text.Text_X, Text.Text_Y}; }
    // Every box shown so far as "caption|text".
    static std::vector<std::string> Boxes() {
        std::vector<std::string> out;
        for (const RecordedBox& b : Headless_boxes())
            out.push_back(b.caption + "|" + b.text);
        return out;
    }
    // The code the program was asked to end with, or -1 while it goes on.
    static int Quit_code() {
        int code = -1;
        return System_quit_requested(&code) ? code : -1;
    }

    // The w x h block of BackBuffer at (x, y), row by row.
    static std::vector<uint32_t> Block(int x, int y, int w = 25, int h = 25) {
        std::vector<uint32_t> out;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                out.push_back(Surface_get(&BackBuffer, x + i, y + j));
        return out;
    }
    // True if the w x h block of `s` at (x, y) is pixel(x, y) throughout (by default, all of it).
    static bool Shows(const Surface& s, uint32_t (*pixel)(int, int), int x = 0, int y = 0, int w = 640,
                      int h = 480) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                if (Surface_get(&s, i, j) != pixel(i, j)) return false;
        return true;
    }
    // True if the whole of BackBuffer shows the start-up background.
    static bool Shows_background() { return Shows(BackBuffer, Test_background_pixel); }
    // A background that differs from the start-up one in every pixel, so any pixel tells which of
    // the two it shows; Write_new_background makes it gdat/bg.bmp.
    static uint32_t New_pixel(int x, int y) { return Test_background_pixel(x, y) ^ 0xFFFFFFu; }
    void Write_new_background() { Write_bmp("gdat/bg.bmp", 640, 480, New_pixel); }
    // The Parts.bmp icon is white over a black mask: wherever it is shown, the block is all white.
    static bool Shows_icon(int x, int y) { return Block(x, y) == std::vector<uint32_t>(625, 0xFFFFFFu); }
};
