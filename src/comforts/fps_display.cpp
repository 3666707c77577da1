#include "comforts/fps_display.h"

#include <cstdio>

#include "gfx/box_fill.h"
#include "gfx/text_draw.h"
#include "platform/platform.h"

namespace {
uint32_t frames_counted = 0;
uint32_t shown_fps = 0;
uint32_t last_rollover = 0;
char text[64] = "";
} // namespace

void FPS_display(Surface* dc) {
    ++frames_counted;
    const uint32_t now = Platform_time_ms();
    if (now - last_rollover > 1000) {
        shown_fps = frames_counted;
        frames_counted = 0;
        last_rollover = now;
    }
    std::snprintf(text, sizeof text, "FPS:%03lu TC:%03lu ", static_cast<unsigned long>(shown_fps),
                  static_cast<unsigned long>(now));
    BoxFill(dc, 0, 0, 180, 18, 0x00FFFFFF);
    const uint32_t colour = 255 + 150 * 256 + 100 * 65536;
    TextPut_default_font(dc, 1, 0, colour, text);
    TextPut_default_font(dc, 0, 0, colour, text);
}

const char* Fps_last_text() {
    return text;
}

void Fps_reset() {
    text[0] = '\0';
    frames_counted = 0;
    shown_fps = 0;
    last_rollover = 0;
}
