#include "app/window_messages.h"

#include "app/present.h"
#include "comforts/player_keys.h"
#include "comforts/skip_auto.h"
#include "core/lifecycle.h"
#include "core/mouse.h"
#include "features/key_wait.h"
#include "script/interpreter.h"
#include "script/story_state.h"
#include "sound/music.h"
#include "system/system_menu.h"

namespace {

// A press while text is typing shows the rest of it at once, when the player left that on; the
// wait the text stops at then needs a press of its own.
bool Finish_text_input() {
    if (!Text_click() || Story_asks_player() || !Text_finish()) return false;
    Key_wait_keep_out_held_keys();
    return true;
}

} // namespace

void Go_on_input() {
    if (Story_at_click_wait()) Wait_click();
    if (Story_halted()) System_exit();
    if (Story_at_page_end()) Page_wait_click();
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
        // A modifier only changes what the next key or click means (Shift for +, Ctrl for skip).
        if (event.key == KEY_SHIFT || event.key == KEY_CONTROL || event.key == KEY_ALT) break;
        Auto_player_input();
        if (event.key == KEY_RETURN || event.key == KEY_SPACE) {
            if (!Finish_text_input()) Go_on_input();
        } else if (event.key == KEY_ESCAPE)
            System_exit();
        break;
    case EventType::MouseDown:
        if (Player_comfort_input(event)) break;
        Auto_player_input();
        if (event.button == 1 && Finish_text_input()) {
            // Like a box's click: a choice or key wait the text stopped at waits for a new press.
            Mouse_dialog_closed(event.x, event.y, event.buttons);
        } else if (event.button == 1) {
            Go_on_input();
            Mouse_record(event);
        } else if (event.button == 2) {
            Mouse_record(event);
        }
        break;
    case EventType::MouseUp:
        if (event.button == 1) {
            Mouse_record(event);
        } else if (event.button == 2) {
            if (Story_at_click_wait()) System_menu_open();
            Mouse_record(event);
        }
        break;
    case EventType::MouseMove:
        Mouse_record(event);
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
