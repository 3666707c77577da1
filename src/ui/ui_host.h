// What the engine's dialogs reach in the frame loop above them: the window picture as last shown
// and the window's own message handler. The app layer sets it once at start-up; until it does (and
// in a program that never sets it) a dialog draws over a black picture and the window's handler
// takes nothing.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// What the app layer provides.
struct UiHost {
    const uint32_t* (*window_picture)();                // 640x480, 0x00RRGGBB
    void (*window_message)(const PlatformEvent& event); // the window's handler
};

// Routes the dialogs to `host` (nullptr: back to the fallbacks above).
void Ui_host_set(const UiHost* host);

// The window picture as last shown (WINDOW_WIDTH x WINDOW_HEIGHT, 0x00RRGGBB).
const uint32_t* Ui_window_picture();

// Hands `event` to the window's own handler, as if no dialog were open.
void Ui_window_message(const PlatformEvent& event);
