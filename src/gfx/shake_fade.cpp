#include "gfx/shake_fade.h"

// Shakes and fades arrive with the picture commands.
void Shake_task() {}
void Fade_out_task() {}
void Fade_in_task() {}
