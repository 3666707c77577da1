#include "platform/platform.h"

namespace {
const PlatformVideo* video = nullptr;
const PlatformInput* input = nullptr;
const PlatformAudio* audio = nullptr;
} // namespace

void Platform_use_backend(const PlatformBackend* chosen) {
    video = chosen->video;
    input = chosen->input;
    audio = chosen->audio;
}

bool Platform_open_window(const char* title) {
    return video->open_window(title);
}
bool Platform_has_window() {
    return video && video->has_window();
}
void Platform_present(const uint32_t* picture) {
    video->present(picture);
}
void Platform_present_part(const uint32_t* picture, int x, int y, int w, int h) {
    video->present_part(picture, x, y, w, h);
}
void Platform_set_title(const char* title) {
    video->set_title(title);
}
void Platform_window_mode(int* scale, bool* fullscreen) {
    video->window_mode(scale, fullscreen);
}

void Platform_set_window_mode(int scale, bool fullscreen) {
    video->set_window_mode(scale, fullscreen);
}
void Platform_close(int exit_code) {
    video->close(exit_code);
}

uint32_t Platform_time_ms() {
    return input->time_ms();
}
bool Platform_wait_event(PlatformEvent* event, uint32_t timeout_ms) {
    return input->wait_event(event, timeout_ms);
}
bool Platform_key_down(int key) {
    return input->key_down(key);
}
void Platform_text_input(bool on) {
    if (input) input->text_input(on);
}

bool Platform_effect_play(const uint8_t* data, size_t size, bool loop) {
    return audio->effect_play(data, size, loop);
}
void Platform_effect_stop() {
    audio->effect_stop();
}
bool Platform_music_open(int slot, const uint8_t* data, size_t size, MusicKind kind, char* error_utf8,
                         size_t error_size) {
    return audio->music_open(slot, data, size, kind, error_utf8, error_size);
}
void Platform_music_play(int slot) {
    audio->music_play(slot);
}
void Platform_music_stop(int slot) {
    audio->music_stop(slot);
}
void Platform_music_close(int slot) {
    audio->music_close(slot);
}
void Platform_audio_volume(int music_percent, int effects_percent) {
    audio->audio_volume(music_percent, effects_percent);
}
void Platform_audio_prepare() {
    if (audio != nullptr && audio->prepare != nullptr) audio->prepare();
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
