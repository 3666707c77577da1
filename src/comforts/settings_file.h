// The player's remembered settings: window scale, full screen, the volume, the text's speed and
// whether a click finishes it, the auto pace, what skip passes and the reverb, one small text file
// per game in the user's configuration folder (kotoyumi/ inside it), read at start and written at
// the end of a run in the window. The command line overrides what it holds.
#pragma once

#include <string>

#include "sound/volume.h"

struct PlayerSettings {
    int scale = 1;
    bool fullscreen = false;
    VolumeLevels volume;
    bool text_click = true;
    int text_speed = 100; // percent of the author's wait; 0 shows text at once
    int auto_pace = 100;  // percent of the plain auto pace
    bool skip_read_only = true;
    bool reverb = false; // the synthesiser's reverb and chorus: costly, and the pieces sound well dry
};

// The file's text: one `name=value` line each for scale, fullscreen, music, effects, mute,
// text_click, text_speed, auto_pace, skip_read and reverb.
std::string Settings_format(const PlayerSettings& settings);

// Reads the file's text into *out. False, *out untouched and the reason in *error, for a text that
// is not what Settings_format writes (an unknown name, a value out of range, a missing line; the
// lines after mute may be missing, from a file of an earlier engine, and keep their defaults).
bool Settings_parse(const std::string& text, PlayerSettings* out, std::string* error);

// The settings file of the game in the folder `game_folder` (an absolute path) under the
// configuration folder `config_folder`: kotoyumi/NAME-HASH.conf, NAME the game folder's own name
// and HASH of its whole path, so two games of one name keep their own settings.
std::string Settings_path(const std::string& config_folder, const std::string& game_folder);

// Reads the file into *out; false if there is none. A damaged or unreadable file is left alone
// (false) with one line on standard error and its reason in *ignored (if given).
bool Settings_load(const std::string& path, PlayerSettings* out, std::string* ignored = nullptr);

// Writes the file, making kotoyumi/ if needed; a failure is told in one line on standard error.
void Settings_save(const std::string& path, const PlayerSettings& settings);
