#include "system/slot_files.h"

#include <cstdio>

#include "core/file_io.h"
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
    // Looked up, not opened: a file the player cannot read still shows its time.
    if (!Host_modified_time(Path_resolve(Slot_file_name(slot).c_str()), &t)) {
        std::snprintf(label, sizeof label, "data%02d  ----.--.--  --:--:-- ", slot);
        return false;
    }
    std::snprintf(label, sizeof label, "data%02d  %d.%02d.%02d  %02d:%02d:%02d ", slot, t.year, t.month,
                  t.day, t.hour, t.minute, t.second);
    return true;
}

bool Slot_write(int slot, std::string* reason) {
    // A game shipped without its SAVE folder could otherwise never save.
    const std::string folder = Path_resolve(".\\SAVE");
    if (!Host_make_folder(folder)) {
        *reason = "フォルダ SAVE を作れません。";
        return false;
    }
    std::string error;
    if (!Host_write_file(Path_resolve(Slot_file_name(slot).c_str()), &Save_stat, sizeof Save_stat, &error)) {
        *reason = "ファイルに書き込めません（" + error + "）。";
        return false;
    }
    return true;
}

SlotRead Slot_read(int slot, SaveStat* out, std::string* reason) {
    size_t size = 0;
    SaveStat record{};
    if (!File_read_all(Slot_file_name(slot).c_str(), &record, sizeof record, &size)) return SlotRead::Missing;
    if (size != SAVE_STAT_SIZE) {
        *reason = "セーブデータの大きさが " + std::to_string(size) + " バイトです（" +
                  std::to_string(SAVE_STAT_SIZE) + " バイトのはず）。";
        return SlotRead::Refused;
    }
    if (!Snapshot_check(record, reason)) return SlotRead::Refused;
    *out = record;
    return SlotRead::Ok;
}
