// The screen shake and the fades to black and back.
#pragma once

// One step of the running shake (while shake_on is 1).
void Shake_task();
// One step of the running fade-out (while fade_out_on is 1).
void Fade_out_task();
// One step of the running fade-in (while fade_in_on is 1).
void Fade_in_task();
