// Event delivery: SDL's events become the engine's PlatformEvents, in picture coordinates and with
// the engine's key codes and key-state word. Events the engine has no use for are dealt with here
// (window resizes, the fullscreen hot key) or dropped, and never end a wait.
#include <atomic>

#include "platform/event_mapping.h"
#include "platform/sdl/sdl_internal.h"

namespace {

// The user event type that carries "music ended"; (Uint32)-1 until registered. Atomic because the
// audio thread reads it.
std::atomic<Uint32> music_event{Uint32(-1)};

uint32_t held_mouse = 0;          // MK_* mouse bits held after the last mouse event
SDL_Keycode swallowed_return = 0; // the Enter key whose press toggled fullscreen, until released
bool close_delivered = false;     // closing the window brings both a close and a quit event

int key_from_sdl(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return KEY_RETURN;
    case SDLK_SPACE:
        return KEY_SPACE;
    case SDLK_ESCAPE:
        return KEY_ESCAPE;
    case SDLK_TAB:
        return KEY_TAB;
    case SDLK_BACKSPACE:
        return KEY_BACKSPACE;
    case SDLK_LEFT:
        return KEY_LEFT;
    case SDLK_RIGHT:
        return KEY_RIGHT;
    case SDLK_UP:
        return KEY_UP;
    case SDLK_DOWN:
        return KEY_DOWN;
    case SDLK_HOME:
        return KEY_HOME;
    case SDLK_END:
        return KEY_END;
    case SDLK_DELETE:
        return KEY_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return KEY_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return KEY_CONTROL;
    case SDLK_PAGEUP:
        return KEY_PAGEUP;
    case SDLK_PAGEDOWN:
        return KEY_PAGEDOWN;
    case SDLK_LALT:
    case SDLK_RALT:
    case SDLK_LGUI:
    case SDLK_RGUI:
    case SDLK_MODE:
        return KEY_ALT;
    case SDLK_KP_PLUS:
        return KEY_PLUS;
    case SDLK_KP_MINUS:
        return KEY_MINUS;
    case SDLK_F2:
        return KEY_F2;
    case SDLK_F3:
        return KEY_F3;
    case SDLK_F4:
        return KEY_F4;
    case SDLK_F5:
        return KEY_F5;
    case SDLK_F12:
        return KEY_F12;
    case SDLK_F1:
        return KEY_F1;
    default:
        break;
    }
    // SDL's key codes for letters and digits are already their lower-case ASCII codes.
    if ((sym >= 'a' && sym <= 'z') || (sym >= '0' && sym <= '9')) return int(sym);
    return KEY_OTHER;
}

// The key a press means. SDL names a key by what it types alone; + and - are taken from what it
// types with the Shift state of the press, which depends on the layout.
int key_of(const SDL_Keysym& keysym) {
    const bool colon_key = SDL_GetScancodeFromKey(SDLK_COLON) != SDL_SCANCODE_UNKNOWN;
    const int pace = Event_pace_key(int(keysym.sym), (keysym.mod & KMOD_SHIFT) != 0, colon_key);
    return pace != KEY_NONE ? pace : key_from_sdl(keysym.sym);
}

// SDL's button numbers (1 left, 2 middle, 3 right) in the engine's order (1 left, 2 right,
// 3 middle); 0 for the side buttons, which the engine ignores.
int button_from_sdl(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 3;
    default:
        return 0;
    }
}

uint32_t mouse_bits_from_sdl(Uint32 state) {
    return ((state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0) | ((state & SDL_BUTTON_RMASK) ? MK_RBUTTON : 0) |
           ((state & SDL_BUTTON_MMASK) ? MK_MBUTTON : 0);
}

uint32_t key_state(uint32_t mouse_bits) {
    const SDL_Keymod mod = SDL_GetModState();
    return Event_key_state(mouse_bits, (mod & KMOD_SHIFT) != 0, (mod & KMOD_CTRL) != 0);
}

void set_position(PlatformEvent* out, int window_x, int window_y) {
    Window_to_picture(Sdl_window_fit(), window_x, window_y, &out->x, &out->y);
}

bool is_enter(SDL_Keycode sym) {
    return sym == SDLK_RETURN || sym == SDLK_KP_ENTER;
}

// Alt+Enter switches fullscreen. Its press (and auto-repeats) and the Enter release that follows
// stay here, so the engine never takes it for the "go on" key. True if the event was taken.
bool take_fullscreen_key(const SDL_KeyboardEvent& key) {
    if (key.type == SDL_KEYDOWN && is_enter(key.keysym.sym) && (key.keysym.mod & KMOD_ALT) != 0) {
        if (!key.repeat) Sdl_window_toggle_fullscreen();
        swallowed_return = key.keysym.sym;
        return true;
    }
    if (key.type == SDL_KEYUP && swallowed_return != 0 && key.keysym.sym == swallowed_return) {
        swallowed_return = 0;
        return true;
    }
    return false;
}

bool translate_window_event(const SDL_WindowEvent& window, PlatformEvent* out) {
    switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        if (close_delivered) return false;
        close_delivered = true;
        out->type = EventType::WindowClosed;
        return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        Sdl_window_redraw();
        return false;
    case SDL_WINDOWEVENT_EXPOSED:
        // Answered at once from the kept picture; the engine may paint again on the Paint event.
        Sdl_window_redraw();
        out->type = EventType::Paint;
        return true;
    default:
        return false;
    }
}

