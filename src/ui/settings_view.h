// The settings screen: one panel over the window's picture, a row for each of the player's settings
// with its label and its values (two or three as buttons side by side, more as ◀ value ▶), and a
// 閉じる button. The mouse picks a value or steps through them; Up and Down move between the rows,
// Left and Right change the row's value, Enter on 閉じる, Escape or a right click close it. Like the
// backlog view it runs its own event loop, so no frame runs while it is open.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/ui_kit.h"

struct SettingsRow {
    std::string label;
    std::vector<std::string> values;
    int chosen = 0;
};

// Opens the screen and returns once it is closed. `changed(row, value)` runs at once whenever the
// player picks another value of a row (rows[row].chosen is already `value`).
void Settings_view_open(std::vector<SettingsRow>* rows, const std::function<void(size_t, int)>& changed);

// Draws the screen with row `focus` focused (rows.size() for 閉じる) into `s` (benchmarks, tests).
void Settings_view_draw(Surface* s, const std::vector<SettingsRow>& rows, size_t focus);

// Where things lie: the button of value `value` of row `row` (for a row of steps, -1 is ◀ and +1
// is ▶), and 閉じる.
UiRect Settings_view_value_rect(const std::vector<SettingsRow>& rows, size_t row, int value);
UiRect Settings_view_close_rect(const std::vector<SettingsRow>& rows);
