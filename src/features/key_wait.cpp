// The key wait samples state once a frame rather than reading events: a key pressed and released
// between two frames is not seen, and a button counts only through the last mouse message.
#include "features/key_wait.h"

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/mouse.h"
#include "platform/platform.h"

namespace {

// Enter and Space held since the press that finished the text up to this wait: they count again
// once released.
bool return_kept_out = false;
bool space_kept_out = false;

bool Key_counts(int key, bool* kept_out) {
    const bool down = Platform_key_down(key);
    *kept_out = *kept_out && down;
    return down && !*kept_out;
}

} // namespace

void Com_wait_kbhit() {
    Game_stat.wait_kbhit_on = 1;
    Game_stat.text_on = 0;
    MouseButtons = 0;
}

void Key_wait_task() {
    // Tested in this order: the button, then Space (whose box ends the wait once it is closed),
    // then Enter.
    const bool left = MouseButtons == MK_LBUTTON;
    const bool space = !left && Key_counts(KEY_SPACE, &space_kept_out);
    if (space) Msg_box("AAA", "");
    if (!left && !space && !Key_counts(KEY_RETURN, &return_kept_out)) return;
    Game_stat.wait_kbhit_on = 0;
    Game_stat.text_on = 1;
}

void Key_wait_keep_out_held_keys() {
    return_kept_out = Platform_key_down(KEY_RETURN);
    space_kept_out = Platform_key_down(KEY_SPACE);
}
