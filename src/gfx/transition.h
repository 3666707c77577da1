// Screen transitions of `g_change`.
#pragma once

// One step of the running transition (while g_change_on is 1).
void G_change_task();
