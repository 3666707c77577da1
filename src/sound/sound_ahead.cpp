#include "sound/sound_ahead.h"

#include <cstring>

#include "platform/platform.h"

namespace {
bool asked = false;
}

void Sound_prepare_for(const uint8_t* text, size_t n) {
    // #play_wav, #play_midi and #play_mp3 all begin so; the word found in a comment only opens the
    // device a little early.
    static constexpr char PLAY[] = "#play_";
    if (asked || n == 0 || memmem(text, n, PLAY, sizeof PLAY - 1) == nullptr) return;
    asked = true;
    Platform_audio_prepare();
}

void Sound_ahead_reset() {
    asked = false;
}
