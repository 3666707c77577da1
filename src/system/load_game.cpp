#include "system/load_game.h"

#include "core/game_stat.h"
#include "sound/effects.h"
#include "sound/music.h"
#include "system/snapshot.h"

SlotRead Load_game(int slot, std::string* reason, void (*close_screen)()) {
    SaveStat record;
    const SlotRead result = Slot_read(slot, &record, reason);
    if (result != SlotRead::Ok) return result;
    Music_stop(MUSIC_MIDI);
    Music_stop(MUSIC_MP3);
    Effect_stop();
    if (close_screen) close_screen();
    Save_stat = record;
    Snapshot_restore();
    // After the restore, which has just put back both as they were at the save point.
    Game_stat.SystemMenuState = 106;
    Game_stat.wait_on = 0;
    return result;
}
