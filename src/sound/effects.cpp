#include "sound/effects.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/file_io.h"
#include "core/path.h"
#include "core/run_log.h"
#include "core/save_stat.h"
#include "core/sjis.h"
#include "formats/wav_check.h"
#include "platform/platform.h"

WavRecord WavState;

namespace {

// The box for a file that is there but is not played.
void Refuse(const char* path, const std::string& reason) {
    const std::string text = "効果音【 " + Sjis_to_utf8(path) + " 】を再生できません（" + reason + "）。";
    Msg_box(text.c_str(), "Com_play_wav()");
}

} // namespace

void Effect_play(uint32_t flags, const char* path) {
    if (!Path_stays_inside(path)) {
        File_report_outside(path, "Com_play_wav()");
        return;
    }
    // Read whole by the one reader of regular files: a pipe or a device named as an effect is not
    // there, and a missing file plays nothing, unreported.
    std::vector<uint8_t> bytes;
    const FileRead read = File_read_bytes(path, &bytes, WAV_FILE_LIMIT);
    if (read == FileRead::TooLarge) {
        const std::string text =
            "効果音【 " + Sjis_to_utf8(path) + " 】が大きすぎて再生できません（64MB まで）。";
        Msg_box(text.c_str(), "Com_play_wav()");
        return;
    }
    if (const char* problem = read == FileRead::Ok ? Wav_problem(bytes.data(), bytes.size()) : nullptr) {
        Refuse(path, problem);
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
    Run_log(line.c_str());
    if (!Platform_effect_play(bytes.data(), bytes.size(), loop)) {
        WavState = WavRecord{};
        Refuse(path, "WAV データを読み込めません");
    }
}

void Effect_stop() {
    if (WavState.WavPlaying != 1) return;
    Run_log("sound \"wav stop\"");
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
