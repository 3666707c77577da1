// Save_stat: the save snapshot. Slot files hold it raw, byte for byte (10904 bytes, no header),
// so its layout is fixed and pinned below; integers are little-endian, texts Shift-JIS and
// terminated.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/game_stat.h"

constexpr int SAVE_PATH_SIZE = 512;
constexpr size_t SAVE_STAT_SIZE = 10904;

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
    int32_t Font_Size;
    int32_t Text_WAIT;
    int32_t Text_AREA[4]; // left, top, right, bottom
    int32_t Text_X;
    int32_t Text_Y;
    int32_t Text_X_PITCH;
    int32_t Text_Y_PITCH;
    uint32_t Text_COLOR1;
    uint32_t Text_COLOR2;
    int32_t save_point_mode;
    uint8_t Reserved[2052];
    GameStat Game_stat;
};

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
static_assert(offsetof(SaveStat, Font_Size) == 3592);
static_assert(offsetof(SaveStat, Text_WAIT) == 3596);
static_assert(offsetof(SaveStat, Text_AREA) == 3600);
static_assert(offsetof(SaveStat, Text_X) == 3616);
static_assert(offsetof(SaveStat, Text_Y) == 3620);
static_assert(offsetof(SaveStat, Text_X_PITCH) == 3624);
static_assert(offsetof(SaveStat, Text_Y_PITCH) == 3628);
static_assert(offsetof(SaveStat, Text_COLOR1) == 3632);
static_assert(offsetof(SaveStat, Text_COLOR2) == 3636);
static_assert(offsetof(SaveStat, save_point_mode) == 3640);
static_assert(offsetof(SaveStat, Reserved) == 3644);
static_assert(offsetof(SaveStat, Game_stat) == 5696);

// The snapshot the last save point left; what a save writes and a load fills.
extern SaveStat Save_stat;
