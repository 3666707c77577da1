// Save_stat's layout: the save snapshot. Slot files hold it raw, byte for byte (10904 bytes, no
// header), so its layout is fixed and pinned below; integers are little-endian, texts Shift-JIS and
// terminated. Each saved group is one struct in the record's own layout (the text settings, Game_stat),
// so taking and restoring it is one assignment; the modules that own saved state fill and read
// their parts through the module table (core/lifecycle.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/game_stat.h"
#include "core/rect.h"

constexpr int SAVE_PATH_SIZE = 512;
constexpr size_t SAVE_STAT_SIZE = 10904;

// The text settings and the save-point mode, in the record's order. The live ones are `Text`
// (script/text_settings.h).
struct TextSettings {
    int32_t Font_Size;
    int32_t Text_WAIT;
    Rect Text_AREA;
    int32_t Text_X; // the text cursor
    int32_t Text_Y;
    int32_t Text_X_PITCH;
    int32_t Text_Y_PITCH;
    uint32_t Text_COLOR1; // 0x00BBGGRR
    uint32_t Text_COLOR2;
    int32_t save_point_mode;
};

struct SaveStat {
    char Script_file[SAVE_PATH_SIZE];
    int32_t Script_offset;
    char BS_file[SAVE_PATH_SIZE];
    char BG_file[SAVE_PATH_SIZE];
    char PT_file[SAVE_PATH_SIZE];
    char MIDI_file[SAVE_PATH_SIZE];
    char MP3_file[SAVE_PATH_SIZE];
    char WAV_file[SAVE_PATH_SIZE];
    uint32_t WAV_loop_flag;
    TextSettings Text;
    uint8_t Reserved[2052];
    GameStat Game_stat;
};

static_assert(sizeof(Rect) == 16 && offsetof(Rect, top) == 4 && offsetof(Rect, right) == 8 &&
              offsetof(Rect, bottom) == 12);
static_assert(sizeof(TextSettings) == 52);
static_assert(sizeof(SaveStat) == SAVE_STAT_SIZE);
static_assert(offsetof(SaveStat, Script_file) == 0);
static_assert(offsetof(SaveStat, Script_offset) == 512);
static_assert(offsetof(SaveStat, BS_file) == 516);
static_assert(offsetof(SaveStat, BG_file) == 1028);
static_assert(offsetof(SaveStat, PT_file) == 1540);
static_assert(offsetof(SaveStat, MIDI_file) == 2052);
static_assert(offsetof(SaveStat, MP3_file) == 2564);
static_assert(offsetof(SaveStat, WAV_file) == 3076);
static_assert(offsetof(SaveStat, WAV_loop_flag) == 3588);
static_assert(offsetof(SaveStat, Text) == 3592);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, Font_Size) == 3592);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, Text_WAIT) == 3596);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, Text_AREA) == 3600);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, Text_X) == 3616);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, Text_Y) == 3620);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, Text_X_PITCH) == 3624);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, Text_Y_PITCH) == 3628);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, Text_COLOR1) == 3632);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, Text_COLOR2) == 3636);
static_assert(offsetof(SaveStat, Text) + offsetof(TextSettings, save_point_mode) == 3640);
static_assert(offsetof(SaveStat, Reserved) == 3644);
static_assert(offsetof(SaveStat, Game_stat) == 5696);

// Copies a terminated text into a record field, cut to fit; the rest of the field is zeros, so the
// same state always makes the same file.
template <size_t N> void Record_put_text(char (&field)[N], const char* text) {
    const size_t n = strnlen(text, N - 1);
    std::memset(field, 0, N);
    std::memcpy(field, text, n);
}
