#include "system/snapshot.h"

#include <cstring>

#include "core/file_io.h"
#include "core/sjis.h"
#include "features/shake_fade.h"
#include "features/timers.h"
#include "features/transition.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/picture_load.h"
#include "script/script_file.h"
#include "script/string_vars.h"
#include "script/text_settings.h"
#include "sound/effects.h"
#include "sound/music.h"

SaveStat Save_stat;

namespace {

// Copies a terminated text into a record field, cut to fit; the rest of the field is zeros, so the
// same state always makes the same file.
template <size_t N> void Put(char (&field)[N], const char* text) {
    const size_t n = strnlen(text, N - 1);
    std::memset(field, 0, N);
    std::memcpy(field, text, n);
}

// The three surfaces with the record's names for them, in the order a restore reloads them.
struct SurfaceField {
    Surface* surface;
    char (SaveStat::*name)[SAVE_PATH_SIZE];
};
const SurfaceField SURFACES[] = {
    {&BackBuffer, &SaveStat::BS_file},
    {&BackgroundSurface, &SaveStat::BG_file},
    {&PartsSurface, &SaveStat::PT_file},
};

// The record's text fields: each must hold its terminator.
constexpr char (SaveStat::*TEXTS[])[SAVE_PATH_SIZE] = {
    &SaveStat::Script_file, &SaveStat::BS_file,  &SaveStat::BG_file, &SaveStat::PT_file,
    &SaveStat::MIDI_file,   &SaveStat::MP3_file, &SaveStat::WAV_file};

void Load_picture(Surface* s) {
    if (s->PictureName[0] != '\0') PXL_LoadJpeg(s, 0, 0, s->PictureName);
}

} // namespace

void Snapshot_take() {
    SaveStat& r = Save_stat;
    // Inside a \STR expansion the cursor indexes the variable, not the script: the snapshot keeps
    // the script position of that \STR, so a load shows the variable again from its start.
    r.Script_offset = Str_resume_offset();
    Put(r.Script_file, ScriptFileName);
    for (const SurfaceField& f : SURFACES)
        Put(r.*f.name, f.surface->PictureName);
    const bool music = BgmState.MusicPlaying == 1;
    Put(r.MIDI_file, music && BgmState.MusicType == MUSIC_MIDI ? BgmState.MusicPath : "");
    Put(r.MP3_file, music && BgmState.MusicType == MUSIC_MP3 ? BgmState.MusicPath : "");
    Put(r.WAV_file, WavState.WavPlaying == 1 ? WavState.WavLoopPath : "");
    r.WAV_loop_flag = WavState.WAV_loop_flag;
    r.Font_Size = Font_Size;
    r.Text_WAIT = Text_WAIT;
    r.Text_AREA[0] = Text_AREA.left;
    r.Text_AREA[1] = Text_AREA.top;
    r.Text_AREA[2] = Text_AREA.right;
    r.Text_AREA[3] = Text_AREA.bottom;
    r.Text_X = Text_X;
    r.Text_Y = Text_Y;
    r.Text_X_PITCH = Text_X_PITCH;
    r.Text_Y_PITCH = Text_Y_PITCH;
    r.Text_COLOR1 = Text_COLOR1;
    r.Text_COLOR2 = Text_COLOR2;
    r.save_point_mode = save_point_mode;
    for (TimerRec& t : Game_stat.Timers)
        Timer_checkpoint(&t);
    r.Game_stat = Game_stat;
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
    const SaveStat& r = Save_stat;
    Script_read(r.Script_file);
    Str_leave_all();
    ScriptSource = {ScriptBuffer, ScriptLength};
    ScriptCursor = r.Script_offset;
    // What the surfaces show now is repainted first (wiping menus and text drawn on the screen),
    // then each is given the record's picture where the record names one.
    for (const SurfaceField& f : SURFACES)
        Load_picture(f.surface);
    for (const SurfaceField& f : SURFACES) {
        Surface_set_name(f.surface, r.*f.name);
        Load_picture(f.surface);
    }
    Font_Size = r.Font_Size;
    Text_AREA = Rect{r.Text_AREA[0], r.Text_AREA[1], r.Text_AREA[2], r.Text_AREA[3]};
    Text_COLOR1 = r.Text_COLOR1;
    Text_COLOR2 = r.Text_COLOR2;
    Text_WAIT = r.Text_WAIT;
    Text_X_PITCH = r.Text_X_PITCH;
    Text_Y_PITCH = r.Text_Y_PITCH;
    save_point_mode = r.save_point_mode;
    Text_X = Text_AREA.left;
    Text_Y = Text_AREA.top;
    Game_stat = r.Game_stat;
    for (TimerRec& t : Game_stat.Timers)
        Timer_resume(&t);
    Window_title_apply();
    // Their counters are not in the record: an effect it says was running ends at once, in the
    // picture its last step would have left.
    if (Game_stat.g_change_on == 1) Transition_finish();
    if (Game_stat.shake_on == 1) Shake_finish();
    if (Game_stat.fade_out_on == 1) Fade_out_finish();
    if (Game_stat.fade_in_on == 1) Fade_in_finish();
}

void Snapshot_reset() {
    Save_stat = SaveStat{};
}
