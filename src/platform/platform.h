// The platform layer: the only door from the engine to the operating system.
//
// Two backends implement it: sdl/ (a real window and real sound) and headless/ (a virtual clock,
// scripted input, the null sound driver). The entry point picks one with
// Platform_use_backend before anything else runs; every other procedure here forwards to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int WINDOW_WIDTH = 640;
constexpr int WINDOW_HEIGHT = 480;

// Key codes. Letters and digits are their lower-case ASCII codes; the rest are named here.
enum PlatformKey : int {
    KEY_NONE = 0,
    KEY_BACKSPACE = 8,
    KEY_TAB = 9,
    KEY_RETURN = 13,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_LEFT = 256,
    KEY_RIGHT,
    KEY_UP,
    KEY_DOWN,
    KEY_HOME,
    KEY_END,
    KEY_DELETE,
    KEY_SHIFT,
    KEY_CONTROL,
    KEY_OTHER,
    KEY_PAGEUP,
    KEY_PAGEDOWN,
    KEY_PLUS,  // a typed `+` whatever the layout (or `=`, the key `+` shares on many), the keypad's `+`
    KEY_MINUS, // a typed `-`, the keypad's `-`
    KEY_F2,
    KEY_F3,
    KEY_F4,
    KEY_F5,
    KEY_F12,
    KEY_ALT, // Alt, AltGr or a Super key: like Shift and Ctrl, a modifier with no meaning alone
    KEY_F1,
};

// Bits of the key-state word carried by mouse events (the engine's MouseButtons).
constexpr uint32_t MK_LBUTTON = 1;
constexpr uint32_t MK_RBUTTON = 2;
constexpr uint32_t MK_SHIFT = 4;
constexpr uint32_t MK_CONTROL = 8;
constexpr uint32_t MK_MBUTTON = 16;

enum class EventType : uint8_t {
    Quit,         // the platform wants the program to end now with `code` (headless scenario end, timeout)
    WindowClosed, // the player closed the window
    Paint,        // the window's content was lost and must be drawn again
    KeyDown,      // `key`; `repeat` is set for auto-repeat presses
    KeyUp,        // `key`
    MouseDown,    // `button` 1 left, 2 right, 3 middle, at (x, y), `buttons` held after the press
    MouseUp,      // `button`, at (x, y), `buttons` held after the release
    MouseMove,    // at (x, y), `buttons` held
    MusicNotify,  // a piece started with notification has ended or was interrupted
    TextInput,    // `text`: UTF-8 typed by the player (through an input method where one is active)
    MouseWheel,   // `wheel` notches, positive away from the player (up), at (x, y)
};

struct PlatformEvent {
    EventType type = EventType::Quit;
    int key = KEY_NONE;
    bool repeat = false;
    int button = 0;
    int x = 0, y = 0;     // always in 640x480 picture coordinates, clamped to the picture
    uint32_t buttons = 0; // key-state word, MK_* bits
    int code = 0;         // exit code of a Quit event
    char text[32] = {};   // TextInput: NUL-terminated UTF-8
    int wheel = 0;        // MouseWheel: notches, up positive
};

enum class BoxKind : uint8_t { Ok, YesNo };
enum class MusicKind : uint8_t { Midi, Mp3 };

// Music slots: the engine opens at most this many pieces at once (one per media alias).
constexpr int MUSIC_SLOTS = 4;
enum class BoxAnswer : uint8_t { Ok, Yes, No };

// A backend is three tables of procedures, one per part of the machine. The engine calls the
// Platform_* wrappers below, never these.

// The window: opening it, showing pictures in it, its caption and size, and the end of the run.
struct PlatformVideo {
    bool (*open_window)(const char* title_utf8);
    bool (*has_window)();
    void (*present)(const uint32_t* picture);
    void (*present_part)(const uint32_t* picture, int x, int y, int w, int h);
    void (*set_title)(const char* title_utf8);
    void (*window_mode)(int* scale, bool* fullscreen);
    void (*set_window_mode)(int scale, bool fullscreen);
    void (*close)(int exit_code);
};

// The clock and what the player does: events, the key state, typed text.
struct PlatformInput {
    uint32_t (*time_ms)();
    bool (*wait_event)(PlatformEvent* event, uint32_t timeout_ms);
    bool (*key_down)(int key);
    void (*text_input)(bool on);
};

