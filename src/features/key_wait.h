// The key wait of `wait_kbhit` and `wk`.
#pragma once

// Ends the key wait on a left click, Space or Enter (while wait_kbhit_on is 1).
void Key_wait_task();
