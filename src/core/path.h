// Paths as scripts and records write them (".\gdat\system\Back00.bmp", Shift-JIS, backslashes,
// written on a case-insensitive file system) turned into paths of the host file system.
#pragma once

#include <string>

// The host path for `script_path`: Shift-JIS decoded to UTF-8, backslashes made slashes, and each
// component that does not exist exactly replaced by an entry of its folder that matches it without
// regard to ASCII case. Components with no match are kept as written (so new files can be made).
std::string Path_resolve(const char* script_path);

// True if `script_path` names something inside the game folder: not absolute, and no `..` that
// climbs above the folder (`gdat\..\gdat\a.bmp` stays inside, `..\..\etc\passwd` does not).
bool Path_stays_inside(const char* script_path);

// The one step every reader and writer of a game file takes: true with the host path of
// `script_path` (as Path_resolve makes it) in *host, or false when the name leaves the game folder
// (the current folder), whether by its own words (absolute, `..`) or through a link that leads out.
bool Game_path(const char* script_path, std::string* host);
