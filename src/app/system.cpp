#include "app/system.h"

#include <iterator>

#include "app/command_words.h"
#include "app/frame_loop.h"
#include "app/present.h"
#include "app/window_messages.h"
#include "comforts/comfort_marks.h"
#include "comforts/fps_display.h"
#include "comforts/skip_auto.h"
#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "core/run_log.h"
#include "core/sjis.h"
#include "features/select.h"
#include "features/shake_fade.h"
#include "features/timers.h"
#include "features/transition.h"
#include "gfx/fixed_surfaces.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "script/backlog.h"
#include "script/command_dispatch.h"
#include "script/interpreter.h"
#include "script/read_text.h"
#include "script/save_point.h"
#include "script/script_file.h"
#include "script/string_vars.h"
#include "script/text_settings.h"
#include "sound/effects.h"
#include "sound/music.h"
#include "sound/sound_ahead.h"
#include "system/save_load_screens.h"
#include "system/snapshot.h"
#include "system/system_menu.h"
#include "system/title_menu.h"
#include "ui/message_box.h"
#include "ui/name_dialog.h"
#include "ui/ui_host.h"
#include "ui/ui_kit.h"

namespace {

void Stop_midi() {
    Music_stop(MUSIC_MIDI);
}
void Stop_mp3() {
    Music_stop(MUSIC_MP3);
}

// Every module that keeps state. The stops run in this order when the program ends: the MIDI
// music, the MP3 music, then the sound effect. A save point runs the saves in this order, a load
// the restores: the script, the pictures and the text settings before Game_stat, and after it what
// follows from it (the timers' time so far, the title, effects that were running finished at once).
const EngineModule MODULES[] = {
    {"midi", Music_reset, Stop_midi, Music_save, nullptr},
    {"mp3", nullptr, Stop_mp3, nullptr, nullptr},
    {"wav", Effect_reset, Effect_stop, Effect_save, nullptr},
    {"sound_ahead", Sound_ahead_reset, nullptr, nullptr, nullptr},
    {"script", Script_reset, nullptr, Script_save, Script_restore},
    {"surfaces", Surfaces_reset, nullptr, Surfaces_save, Surfaces_restore},
    {"text", nullptr, nullptr, Text_save, Text_restore},
    {"game_stat", Game_stat_reset, nullptr, Game_stat_save, Game_stat_restore},
    {"timers", Timers_reset, nullptr, Timers_save, Timers_restore},
    {"string_vars", String_vars_reset, nullptr, nullptr, String_vars_restore},
    {"transition", Transition_reset, nullptr, nullptr, Transition_restore},
    {"shake_fade", Shake_fade_reset, nullptr, nullptr, Shake_fade_restore},
    {"present", Present_reset, nullptr, nullptr, nullptr},
    {"frame", Main_task_reset, nullptr, nullptr, nullptr},
    {"mouse", Mouse_reset, nullptr, nullptr, nullptr},
    {"fps", Fps_reset, nullptr, nullptr, nullptr},
    {"interpreter", Interpreter_reset, nullptr, nullptr, nullptr},
    {"select", Select_reset, nullptr, nullptr, nullptr},
    {"snapshot", Snapshot_reset, nullptr, nullptr, nullptr},
    {"system_menu", System_menu_reset, nullptr, nullptr, nullptr},
    {"save_load_screens", Save_load_screens_reset, nullptr, nullptr, nullptr},
    {"title_menu", Title_menu_reset, nullptr, nullptr, nullptr},
    {"backlog", Backlog_reset, nullptr, nullptr, nullptr},
    {"read_text", Read_text_reset, nullptr, nullptr, nullptr},
    {"skip_auto", Skip_auto_reset, nullptr, nullptr, nullptr},
    {"marks", Marks_reset, nullptr, nullptr, nullptr},
};

// A box or the name prompt asks the player something: skipping stops there, before it opens, and
// its mark goes from the picture the dialog is drawn over.
void Before_dialog() {
    Skip_stop();
    Present_marks();
}

// The mouse events over a dialog were its own, and the click that brought it up belonged to it: the
// screen behind it waits for a new press instead of taking the old one again.
void After_dialog() {
    int x = MouseX, y = MouseY;
    Ui_take_pointer(&x, &y);
    uint32_t held = 0;
    for (uint32_t bit : {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON})
        if (Platform_key_down(-int(bit))) held |= bit;
    Mouse_dialog_closed(x, y, held);
}

BoxAnswer Window_box(const char* text_utf8, const char* caption_utf8, BoxKind kind) {
    Before_dialog();
    const BoxAnswer answer = Message_box_show(text_utf8, caption_utf8, kind);
    After_dialog();
    return answer;
}
std::string Window_name_prompt(const std::string& default_sjis) {
    Before_dialog();
    std::string name = Name_dialog(default_sjis);
    After_dialog();
    return name;
}

const DialogProcs WINDOW_DIALOGS = {Window_box, Window_name_prompt};
const UiHost WINDOW_HOST = {Present_window_picture, WndProc};

// The runner's scenario answers instead of the player, with the same effects around the dialog as
// one shown in the window.
BoxAnswer Runner_box(const char* text_utf8, const char* caption_utf8, BoxKind kind) {
    Before_dialog();
    const BoxAnswer answer = Headless_answer_box(caption_utf8, text_utf8, kind);
    After_dialog();
    return answer;
}
// Tests of the dialog itself have the runner leave the prompt to the window.
std::string Runner_name_prompt(const std::string& default_sjis) {
    Before_dialog();
    char answer[1024];
    std::string name =
        Headless_answer_input(Sjis_to_utf8(default_sjis.c_str()).c_str(), answer, sizeof answer)
            ? Name_dialog_typed(default_sjis, answer)
            : Name_dialog(default_sjis);
    After_dialog();
    return name;
}

const DialogProcs RUNNER_DIALOGS = {Runner_box, Runner_name_prompt};

} // namespace

void System_wire() {
    Engine_modules_set(MODULES, std::size(MODULES));
    Command_table_set(CommandWords, COMMAND_WORD_COUNT);
    Dialogs_set(&WINDOW_DIALOGS);
    Ui_host_set(&WINDOW_HOST);
    Save_point_set(Snapshot_take);
}

void System_wire_runner() {
    Dialogs_set(&RUNNER_DIALOGS);
    Run_log_set(Headless_log);
}

void System_init() {
    Surfaces_create_fixed();
    ScreenOffsetX = 0;
    ScreenOffsetY = 0;
    Surface_copy(&BackBuffer, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, &BackgroundSurface, 0, 0);
    Mouse_reset();
    Script_load_first();
    Game_stat.text_on = 1;
    Game_stat.delay_on = 0;
    Game_stat.wait_on = 0;
    Game_stat.system_menu_flag = 1;
    Save_point();
    Backlog_page_start_is(Save_stat); // the first page begins at the start-up save point
}
