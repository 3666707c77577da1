#include "comforts/player_keys.h"

#include "comforts/comfort_marks.h"
#include "comforts/player_settings.h"
#include "comforts/reload.h"
#include "comforts/screenshot.h"
#include "comforts/skip_auto.h"
#include "script/story_state.h"
#include "sound/volume.h"
#include "ui/backlog_view.h"
#include "ui/picture_view.h"

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

// Not over a menu, which draws its own window: the picture alone would hide it for no reason.
void Hide_text() {
    if (Story_title_menu_open() || Story_system_menu_open()) return;
    Auto_player_input();
    Picture_view_open();
}

void Open_settings() {
    if (!Settings_screen_allowed()) return;
    Auto_player_input();
    Settings_screen_open();
}

} // namespace

bool Player_comfort_input(const PlatformEvent& e) {
    if (e.type == EventType::MouseWheel) {
        if (e.wheel > 0) Open_backlog();
        return true;
    }
    if (e.type == EventType::MouseDown && e.button == 3) {
        Hide_text();
        return true;
    }
    if (e.type != EventType::KeyDown) return false;
    switch (e.key) {
    case 'h':
        if (!e.repeat) Hide_text();
        return true;
    case KEY_F1:
        if (!e.repeat) Open_settings();
        return true;
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
