#include "platform/platform.h"

namespace {
const PlatformBackend* backend = nullptr;
}

void Platform_use_backend(const PlatformBackend* chosen) {
    backend = chosen;
}

bool Platform_open_window(const char* title) {
    return backend->open_window(title);
}
bool Platform_has_window() {
    return backend && backend->has_window();
}
void Platform_close(int exit_code) {
    backend->close(exit_code);
}
uint32_t Platform_time_ms() {
    return backend->time_ms();
}
bool Platform_wait_event(PlatformEvent* event, uint32_t timeout_ms) {
    return backend->wait_event(event, timeout_ms);
}
void Platform_present(const uint32_t* picture) {
    backend->present(picture);
}
void Platform_set_title(const char* title) {
    backend->set_title(title);
}
bool Platform_key_down(int key) {
    return backend->key_down(key);
}
bool Platform_scripted_box(const char* caption, const char* text, BoxKind kind, BoxAnswer* answer) {
    return backend && backend->scripted_box(caption, text, kind, answer);
}
void Platform_log(const char* line) {
    if (backend) backend->log(line);
}
void Platform_text_input(bool on) {
    if (backend) backend->text_input(on);
}
bool Platform_scripted_input(const char* default_utf8, char* result_utf8, size_t result_size) {
    return backend && backend->scripted_input(default_utf8, result_utf8, result_size);
}

bool Platform_effect_play(const uint8_t* data, size_t size, bool loop) {
    return backend->effect_play(data, size, loop);
}
void Platform_effect_stop() {
    backend->effect_stop();
}
bool Platform_music_open(int slot, const uint8_t* data, size_t size, MusicKind kind, char* error_utf8,
                         size_t error_size) {
    return backend->music_open(slot, data, size, kind, error_utf8, error_size);
}
void Platform_music_play(int slot) {
    backend->music_play(slot);
}
void Platform_music_stop(int slot) {
    backend->music_stop(slot);
}
void Platform_music_close(int slot) {
    backend->music_close(slot);
}
void Platform_audio_volume(int music_percent, int effects_percent) {
    backend->audio_volume(music_percent, effects_percent);
}
void Platform_window_mode(int* scale, bool* fullscreen) {
    backend->window_mode(scale, fullscreen);
}

std::string Platform_log_escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\\')
            out += "\\\\";
        else if (c != '\r')
            out += c;
    }
    return out;
}
