#include "gfx/transition.h"

// Transitions arrive with the picture commands.
void G_change_task() {}
