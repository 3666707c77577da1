#include "system/load_game.h"

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/sjis.h"
#include "script/backlog.h"
#include "sound/effects.h"
#include "sound/music.h"
#include "system/snapshot.h"

SlotRead Load_game(int slot, std::string* reason, void (*close_screen)()) {
    SaveStat record;
    const SlotRead result = Slot_read(slot, &record, reason);
    if (result != SlotRead::Ok) return result;
    Load_record(record, close_screen);
    return result;
}

void Load_record(const SaveStat& record, void (*close_screen)()) {
    Music_stop(MUSIC_MIDI);
    Music_stop(MUSIC_MP3);
    Effect_stop();
    if (close_screen) close_screen();
    Save_stat = record;
    Snapshot_restore();
    // After the restore, which has just put back both as they were at the save point.
    Game_stat.SystemMenuState = 106;
    Game_stat.wait_on = 0;
    Backlog_page_start_is(record);
}

bool Load_page_start(size_t index) {
    const SaveStat* start = Backlog_page_start(index);
    if (!start) return false;
    const SaveStat record = *start; // the backlog's copy goes with the pages dropped
    Backlog_drop_from(index);
    Load_record(record);
    return true;
}

bool Load_game_can_try(int slot, const char* caption) {
    std::string reason;
    switch (Slot_probe(slot, &reason)) {
    case SlotRead::Ok:
        return true;
    case SlotRead::Missing:
        Msg_box("セーブデータがありません", caption);
        return false;
    case SlotRead::Refused:
        break;
    }
    Load_game_refused(slot, reason, caption);
    return false;
}

void Load_game_refused(int slot, const std::string& reason, const char* caption) {
    char label[SLOT_LABEL_SIZE];
    Slot_label(slot, label);
    Msg_box(("このセーブデータは読み込めません\n\n【" + Sjis_to_utf8(label) + "】\n\n" + reason).c_str(),
            caption);
}
