// Ground for the script engine's tests: a game folder with the start-up pictures and a first script
// of the test's choosing, started as the program starts it, plus small helpers for input and pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/game_stat.h"
#include "app/system.h"
#include "app/window_messages.h"
#include "gfx/fixed_surfaces.h"
#include "platform/headless/headless.h"
#include "script/script_file.h"
#include "script/text_settings.h"
#include "test_support.h"

// Shift-JIS bytes used across the tests.
#define SJ_SQUARE "\x81\xa1"  // ■: fills most of its cell, so drawing it always changes pixels
#define SJ_A "\x82\xa0"       // あ

class ScriptTest : public EngineTest {
  protected:
    // Writes the pictures and `script` as txt/config.txt and starts the engine. With `fast`, one
    // interpreter step runs per frame (Text_WAIT 0).
    void Start(const std::string& script, bool fast = true) {
        Write_startup_pictures();
        Write_file("txt/config.txt", script);
        System_init();
        if (fast) Text_WAIT = 0;
    }

    // Back to a fresh start inside one test (for tables of cases): clock 0, no boxes recorded,
    // every module reset.
    static void Fresh() {
        Headless_reset();
        Platform_use_backend(Headless_backend());
        Platform_open_window("test");
        System_reset();
    }

    static void Mouse(EventType type, int button) {
        PlatformEvent e;
        e.type = type;
        e.button = button;
        e.buttons = type == EventType::MouseDown ? (button == 1 ? MK_LBUTTON : MK_RBUTTON) : 0;
        WndProc(e);
    }
    static void Click() { Mouse(EventType::MouseDown, 1); }
    static void Key(int key) {
        PlatformEvent e;
        e.type = EventType::KeyDown;
        e.key = key;
        WndProc(e);
    }

    // The w x h block of BackBuffer at (x, y), row by row.
    static std::vector<uint32_t> Block(int x, int y, int w = 25, int h = 25) {
        std::vector<uint32_t> out;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) out.push_back(Surface_get(&BackBuffer, x + i, y + j));
        return out;
    }
    // The block as the start-up background has it.
    static std::vector<uint32_t> Background_block(int x, int y, int w = 25, int h = 25) {
        std::vector<uint32_t> out;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) out.push_back(Test_background_pixel(x + i, y + j));
        return out;
    }
    // True if the whole of BackBuffer shows the start-up background.
    static bool Shows_background() {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (Surface_get(&BackBuffer, x, y) != Test_background_pixel(x, y)) return false;
        return true;
    }
    // The Parts.bmp icon is white over a black mask: wherever it is shown, the block is all white.
    static bool Shows_icon(int x, int y) { return Block(x, y) == std::vector<uint32_t>(625, 0xFFFFFFu); }
};
