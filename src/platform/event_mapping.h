// Event details that every window backend builds the same way: the key-state word carried by mouse
// events, and typed text cut to fit an event.
#pragma once

#include <cstddef>
#include <cstdint>

// The MK_* bit of an engine mouse button (1 left, 2 right, 3 middle); 0 for any other button.
uint32_t Event_button_bit(int button);

// The mouse-button bits held after `button` went down (down = true) or up, given those held before.
uint32_t Event_buttons_after(uint32_t held, int button, bool down);

// The key-state word: the held mouse-button bits plus MK_SHIFT and MK_CONTROL.
uint32_t Event_key_state(uint32_t mouse_bits, bool shift, bool control);

// KEY_PLUS or KEY_MINUS if a main-keyboard key types `+` (or `=`) or `-`, else KEY_NONE. `unshifted`
// is what the key types alone (the layout's character for it), `shift` whether Shift is held, and
// `colon_key` whether the layout has a key of its own for `:`, as the Japanese ones do, where
// Shift+; types `+` (elsewhere Shift+; is `:` and `+` is Shift+= or a key of its own).
int Event_pace_key(int unshifted, bool shift, bool colon_key);

// Copies the NUL-terminated UTF-8 `src` into dst (dst_size >= 1 bytes, always terminated), dropping
// whole characters from the end when it does not fit, so a character is never cut in half.
void Event_copy_text(char* dst, size_t dst_size, const char* src);
