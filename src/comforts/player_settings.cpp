#include "comforts/player_settings.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "comforts/skip_auto.h"
#include "platform/platform.h"
#include "script/interpreter.h"
#include "script/story_state.h"
#include "sound/volume.h"
#include "ui/backlog_view.h"

namespace {

std::string settings_path;

const int TEXT_SPEEDS[] = {TEXT_SPEED_INSTANT, 25, 50, 75, 100, 150, 200};
constexpr int MOST_SCALE = 4;

void Remember() {
    if (!settings_path.empty()) Settings_save(settings_path, Player_settings_now());
}

std::string Percent(int v) {
    return std::to_string(v) + "%";
}

// A row whose values are numbers from `low` to `high` in `step`s, the nearest to `now` chosen.
SettingsRow Number_row(const char* label, int low, int high, int step, int now, std::string (*show)(int)) {
    SettingsRow row{label, {}, 0};
    for (int v = low; v <= high; v += step) {
        if (std::abs(v - now) < std::abs(low + row.chosen * step - now)) row.chosen = int(row.values.size());
        row.values.push_back(show(v));
    }
    return row;
}

SettingsRow Text_speed_row(int now) {
    SettingsRow row{"文字の待ち時間", {}, 0};
    for (int v : TEXT_SPEEDS) {
        if (std::abs(v - now) < std::abs(TEXT_SPEEDS[row.chosen] - now)) row.chosen = int(row.values.size());
        row.values.push_back(v == TEXT_SPEED_INSTANT ? "瞬間" : Percent(v));
    }
    return row;
}

enum Row { TEXT_SPEED, TEXT_CLICK, AUTO_PACE, SKIP, MUSIC, EFFECTS, MUTE, SCREEN, SCALE };

std::vector<SettingsRow> Rows(const PlayerSettings& s) {
    return {
        Text_speed_row(s.text_speed),
        {"クリックで全文表示", {"する", "しない"}, s.text_click ? 0 : 1},
        Number_row("オートの速さ", 25, 400, 25, s.auto_pace, Percent),
        {"スキップ", {"既読のみ", "すべて"}, s.skip_read_only ? 0 : 1},
        Number_row("音楽の音量", 0, 100, VOLUME_STEP, s.volume.music, Percent),
        Number_row("効果音の音量", 0, 100, VOLUME_STEP, s.volume.effects, Percent),
        {"消音", {"しない", "する"}, s.volume.muted ? 1 : 0},
        {"表示", {"ウィンドウ", "全画面"}, s.fullscreen ? 1 : 0},
        Number_row("画面の倍率", 1, MOST_SCALE, 1, s.scale, [](int v) { return std::to_string(v) + " 倍"; }),
    };
}

void Changed(size_t row, int value) {
    PlayerSettings s = Player_settings_now();
    switch (Row(row)) {
    case TEXT_SPEED:
        s.text_speed = TEXT_SPEEDS[value];
        break;
    case TEXT_CLICK:
        s.text_click = value == 0;
        break;
    case AUTO_PACE:
        s.auto_pace = 25 + 25 * value;
        break;
    case SKIP:
        s.skip_read_only = value == 0;
        break;
    case MUSIC:
        s.volume.music = value * VOLUME_STEP;
        break;
    case EFFECTS:
        s.volume.effects = value * VOLUME_STEP;
        break;
    case MUTE:
        s.volume.muted = value == 1;
        break;
    case SCREEN:
    case SCALE:
        Platform_set_window_mode(row == SCALE ? value + 1 : s.scale,
                                 row == SCREEN ? value == 1 : s.fullscreen);
        break;
    }
    Player_settings_apply(s);
    if (row >= MUSIC && row <= MUTE) Volume_set(s.volume);
    Remember();
}

} // namespace

void Player_settings_apply(const PlayerSettings& s) {
    Text_speed_set(s.text_speed);
    Text_click_set(s.text_click);
    Auto_speed_set(s.auto_pace);
    Skip_read_only_set(s.skip_read_only);
}

PlayerSettings Player_settings_now() {
    PlayerSettings s;
    Platform_window_mode(&s.scale, &s.fullscreen);
    s.volume = Volume;
    s.text_click = Text_click();
    s.text_speed = Text_speed();
    s.auto_pace = Auto_speed();
    s.skip_read_only = Skip_read_only();
    return s;
}

void Player_settings_remember_in(const std::string& path) {
    settings_path = path;
}

void Player_setting_set(const char* name, const char* value) {
    const bool on = !std::strcmp(value, "on");
    if (!std::strcmp(name, "text-click")) Text_click_set(on);
    if (!std::strcmp(name, "skip-mode")) Skip_read_only_set(!std::strcmp(value, "read"));
    if (!std::strcmp(name, "auto-pace")) Auto_speed_set(std::atoi(value));
    if (!std::strcmp(name, "text-speed"))
        Text_speed_set(!std::strcmp(value, "instant") ? TEXT_SPEED_INSTANT : std::atoi(value));
}

bool Settings_screen_allowed() {
    return Backlog_view_allowed() || Story_title_menu_open();
}

std::vector<SettingsRow> Settings_screen_rows() {
    return Rows(Player_settings_now());
}

void Settings_screen_open() {
    std::vector<SettingsRow> rows = Settings_screen_rows();
    Settings_view_open(&rows, Changed);
}
