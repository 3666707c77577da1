#include "sound/effects.h"

#include <cstring>
#include <string>

#include "core/dialogs.h"
#include "core/file_io.h"
#include "core/path.h"
#include "core/save_stat.h"
#include "core/sjis.h"
#include "platform/platform.h"

WavRecord WavState;

void Effect_play(uint32_t flags, const char* path) {
    if (!Path_stays_inside(path)) {
        File_report_outside(path, "Com_play_wav()");
        return;
    }
    size_t size = 0;
    if (File_read_all(path, nullptr, 0, &size) && size > WAV_FILE_LIMIT) {
        const std::string text =
            "効果音【 " + Sjis_to_utf8(path) + " 】が大きすぎて再生できません（64MB まで）。";
        Msg_box(text.c_str(), "Com_play_wav()");
        return;
    }
    const bool loop = flags == WAV_LOOP;
    if (loop) {
        std::strncpy(WavState.WavLoopPath, path, WAV_PATH_SIZE - 1);
        WavState.WavLoopPath[WAV_PATH_SIZE - 1] = '\0';
    } else {
        WavState.WavLoopPath[0] = '\0';
    }
    WavState.WavPlaying = 1;
    WavState.WAV_loop_flag = flags;
    const std::string line = std::string("sound \"wav ") + (loop ? "loop " : "once ") +
                             Platform_log_escape(Sjis_to_utf8(path)) + "\"";
    Platform_log(line.c_str());
    Platform_effect_play(Path_resolve(path).c_str(), loop);
}

void Effect_stop() {
    if (WavState.WavPlaying != 1) return;
    Platform_log("sound \"wav stop\"");
    Platform_effect_stop();
    WavState = WavRecord{};
}

void Effect_reset() {
    WavState = WavRecord{};
}

void Effect_save(SaveStat* record) {
    Record_put_text(record->WAV_file, WavState.WavPlaying == 1 ? WavState.WavLoopPath : "");
    record->WAV_loop_flag = WavState.WAV_loop_flag;
}
