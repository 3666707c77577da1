#include "system/music_resume.h"

#include "core/game_stat.h"
#include "sound/effects.h"
#include "sound/music.h"
#include "system/snapshot.h"

void System_load_begin_BGM() {
    constexpr const char* CAPTION = "System_load_begin_BGM()";
    const SaveStat& r = Save_stat;
    // After a failure box the state ends all the same: trying again every frame would show the box
    // every frame.
    const bool ok = (r.MIDI_file[0] == '\0' || Music_resume(MUSIC_MIDI, r.MIDI_file, CAPTION)) &&
                    (r.MP3_file[0] == '\0' || Music_resume(MUSIC_MP3, r.MP3_file, CAPTION));
    if (ok && r.WAV_file[0] != '\0')
        Effect_play(r.WAV_loop_flag == WAV_LOOP ? WAV_LOOP : WAV_ONCE, r.WAV_file);
    Game_stat.SystemMenuState = 0;
}
