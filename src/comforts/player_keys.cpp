#include "comforts/player_keys.h"

#include "comforts/comfort_marks.h"
#include "comforts/reload.h"
#include "comforts/screenshot.h"
#include "comforts/skip_auto.h"
#include "sound/volume.h"
#include "ui/backlog_view.h"

namespace {

void Open_backlog() {
    if (!Backlog_view_allowed()) return;
    Auto_player_input();
    Backlog_view_open();
}

void Volume_key(void (*change)(int), int delta) {
    change(delta);
    Marks_show_volume();
}

void Auto_speed_key(int steps_quicker) {
    Auto_pace_change(steps_quicker);
    Marks_show_auto_speed();
}

} // namespace

bool Player_comfort_input(const PlatformEvent& e) {
    if (e.type == EventType::MouseWheel) {
        if (e.wheel > 0) Open_backlog();
        return true;
    }
    if (e.type != EventType::KeyDown) return false;
    switch (e.key) {
    case 's':
        if (!e.repeat) Skip_toggle();
        return true;
    case 'a':
        if (!e.repeat) Auto_toggle();
        return true;
    case KEY_PLUS:
        Auto_speed_key(1);
        return true;
    case KEY_MINUS:
        Auto_speed_key(-1);
        return true;
    case KEY_PAGEUP:
        Open_backlog();
        return true;
    case 'r':
        if (e.repeat || !Platform_key_down(KEY_SHIFT)) return false;
        Reload_game();
        return true;
    case 'm':
        if (!e.repeat) {
            Volume_toggle_mute();
            Marks_show_volume();
        }
        return true;
    case KEY_F2:
        Volume_key(Volume_change_music, -VOLUME_STEP);
        return true;
    case KEY_F3:
        Volume_key(Volume_change_music, VOLUME_STEP);
        return true;
    case KEY_F4:
        Volume_key(Volume_change_effects, -VOLUME_STEP);
        return true;
    case KEY_F5:
        Volume_key(Volume_change_effects, VOLUME_STEP);
        return true;
    case KEY_F12:
        if (!e.repeat) {
            std::string result;
            Marks_show_note(Screenshot_take(&result) ? "スクリーンショット " + result
                                                     : "スクリーンショットを保存できません：" + result);
        }
        return true;
    default:
        return false;
    }
}
