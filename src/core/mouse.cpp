#include "core/mouse.h"

uint32_t MouseButtons = 0;
int32_t MouseX = 0;
int32_t MouseY = 0;

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
}