// Fills *out from `e` and returns true, or returns false for an event the engine does not see.
bool translate(const SDL_Event& e, PlatformEvent* out) {
    *out = PlatformEvent{};
    switch (e.type) {
    case SDL_QUIT:
        if (close_delivered) return false;
        close_delivered = true;
        out->type = EventType::WindowClosed;
        return true;
    case SDL_WINDOWEVENT:
        return translate_window_event(e.window, out);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (take_fullscreen_key(e.key)) return false;
        out->type = e.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
        out->key = key_of(e.key.keysym);
        out->repeat = e.key.repeat != 0;
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const int button = button_from_sdl(e.button.button);
        if (button == 0) return false;
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        // The button's own change is applied here rather than read from SDL's live mouse state,
        // which may already include presses still waiting in the queue.
        held_mouse = Event_buttons_after(held_mouse, button, down);
        out->type = down ? EventType::MouseDown : EventType::MouseUp;
        out->button = button;
        out->buttons = key_state(held_mouse);
        set_position(out, e.button.x, e.button.y);
        return true;
    }
    case SDL_MOUSEMOTION:
        held_mouse = mouse_bits_from_sdl(e.motion.state);
        out->type = EventType::MouseMove;
        out->buttons = key_state(held_mouse);
        set_position(out, e.motion.x, e.motion.y);
        return true;
    case SDL_MOUSEWHEEL: {
        const int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (notches == 0) return false; // a sideways scroll
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        out->type = EventType::MouseWheel;
        out->wheel = notches;
        out->buttons = key_state(held_mouse);
        set_position(out, x, y);
        return true;
    }
    case SDL_TEXTINPUT:
        out->type = EventType::TextInput;
        Event_copy_text(out->text, sizeof out->text, e.text.text);
        return true;
    default:
        if (e.type == music_event.load()) {
            out->type = EventType::MusicNotify;
            return true;
        }
        return false;
    }
}

} // namespace

void Sdl_events_start() {
    if (music_event.load() == Uint32(-1)) music_event.store(SDL_RegisterEvents(1));
    // SDL starts with text input on, which would send every letter key as text as well; it stays
    // off until something asks for typed text.
    SDL_StopTextInput();
    held_mouse = 0;
    swallowed_return = 0;
    close_delivered = false;
}

bool Sdl_events_wait(PlatformEvent* event, uint32_t timeout_ms) {
    if (Sdl_window() == nullptr) {
        // No event queue to wait on: SDL would fail at once and the loop below would spin.
        SDL_Delay(timeout_ms);
        return false;
    }
    const Uint32 start = SDL_GetTicks();
    for (;;) {
        const Uint32 elapsed = SDL_GetTicks() - start;
        SDL_Event e;
        // A zero timeout makes SDL poll, so it is passed only when no time is left; otherwise a
        // wait ends by an event or by the remaining time, never by spinning.
        const bool got = elapsed >= timeout_ms ? SDL_PollEvent(&e) != 0
                                               : SDL_WaitEventTimeout(&e, int(timeout_ms - elapsed)) != 0;
        if (!got) {
            if (elapsed >= timeout_ms) return false;
            continue; // woke early or the time ran out: the next turn decides
        }
        if (translate(e, event)) return true;
    }
}

bool Sdl_events_key_down(int key) {
    if (key < 0) {
        // Negative values ask for MK_* bits of the key-state word: the mouse buttons (and the
        // shift and control bits, which come out the same).
        const uint32_t bits = 0u - uint32_t(key);
        return (key_state(mouse_bits_from_sdl(SDL_GetMouseState(nullptr, nullptr))) & bits) != 0;
    }
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    switch (key) {
    case KEY_NONE:
    case KEY_OTHER:
        return false;
    case KEY_RETURN:
        return keys[SDL_SCANCODE_RETURN] || keys[SDL_SCANCODE_KP_ENTER];
    case KEY_LEFT:
        return keys[SDL_SCANCODE_LEFT];
    case KEY_RIGHT:
        return keys[SDL_SCANCODE_RIGHT];
    case KEY_UP:
        return keys[SDL_SCANCODE_UP];
    case KEY_DOWN:
        return keys[SDL_SCANCODE_DOWN];
    case KEY_HOME:
        return keys[SDL_SCANCODE_HOME];
    case KEY_END:
        return keys[SDL_SCANCODE_END];
    case KEY_DELETE:
        return keys[SDL_SCANCODE_DELETE];
    case KEY_SHIFT:
        return keys[SDL_SCANCODE_LSHIFT] || keys[SDL_SCANCODE_RSHIFT];
    case KEY_CONTROL:
        return keys[SDL_SCANCODE_LCTRL] || keys[SDL_SCANCODE_RCTRL];
    default:
        break;
    }
    // Backspace, tab, escape, space, letters and digits: their codes are SDL key codes too, and
    // the keyboard layout decides which physical key that is.
    if (key > 127) return false;
    const SDL_Scancode code = SDL_GetScancodeFromKey(SDL_Keycode(key));
    return code != SDL_SCANCODE_UNKNOWN && keys[code] != 0;
}

void Sdl_push_music_notify() {
    const Uint32 type = music_event.load();
    if (type == Uint32(-1)) return;
    SDL_Event e;
    SDL_zero(e);
    e.type = type;
    SDL_PushEvent(&e);
}
