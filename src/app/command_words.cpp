#include "app/command_words.h"

#include "check/command_checks.h"
#include "features/flags.h"
#include "features/jump.h"
#include "features/key_copy_test.h"
#include "features/key_wait.h"
#include "features/picture_commands.h"
#include "features/select.h"
#include "features/shake_fade.h"
#include "features/sound_commands.h"
#include "features/timers.h"
#include "features/transition.h"
#include "script/interpreter.h"
#include "script/string_vars.h"
#include "script/text_settings.h"
#include "system/title_menu.h"

// A word whose handler is nullptr is reported as an invalid command. The third column is the script
// checker's reading of the same arguments (nullptr: the word takes none).
const CommandEntry CommandWords[COMMAND_WORD_COUNT] = {
    {"delay", Com_delay, Check_delay},
    {"wait", Com_wait, nullptr},
    {"w", Com_wait, nullptr},
    {"halt", Com_halt, Check_halt},
    {"page", Com_page, Check_step_past_word},
    {"g_load", Com_g_load, Check_g_load},
    {"g_copy", Com_g_copy, Check_g_copy},
    {"g_change", Com_g_change_task, Check_g_change},
    {"flag_on", Com_flag_on, Check_flag},
    {"flag_off", Com_flag_off, Check_flag},
    {"disp_flag", Com_disp_flag, Check_flag},
    {"if_flag", Com_if_flag, Check_if_flag},
    {"jump", Com_jump, Check_jump},
    {"file_change", Com_file_change, Check_file_change},
    {"select3", Com_select3, Check_select3},
    {"play_wav", Com_play_wav, Check_play_wav},
    {"stop_wav", Com_stop_wav, Check_step_past_word},
    {"play_midi", Com_play_midi, Check_play_midi},
    {"stop_midi", Com_stop_midi, Check_stop_music},
    {"play_mp3", Com_play_mp3, Check_play_mp3},
    {"stop_mp3", Com_stop_mp3, Check_stop_music},
    {"set_font_size", Com_set_font_size, Check_set_font_size},
    {"set_text_area", Com_set_text_area, Check_set_text_area},
    {"set_text_wait", Com_set_text_wait, Check_set_text_wait},
    {"set_text_color", Com_set_text_color, Check_set_text_color},
    {"set_str", Com_set_str, Check_set_str},
    {"text_input", Com_text_input, Check_set_str},
    {"save_point", Com_save_point, Check_step_past_word},
    {"sp", Com_save_point, Check_step_past_word},
    {"save_point_mode", Com_save_point_mode, Check_save_point_mode},
    {"disp_save_point_mode", Com_disp_save_point_mode, nullptr},
    {"shake", Com_shake, Check_shake},
    {"fade_out", Com_fade_out, Check_fade_out},
    {"fade_in", Com_fade_in, Check_step_past_word},
    {"alpha_copy", Com_alpha_copy, Check_alpha_copy},
    {"start_menu", Com_start_menu, Check_start_menu},
    {"system_menu_flag", Com_System_menu_flag, Check_system_menu_flag},
    {"shot_timer", Com_timer_shot, Check_timer},
    {"disp_timer", Com_disp_timer, Check_disp_timer},
    {"stop_timer", Com_stop_timer, Check_timer},
    {"clear_timer", Com_clear_timer, Check_timer},
    {"timer_wait", Com_timer_wait, Check_timer_wait},
    {"if_timer", Com_if_timer, Check_if_timer},
    {"wait_kbhit", Com_wait_kbhit, nullptr},
    {"wk", Com_wait_kbhit, nullptr},
    {"disp_timer_single", Com_disp_timer_single, Check_disp_timer_single},
    {"set_window_text", Com_set_window_text, Check_set_window_text},
    {"test", Com_test, Check_test},
};
