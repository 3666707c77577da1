#include "features/sound_commands.h"

#include <string>

#include "core/dialogs.h"
#include "script/parsers.h"
#include "script/script_file.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace {

void Play_music(int32_t type, const char* caption) {
    ++ScriptCursor;
    if (BgmState.MusicPlaying == 1) {
        Msg_box("別の曲を演奏中です。一端演奏停止してから再度コマンド実行してください♪", caption);
        Kaiseki_Symbol(); // the name would otherwise be typed out as story text
        return;
    }
    const std::string path = std::string(".\\MIDI\\") + Kaiseki_Symbol();
    Music_start(type, path.c_str(), caption);
}

} // namespace

void Com_play_wav() {
    ++ScriptCursor;
    const int32_t flag = Kaiseki_Num();
    uint32_t flags = WAV_ONCE;
    if (flag == 1) {
        flags = WAV_LOOP;
    } else if (flag != 0) {
        Msg_box("フラグは 0=単発 1=ループ のいずれかにしてください", "Com_play_wav()");
    }
    Skip_arg_separators();
    const std::string path = std::string(".\\wav\\") + Kaiseki_Symbol();
    Effect_play(flags, path.c_str());
}

// The stops take no argument: the cursor goes on to the delimiter after the word.
void Com_stop_wav() {
    ++ScriptCursor;
    Effect_stop();
}

void Com_play_midi() {
    Play_music(MUSIC_MIDI, "Com_play_midi()");
}

void Com_play_mp3() {
    Play_music(MUSIC_MP3, "Com_play_mp3()");
}

void Com_stop_midi() {
    ++ScriptCursor;
    Music_stop(MUSIC_MIDI);
}

void Com_stop_mp3() {
    ++ScriptCursor;
    Music_stop(MUSIC_MP3);
}
