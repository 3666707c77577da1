#include "system/slot_files.h"

#include <cstdio>

#include "core/path.h"
#include "platform/host_files.h"
#include "system/snapshot.h"

std::string Slot_file_name(int slot) {
    char name[32];
    std::snprintf(name, sizeof name, ".\\SAVE\\data%02d.svd", slot);
    return name;
}

bool Slot_label(int slot, char (&label)[SLOT_LABEL_SIZE]) {
    HostLocalTime t;
    std::string host;
    // Looked up, not opened: a file the player cannot read still shows its time.
    if (!Game_path(Slot_file_name(slot).c_str(), &host) || !Host_modified_time(host, &t)) {
        std::snprintf(label, sizeof label, "data%02d  ----.--.--  --:--:-- ", slot);
        return false;
    }
    std::snprintf(label, sizeof label, "data%02d  %d.%02d.%02d  %02d:%02d:%02d ", slot, t.year, t.month,
                  t.day, t.hour, t.minute, t.second);
    return true;
}

bool Slot_write(int slot, std::string* reason) {
    // A game shipped without its SAVE folder could otherwise never save. A SAVE folder (or slot
    // file) that is a link out of the game is refused: a save never writes outside the game.
    std::string folder, file;
    if (!Game_path(".\\SAVE", &folder) || !Game_path(Slot_file_name(slot).c_str(), &file)) {
        *reason = "フォルダ SAVE がゲームのフォルダの外を指しているので、書き込みません。";
        return false;
    }
    if (!Host_make_folder(folder)) {
        *reason = "フォルダ SAVE を作れません。";
        return false;
    }
    std::string error;
    if (!Host_write_file(file, &Save_stat, sizeof Save_stat, &error)) {
        *reason = "ファイルに書き込めません（" + error + "）。";
        return false;
    }
    return true;
}

namespace {

// Slot_probe, with the slot file's host path in *host.
SlotRead Probe(int slot, std::string* host, std::string* reason) {
    std::string why;
    if (!Game_path(Slot_file_name(slot).c_str(), host)) {
        *reason = "ファイルがゲームのフォルダの外を指しています。";
        return SlotRead::Refused;
    }
    if (Host_is_file(*host, &why)) return SlotRead::Ok;
    if (!Host_exists(*host)) return SlotRead::Missing;
    *reason = "ファイルを開けません（" + why + "）。";
    return SlotRead::Refused;
}

} // namespace

SlotRead Slot_probe(int slot, std::string* reason) {
    std::string host;
    return Probe(slot, &host, reason);
}

SlotRead Slot_read(int slot, SaveStat* out, std::string* reason) {
    size_t size = 0;
    SaveStat record{};
    std::string host;
    const SlotRead probe = Probe(slot, &host, reason);
    if (probe != SlotRead::Ok) return probe;
    if (!Host_read_prefix(host, &record, sizeof record, &size)) return SlotRead::Missing;
    if (size != SAVE_STAT_SIZE) {
        *reason = "セーブデータの大きさが " + std::to_string(size) + " バイトです（" +
                  std::to_string(SAVE_STAT_SIZE) + " バイトのはず）。";
        return SlotRead::Refused;
    }
    if (!Snapshot_check(record, reason)) return SlotRead::Refused;
    *out = record;
    return SlotRead::Ok;
}
