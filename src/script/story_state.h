// What the story is doing right now, as the player's comforts, the engine's dialogs, the window's
// message handler and the headless runner ask it. Each question reads the game state and nothing else.
#pragma once

// At a `wait` click wait.
bool Story_at_click_wait();

// At a page-end wait.
bool Story_at_page_end();

// At either of the two waits that a "go on" click passes: a click wait or a page end.
bool Story_waits_for_go_on();

// Stopped by `halt`: the next "go on" ends the program.
bool Story_halted();

// A choice is showing.
bool Story_at_choice();

// At a key wait.
bool Story_at_key_wait();

// The title menu, or the system menu, is open.
bool Story_title_menu_open();
bool Story_system_menu_open();

// The story asks the player something that a comfort must not answer for them: a choice, a key
// wait, the title menu or the system menu.
bool Story_asks_player();

// Something the story shows is under way: text being drawn, a delay, a transition, a shake, a fade.
bool Story_moving();

// Passes a click wait and a page end as the player's "go on" would, but never the halt (which would
// end the program).
void Story_pass_go_on_wait();
