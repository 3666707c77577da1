// The three-way choice of `select3`.
#pragma once

// Highlights the option under the mouse and takes the chosen one (while select_on is 1).
void Select_task();
