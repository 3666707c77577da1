// The player's settings as the engine lives them: put into the modules that use them, read back
// from them, changed by the settings screen (F1) and the runner's `set`, and written to the settings
// file at each change when the window names one.
#pragma once

#include <string>
#include <vector>

#include "comforts/settings_file.h"
#include "ui/settings_view.h"

// Puts the text speed, text click, auto pace and skip mode of `s` into the engine (the volume and
// the window mode are set where the window and the runner differ).
void Player_settings_apply(const PlayerSettings& s);

// The settings as they stand now, the window mode and the volume included.
PlayerSettings Player_settings_now();

// The settings file each change is written to; "" (the runner, at start-up) writes none.
void Player_settings_remember_in(const std::string& path);

// The runner's `set NAME VALUE` (text-click on|off, text-speed PERCENT|instant, skip-mode read|all,
// auto-pace PERCENT), values already checked.
void Player_setting_set(const char* name, const char* value);

// True where the settings screen may open: wherever the backlog may, and at the title menu.
bool Settings_screen_allowed();

// The rows the settings screen shows now, in its order: text wait, text click, auto pace, skip,
// music, effects, mute, full screen, scale.
std::vector<SettingsRow> Settings_screen_rows();

// Opens the settings screen; each change shows at once and is remembered.
void Settings_screen_open();
