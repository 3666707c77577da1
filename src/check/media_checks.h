// The files scripts name, checked as the engine would open them: names matched as the engine
// matches them, contents decoded by the engine's own decoders. Each file is read once per check.
#pragma once

#include <cstdint>
#include <string>

// A picture the script names at `at` (a path as scripts write it, ".\gdat\..."): its name must end
// in one of the four picture endings, the file must be there and decode. With `need_w` and
// `need_h` above 0, it must also be at least that large (`why` says what needs the size).
void Check_picture(int32_t at, const std::string& path, int need_w = 0, int need_h = 0, const char* why = "");

// A picture the engine itself opens as a BMP (start-up pictures, menu windows): as above, reported
// at the picture's own name.
void Check_engine_picture(const std::string& path, int need_w, int need_h, const char* why);

// A menu window's picture: there, a BMP, and as large as its looks side by side.
struct MenuLayout;
void Check_menu_picture(const MenuLayout& layout);

// A sound effect (".\wav\...") or a piece of music (".\MIDI\...", `midi` or MP3) named at `at`.
void Check_effect(int32_t at, const std::string& path);
void Check_music(int32_t at, const std::string& path, bool midi);

// Forgets what was read.
void Media_checks_reset();
