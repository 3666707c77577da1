#include "core/mouse.h"

#include "platform/event_mapping.h"

uint32_t MouseButtons = 0;
int32_t MouseX = 0;
int32_t MouseY = 0;

namespace {

uint32_t kept_out = 0; // buttons held through a dialog's close, until released

} // namespace

void Mouse_record(const PlatformEvent& event) {
    // A press or release of a kept-out button means it was let go: from now on it counts.
    if (event.type == EventType::MouseDown || event.type == EventType::MouseUp)
        kept_out &= ~Event_button_bit(event.button);
    MouseButtons = event.buttons & ~kept_out;
    MouseX = event.x & 0xFFFF;
    MouseY = event.y & 0xFFFF;
}

void Mouse_dialog_closed(int32_t x, int32_t y, uint32_t held) {
    kept_out = held & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    MouseButtons = 0;
    MouseX = x;
    MouseY = y;
}

int32_t Clamp_mouse_x(int32_t w) {
    return MouseX < 630 - w ? MouseX : 630 - w;
}

int32_t Clamp_mouse_y(int32_t h) {
    return MouseY < 470 - h ? MouseY : 470 - h;
}

bool MouseInRect(const Rect& r) {
    return r.left < MouseX && MouseX < r.right && r.top < MouseY && MouseY < r.bottom;
}

void Mouse_reset() {
    MouseButtons = 0;
    MouseX = 0;
    MouseY = 0;
    kept_out = 0;
}
