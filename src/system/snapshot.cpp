#include "system/snapshot.h"

#include <cstring>

#include "core/file_io.h"
#include "core/lifecycle.h"
#include "core/sjis.h"
#include "script/script_file.h"

SaveStat Save_stat;

namespace {

// The record's text fields: each must hold its terminator.
constexpr char (SaveStat::*TEXTS[])[SAVE_PATH_SIZE] = {
    &SaveStat::Script_file, &SaveStat::BS_file,  &SaveStat::BG_file, &SaveStat::PT_file,
    &SaveStat::MIDI_file,   &SaveStat::MP3_file, &SaveStat::WAV_file};

} // namespace

void Snapshot_take() {
    Engine_modules_save(&Save_stat);
}

bool Snapshot_check(const SaveStat& r, std::string* reason) {
    for (auto field : TEXTS) {
        if (std::memchr(r.*field, '\0', SAVE_PATH_SIZE) == nullptr) {
            *reason = "名前の欄が途中で切れています（終わりの印がありません）。";
            return false;
        }
    }
    size_t size = 0;
    if (!File_read_all(r.Script_file, nullptr, 0, &size)) {
        *reason = "台本【 " + Sjis_to_utf8(r.Script_file) + " 】が見つからないか、読み込めません。";
        return false;
    }
    if (size > size_t(SCRIPT_BUFFER_SIZE)) {
        *reason = "台本【 " + Sjis_to_utf8(r.Script_file) + " 】が大きすぎます（1MB まで）。";
        return false;
    }
    if (r.Script_offset < 0 || size_t(r.Script_offset) > size) {
        *reason = "台本の位置 " + std::to_string(r.Script_offset) + " が台本【 " +
                  Sjis_to_utf8(r.Script_file) + " 】（" + std::to_string(size) +
                  " バイト）の外を指しています。";
        return false;
    }
    return true;
}

void Snapshot_restore() {
    Engine_modules_restore(Save_stat);
}

void Snapshot_reset() {
    Save_stat = SaveStat{};
}