// The sound device: one effect, the music slots, the loudness.
struct PlatformAudio {
    bool (*effect_play)(const uint8_t* data, size_t size, bool loop);
    void (*effect_stop)();
    bool (*music_open)(int slot, const uint8_t* data, size_t size, MusicKind kind, char* error_utf8,
                       size_t error_size);
    void (*music_play)(int slot);
    void (*music_stop)(int slot);
    void (*music_close)(int slot);
    void (*audio_volume)(int music_percent, int effects_percent);
    void (*prepare)(); // may be null: the first sound call then opens the device
};

struct PlatformBackend {
    const PlatformVideo* video;
    const PlatformInput* input;
    const PlatformAudio* audio;
};

// Chooses the backend that every later Platform_* call uses.
void Platform_use_backend(const PlatformBackend* backend);

// The run log's quoting of a text: `\`, `"` and line feeds escaped, carriage returns left out.
std::string Platform_log_escape(const std::string& text_utf8);

// Video.

// Creates the 640x480 window, centred on the desktop and shown, titled `title_utf8`. False if it
// cannot be made.
bool Platform_open_window(const char* title_utf8);

// True once the window exists (message boxes fall back to standard error before that).
bool Platform_has_window();

// Shows a 640x480 picture of 0x00RRGGBB pixels, rows top to bottom, in the window.
void Platform_present(const uint32_t* picture);

// Shows the picture like Platform_present where only its w x h rectangle at (x, y) differs from
// the picture presented last (w or h 0: none of it), without copying it: the caller keeps the
// picture alive and unchanged until its next present, since the window draws it again from there
// when it is uncovered or resized.
void Platform_present_part(const uint32_t* picture, int x, int y, int w, int h);

// Changes the window's caption.
void Platform_set_title(const char* title_utf8);

// The window's present scale (1-8) and whether it fills the screen, to be remembered for the next
// run.
void Platform_window_mode(int* scale, bool* fullscreen);

// Shows the picture `scale` times larger in a window (made smaller if the desktop cannot hold it),
// or fills the screen.
void Platform_set_window_mode(int scale, bool fullscreen);

// Ends the platform's work: closes the window and the audio device, writes the final log line.
void Platform_close(int exit_code);

// Input.

// The multimedia clock: milliseconds in unsigned 32-bit arithmetic (it wraps after 49.7 days).
uint32_t Platform_time_ms();

// Takes the next event into *event and returns true, or returns false once `timeout_ms` has passed
// without one. A timeout of 0 only looks; it never waits. Never spins while it waits.
bool Platform_wait_event(PlatformEvent* event, uint32_t timeout_ms);

// The key-state query: true while `key` (a PlatformKey or letter) or, for the MK_* mouse buttons
// passed as negative values (-MK_LBUTTON ...), that button is held down.
bool Platform_key_down(int key);

// Switches the delivery of typed text (TextInput events, composed by an input method where one is
// active) on or off. It is off except while the name prompt is open, so letter keys stay keys.
void Platform_text_input(bool on);

// Audio. The engine checks names, sizes and file headers itself; these entries only decode and
// play. A machine without an audio device plays nothing but answers as if it did, so scripts and
// saves behave the same with and without sound.

// Plays `size` bytes of a WAV file (checked: see formats/wav_check.h; copied) once or looping, replacing
// the effect that is playing; no bytes only stop it. Returns at once; false if the decoder refuses
// them.
bool Platform_effect_play(const uint8_t* data, size_t size, bool loop);

// Stops the sound effect, if one plays.
void Platform_effect_stop();

// Prepares `size` bytes of a MIDI or MP3 file (copied) for playing in music slot `slot` (0 to
// MUSIC_SLOTS - 1), replacing what the slot held. False, with a one-line reason in `error_utf8`
// (Japanese, cut to `error_size`), if the decoder refuses it.
bool Platform_music_open(int slot, const uint8_t* data, size_t size, MusicKind kind, char* error_utf8,
                         size_t error_size);

// Plays slot `slot` from its beginning, looping without a gap until it is stopped, in place of any
// other slot that plays. A MusicNotify event comes only if a piece reaches an end it cannot loop
// past; stopping or closing a piece sends none.
void Platform_music_play(int slot);

// Stops slot `slot` if it plays; it stays open.
void Platform_music_stop(int slot);

// Stops and forgets slot `slot`.
void Platform_music_close(int slot);

// Sets the loudness of the music and of the sound effects, each 0 (silent) to 100 (full), for
// what plays now and what plays later.
void Platform_audio_volume(int music_percent, int effects_percent);

// The game is about to sound: the platform may open its device and make its synthesiser now, off
// the main thread, so the first sound call does not wait for them. Nothing if it cannot or has.
void Platform_audio_prepare();
