// Game_stat: the live play-state record. Save files hold it byte for byte, so its layout is fixed:
// every field sits at the offset the save format gives it, pinned below at compile time. Each owning
// module reads and writes its fields in place.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

constexpr int FLAG_COUNT = 256;
constexpr int STRING_VAR_COUNT = 16;
constexpr int STRING_VAR_SIZE = 256;
constexpr int TIMER_COUNT = 3;
constexpr int WINDOW_TITLE_RECORD_SIZE = 656;

// One millisecond timer (TIMER_1 .. TIMER_3).
struct TimerRec {
    uint64_t start_ms;
    uint64_t accumulated_ms;
    uint64_t stopped_ms;
    int32_t disp_x;
    int32_t disp_y;
    int32_t running;
    uint8_t reserved[4];
};

struct GameStat {
    int32_t text_on;
    int32_t delay_on;
    int32_t wait_on;
    int32_t halt_on;
    int32_t page_wait_on;
    int32_t g_change_on;
    int32_t select_on;
    uint8_t Flags[FLAG_COUNT];
    char StringVars[STRING_VAR_COUNT][STRING_VAR_SIZE];
    int32_t system_menu_flag;
    int32_t SystemMenuState;
    int32_t TitleMenuState;
    int32_t fps_on;
    int32_t shake_on;
    int32_t fade_out_on;
    int32_t fade_in_on;
    int32_t disp_timer_on;
    int32_t disp_timer_single_on;
    int32_t SingleTimer;
    uint8_t reserved_alignment[4];
    TimerRec Timers[TIMER_COUNT];
    int32_t timer_wait_on;
    int32_t wait_kbhit_on;
    char WindowTitle[WINDOW_TITLE_RECORD_SIZE];
};

static_assert(std::endian::native == std::endian::little, "save files hold little-endian records");
static_assert(sizeof(TimerRec) == 40);
static_assert(offsetof(TimerRec, accumulated_ms) == 8 && offsetof(TimerRec, stopped_ms) == 16);
static_assert(offsetof(TimerRec, disp_x) == 24 && offsetof(TimerRec, disp_y) == 28);
static_assert(offsetof(TimerRec, running) == 32);
static_assert(sizeof(GameStat) == 5208);
static_assert(offsetof(GameStat, text_on) == 0);
static_assert(offsetof(GameStat, delay_on) == 4);
static_assert(offsetof(GameStat, wait_on) == 8);
static_assert(offsetof(GameStat, halt_on) == 12);
static_assert(offsetof(GameStat, page_wait_on) == 16);
static_assert(offsetof(GameStat, g_change_on) == 20);
static_assert(offsetof(GameStat, select_on) == 24);
static_assert(offsetof(GameStat, Flags) == 28);
static_assert(offsetof(GameStat, StringVars) == 284);
static_assert(offsetof(GameStat, system_menu_flag) == 4380);
static_assert(offsetof(GameStat, SystemMenuState) == 4384);
static_assert(offsetof(GameStat, TitleMenuState) == 4388);
static_assert(offsetof(GameStat, fps_on) == 4392);
static_assert(offsetof(GameStat, shake_on) == 4396);
static_assert(offsetof(GameStat, fade_out_on) == 4400);
static_assert(offsetof(GameStat, fade_in_on) == 4404);
static_assert(offsetof(GameStat, disp_timer_on) == 4408);
static_assert(offsetof(GameStat, disp_timer_single_on) == 4412);
static_assert(offsetof(GameStat, SingleTimer) == 4416);
static_assert(offsetof(GameStat, Timers) == 4424);
static_assert(offsetof(GameStat, timer_wait_on) == 4544);
static_assert(offsetof(GameStat, wait_kbhit_on) == 4548);
static_assert(offsetof(GameStat, WindowTitle) == 4552);

// The one live record.
extern GameStat Game_stat;

// Start-up state: every byte zero.
void Game_stat_reset();

struct SaveStat;
// The save point's part: the record's Game_stat, a copy of the live one.
void Game_stat_save(SaveStat* record);
// A load's part: the live record, a copy of the saved one.
void Game_stat_restore(const SaveStat& record);
