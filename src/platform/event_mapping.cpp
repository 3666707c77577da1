#include "platform/event_mapping.h"

#include <cstring>

#include "platform/platform.h"

uint32_t Event_button_bit(int button) {
    switch (button) {
    case 1:
        return MK_LBUTTON;
    case 2:
        return MK_RBUTTON;
    case 3:
        return MK_MBUTTON;
    default:
        return 0;
    }
}

uint32_t Event_buttons_after(uint32_t held, int button, bool down) {
    const uint32_t bit = Event_button_bit(button);
    return down ? (held | bit) : (held & ~bit);
}

uint32_t Event_key_state(uint32_t mouse_bits, bool shift, bool control) {
    return (mouse_bits & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) | (shift ? MK_SHIFT : 0) |
           (control ? MK_CONTROL : 0);
}

int Event_pace_key(int unshifted, bool shift, bool colon_key) {
    if (unshifted == '=' || (unshifted == '+' && !shift) || (unshifted == ';' && shift && colon_key))
        return KEY_PLUS;
    if (unshifted == '-' && !shift) return KEY_MINUS;
    return KEY_NONE;
}

void Event_copy_text(char* dst, size_t dst_size, const char* src) {
    size_t n = strnlen(src, dst_size);
    if (n == dst_size) {
        n = dst_size - 1;
        // src[n] is the first byte left out; while it continues a character, that character
        // started inside the copy and must be left out whole.
        while (n > 0 && (static_cast<unsigned char>(src[n]) & 0xC0) == 0x80)
            --n;
    }
    std::memcpy(dst, src, n);
    dst[n] = '\0';
}
