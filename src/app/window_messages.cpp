#include "app/window_messages.h"

#include "app/player_keys.h"
#include "app/present.h"
#include "app/skip_auto.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "script/interpreter.h"
#include "sound/music.h"
#include "system/system_menu.h"

namespace {

void Record_mouse(const PlatformEvent& event) {
    MouseButtons = event.buttons;
    MouseX = event.x & 0xFFFF;
    MouseY = event.y & 0xFFFF;
}

} // namespace

void Go_on_input() {
    if (Game_stat.wait_on == 1) Wait_click();
    if (Game_stat.halt_on == 1) System_exit();
    if (Game_stat.page_wait_on == 1) Page_wait_click();
}

void WndProc(const PlatformEvent& event) {
    switch (event.type) {
    case EventType::WindowClosed:
        System_exit();
        break;
    case EventType::Paint:
        Present_paint();
        break;
    case EventType::KeyDown:
        if (Player_comfort_input(event)) break;
        Auto_player_input();
        if (event.key == KEY_RETURN || event.key == KEY_SPACE)
            Go_on_input();
        else if (event.key == KEY_ESCAPE)
            System_exit();
        break;
    case EventType::MouseDown:
        Auto_player_input();
        if (event.button == 1) {
            Go_on_input();
            Record_mouse(event);
        } else if (event.button == 2) {
            Record_mouse(event);
        }
        break;
    case EventType::MouseUp:
        if (event.button == 1) {
            Record_mouse(event);
        } else if (event.button == 2) {
            if (Game_stat.wait_on == 1) System_menu_open();
            Record_mouse(event);
        }
        break;
    case EventType::MouseMove:
        Record_mouse(event);
        break;
    case EventType::MusicNotify:
        Bgm_notify();
        break;
    case EventType::MouseWheel:
        Player_comfort_input(event);
        break;
    case EventType::Quit:
    case EventType::KeyUp:
    case EventType::TextInput:
        break;
    }
}
