// The text settings (character size, text area, speed, colours, the text cursor) and the
// save-point mode, with the commands that change them.
#pragma once

#include <cstdint>

#include "core/save_stat.h"

// The live settings, laid out as the save record holds them (core/save_stat.h): a save point
// copies them whole, and a load puts them back whole.
extern TextSettings Text;
// The words #save_point_mode takes, in the order of the SAVE_POINT_ numbers.
constexpr const char* SAVE_POINT_MODE_WORDS = "AUTO|MANUAL";
constexpr int32_t SAVE_POINT_AUTO = 0;
constexpr int32_t SAVE_POINT_MANUAL = 1;

// The settings at start: 20 px characters, one step every 20 ms, the area (20, 20)-(620, 460)
// with the cursor at its top-left, white on a (30, 30, 30) shadow, AUTO save points, all flags 0.
void Text_defaults();

// Puts the text cursor at the top-left corner of the text area.
void Text_home();

// The save point's part: the settings into the record, whole.
void Text_save(SaveStat* record);
// A load's part: the settings from the record, the cursor at the restored area's top-left (the
// saved cursor is not used).
void Text_restore(const SaveStat& record);

// #set_font_size N: character height and the two pitches derived from it.
void Com_set_font_size();
// #set_text_area L T R B: refused when narrower than four characters or lower than one.
void Com_set_text_area();
// #set_text_wait N: 0 to 5000 ms between steps.
void Com_set_text_wait();
// #set_text_color R G B r g b: face and shadow colours, each value 0-255.
void Com_set_text_color();
// #save_point and #sp: takes a save point now.
void Com_save_point();
// #save_point_mode AUTO|MANUAL.
void Com_save_point_mode();
// #disp_save_point_mode: shows the mode in a box.
void Com_disp_save_point_mode();
