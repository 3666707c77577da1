// The SDL backend's table: starting and ending SDL, and the small procedures that are one SDL call.
#include "platform/sdl/sdl_internal.h"

namespace {

SdlOptions options;

// True if SDL_VIDEODRIVER (or the same hint) names `driver` among the drivers it asks for.
bool driver_asked_for(const char* driver) {
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (asked == nullptr) return false;
    const size_t n = SDL_strlen(driver);
    for (const char* p = asked; *p != '\0';) {
        const char* end = SDL_strchr(p, ',');
        const size_t len = end != nullptr ? size_t(end - p) : SDL_strlen(p);
        if (len == n && SDL_strncasecmp(p, driver, n) == 0) return true;
        p += len + (end != nullptr ? 1 : 0);
    }
    return false;
}

// Without a display SDL falls back to drivers whose windows nobody sees: a game would run on
// unseen for ever. They are taken only when asked for by name.
bool unseen_driver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) return true;
    for (const char* unseen : {"offscreen", "dummy", "evdev"})
        if (SDL_strcasecmp(driver, unseen) == 0 && !driver_asked_for(unseen)) return true;
    return false;
}

bool open_window(const char* title_utf8) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        SDL_Log("cannot start SDL: %s", SDL_GetError());
        return false;
    }
    if (unseen_driver()) {
        SDL_Log("no display: SDL offers only its \"%s\" video driver", SDL_GetCurrentVideoDriver());
        SDL_Quit();
        return false;
    }
    if (!Sdl_window_open(title_utf8, options)) {
        SDL_Quit();
        return false;
    }
    Sdl_events_start();
    // The audio device opens when the game's script is seen to sound, or at the first sound call.
    Sdl_audio_reverb(options.reverb);
    return true;
}

bool has_window() {
    return Sdl_window() != nullptr;
}

void shut_down(int /*exit_code*/) {
    Sdl_audio_close();
    Sdl_window_close();
    SDL_Quit();
}

uint32_t time_ms() {
    return SDL_GetTicks();
}

void set_title(const char* title_utf8) {
    if (Sdl_window() != nullptr) SDL_SetWindowTitle(Sdl_window(), title_utf8);
}

// Typed text comes through SDL's text input, so an input method can compose Japanese; it stays
// off otherwise, or every letter key would bring a text event too.
void text_input(bool on) {
    if (on) {
        // Text still queued was typed before the prompt opened, by keys meant for something else.
        SDL_FlushEvents(SDL_TEXTEDITING, SDL_TEXTINPUT);
        SDL_StartTextInput();
    } else {
        SDL_StopTextInput();
    }
}

// The scale asked for (the window may have had to be smaller to fit the desktop) and the
// present fullscreen state.
void window_mode(int* scale, bool* fullscreen) {
    *scale = options.scale;
    *fullscreen = Sdl_window_fullscreen();
}

void set_window_mode(int scale, bool fullscreen) {
    options.scale = scale;
    Sdl_window_set_mode(scale, fullscreen);
}

const PlatformVideo video = {
    .open_window = open_window,
    .has_window = has_window,
    .present = Sdl_window_present,
    .present_part = Sdl_window_present_part,
    .set_title = set_title,
    .window_mode = window_mode,
    .set_window_mode = set_window_mode,
    .close = shut_down,
};

const PlatformInput input = {
    .time_ms = time_ms,
    .wait_event = Sdl_events_wait,
    .key_down = Sdl_events_key_down,
    .text_input = text_input,
};

const PlatformAudio audio = {
    .effect_play = Sdl_audio_effect_play,
    .effect_stop = Sdl_audio_effect_stop,
    .music_open = Sdl_audio_music_open,
    .music_play = Sdl_audio_music_play,
    .music_stop = Sdl_audio_music_stop,
    .music_close = Sdl_audio_music_close,
    .audio_volume = Sdl_audio_volume,
    .prepare = Sdl_audio_prepare,
};

const PlatformBackend backend = {&video, &input, &audio};

} // namespace

const PlatformBackend* Sdl_backend(const SdlOptions& chosen) {
    options = chosen;
    return &backend;
}
