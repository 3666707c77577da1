#include "features/timers.h"

// Timers arrive with the story-logic commands.
void Timer_display_all() {}
void Timer_display_single() {}
void Timer_wait_task() {}
