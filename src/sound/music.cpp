#include "sound/music.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/dialogs.h"
#include "core/save_stat.h"
#include "core/sjis.h"
#include "sound/media_strings.h"

BgmRecord BgmState;

namespace {

constexpr const char* ALIAS[] = {"_MIDI_", "_MP3_"};
constexpr const char* DEVICE_TYPE[] = {"sequencer", "mpegvideo"};
constexpr const char* FAILURE[] = {"MIDIファイル %s が開けません (T0T)/~~ \n\n■%s ",
                                   "MP3ファイル %s が開けません (T0T)/~~ \n\n■%s "};

std::string Command(const char* format, int32_t type, const char* path = nullptr) {
    char text[640];
    if (path)
        std::snprintf(text, sizeof text, format, path, DEVICE_TYPE[type], ALIAS[type]);
    else
        std::snprintf(text, sizeof text, format, ALIAS[type]);
    return text;
}

// Open and check; on a failed check the failure box. True if the piece can play.
bool Open_and_check(int32_t type, const char* path, const char* caption) {
    Media_send(Command("open %s type %s alias %s", type, path).c_str());
    char answer[256] = {};
    const int code = Media_send(Command("capability %s can play wait", type).c_str(), answer, sizeof answer);
    if (std::strcmp(answer, "true") == 0) return true;
    char reason[256];
    Media_error_text(code, reason, sizeof reason);
    char text[1024];
    std::snprintf(text, sizeof text, FAILURE[type], Sjis_to_utf8(path).c_str(), reason);
    Msg_box(text, caption);
    return false;
}

void Set_path(const char* path) {
    std::strncpy(BgmState.MusicPath, path, MUSIC_PATH_SIZE - 1);
    BgmState.MusicPath[MUSIC_PATH_SIZE - 1] = '\0';
}

// Restart MIDI and restart MP3: close, open, check, play; the playing mark is left as it is.
void Restart(int32_t type) {
    static constexpr const char* CAPTION[] = {"Com_restart_midi()", "Com_restart_mp3()"};
    Media_send(Command("close %s", type).c_str());
    if (!Open_and_check(type, BgmState.MusicPath, CAPTION[type])) return;
    Media_send(Command("play %s notify", type).c_str());
    BgmState.MusicType = type;
}

// Open, check, (rewind,) play; the record then names the piece.
bool Start(int32_t type, const char* path, const char* caption, bool rewind) {
    if (!Open_and_check(type, path, caption)) return false;
    if (rewind) Media_send(Command("seek %s to start", type).c_str());
    Media_send(Command("play %s notify", type).c_str());
    BgmState.MusicPlaying = 1;
    Set_path(path);
    BgmState.MusicType = type;
    return true;
}

} // namespace

bool Music_start(int32_t type, const char* path, const char* caption) {
    return Start(type, path, caption, false);
}

bool Music_resume(int32_t type, const char* path, const char* caption) {
    return Start(type, path, caption, true);
}

void Music_stop(int32_t type) {
    if (BgmState.MusicPlaying != 1 || BgmState.MusicType != type) return;
    Media_send(Command("stop %s", type).c_str());
    Media_send(Command("close %s", type).c_str());
    BgmState.MusicPlaying = 0;
    BgmState.MusicPath[0] = '\0';
}

void Bgm_notify() {
    const int32_t type = BgmState.MusicType;
    if (type != MUSIC_MIDI && type != MUSIC_MP3) {
        Msg_box("BGMのタイプが変だよ～ん", "WndProc()");
        return;
    }
    if (BgmState.MusicPlaying == 1) {
        Restart(type);
    } else {
        BgmState.MusicPlaying = 0;
        BgmState.MusicPath[0] = '\0';
    }
}

void Music_reset() {
    Media_reset();
    BgmState = BgmRecord{};
}

void Music_save(SaveStat* record) {
    const bool playing = BgmState.MusicPlaying == 1;
    Record_put_text(record->MIDI_file, playing && BgmState.MusicType == MUSIC_MIDI ? BgmState.MusicPath : "");
    Record_put_text(record->MP3_file, playing && BgmState.MusicType == MUSIC_MP3 ? BgmState.MusicPath : "");
}
