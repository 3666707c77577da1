// The key wait samples state once a frame rather than reading events: a key pressed and released
// between two frames is not seen, and a button counts only through the last mouse message.
#include "features/key_wait.h"

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/mouse.h"
#include "platform/platform.h"

void Com_wait_kbhit() {
    Game_stat.wait_kbhit_on = 1;
    Game_stat.text_on = 0;
    MouseButtons = 0;
}

void Key_wait_task() {
    // Tested in this order: the button, then Space (whose box ends the wait once it is closed),
    // then Enter.
    const bool left = MouseButtons == MK_LBUTTON;
    const bool space = !left && Platform_key_down(KEY_SPACE);
    if (space) Msg_box("AAA", "");
    if (!left && !space && !Platform_key_down(KEY_RETURN)) return;
    Game_stat.wait_kbhit_on = 0;
    Game_stat.text_on = 1;
}
