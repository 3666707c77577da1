// The files scripts name, checked as the engine would open them: names matched as the engine
// matches them, contents decoded by the engine's own decoders. Each file is read once per check.
#pragma once

#include <cstdint>
#include <string>

#include "core/file_io.h"

// A picture the script names at `at` (a path as scripts write it, ".\gdat\..."): its name must end
// in one of the four picture endings, the file must be there and decode. With `need_w` and
// `need_h` above 0, it must also be at least that large (`why` says what needs the size).
// True if it is fine.
bool Check_picture(int32_t at, const std::string& path, int need_w = 0, int need_h = 0, const char* why = "");

// A picture loaded onto the background surface: as above, and one smaller than the window is kept
// in Check.small_background, to be warned of (the picture before it still shows around it).
void Check_background_picture(int32_t at, const std::string& path);

// A picture the engine itself opens as a BMP (start-up pictures, menu windows): as above, reported
// at the picture's own name.
void Check_engine_picture(const std::string& path, int need_w, int need_h, const char* why);

// A menu window's picture: there, a BMP, and as large as its looks side by side.
struct MenuLayout;
void Check_menu_picture(const MenuLayout& layout);

// A sound effect (".\wav\...") or a piece of music (".\MIDI\...", `midi` or MP3) named at `at`.
void Check_effect(int32_t at, const std::string& path);
void Check_music(int32_t at, const std::string& path, bool midi);

// A script that a file change names (".\txt\..."): how reading it goes; *host gets its host path.
FileRead Check_script_file(const std::string& path, std::string* host);

// Forgets what was read.
void Media_checks_reset();
