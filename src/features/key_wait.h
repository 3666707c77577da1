// The key wait of `wait_kbhit` and `wk`: stepping stops until a frame sees the left button, Space
// or Enter. Unlike a click wait it shows no icon and the right button does not open the menu.
#pragma once

// #wait_kbhit and #wk: switches the key wait on and forgets the last button word, so that a button
// recorded before the command does not end the wait at once.
void Com_wait_kbhit();

// Ends the key wait when the last mouse message had the left button alone held, when Space is
// down (after the "AAA" box has been closed) or when Enter is down (while wait_kbhit_on is 1).
void Key_wait_task();

// The press that finished the text up to a key wait is not also its answer: Enter and Space, if
// held now, count for the wait only after they were let go.
void Key_wait_keep_out_held_keys();
