// The read-text record's file (script/read_text.h): one per game in the user's data folder,
// kotoyumi/NAME-HASH.read named as the settings file is, read at start, written atomically at the
// end of a run and every minute of play in between when something new was read.
#pragma once

#include <string>

// The file of the game in `game_folder` (an absolute path) under the data folder `data_home`.
std::string Read_text_path(const std::string& data_home, const std::string& game_folder);

// Reads the file into the record and keeps its path for the writes; "" keeps none (the runner).
// A missing file leaves everything unread in silence; a damaged or unreadable one too, with one
// line on standard error.
void Read_text_file_use(const std::string& path);

// Once a frame: writes the file when a minute has passed since the last write and something new
// was read.
void Read_text_file_tick();

// Writes the file now if something new was read (the end of a run); a failure is one line on
// standard error.
void Read_text_file_write();
