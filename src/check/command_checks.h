// The checker's reading of each command's arguments: one procedure per command word, named in the
// command table beside the word's handler. Each reads exactly what the handler reads, with the
// same parsers, leaves the cursor where the handler leaves it, and reports what the handler would
// refuse; none draws, plays, or changes the game.
#pragma once

void Check_delay();
void Check_step_past_word(); // `page`, the stops, the save points, `fade_in`: no argument
void Check_g_load();
void Check_g_copy();
void Check_alpha_copy();
void Check_g_change();
void Check_flag();
void Check_if_flag();
void Check_jump();
void Check_file_change();
void Check_halt();
void Check_select3();
void Check_play_wav();
void Check_play_midi();
void Check_play_mp3();
void Check_stop_music();
void Check_set_font_size();
void Check_set_text_area();
void Check_set_text_wait();
void Check_set_text_color();
void Check_set_str();
void Check_save_point_mode();
void Check_shake();
void Check_fade_out();
void Check_start_menu();
void Check_system_menu_flag();
void Check_timer();
void Check_disp_timer();
void Check_timer_wait();
void Check_if_timer();
void Check_disp_timer_single();
void Check_set_window_text();
void Check_test();

// \STR n: the variable number.
void Check_str();
