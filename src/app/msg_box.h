// The engine's modal message box, drawn inside the game window over the picture on show.
//
// While a box is open it runs its own event loop: no frame runs, events that are not for the box
// (paint, music notifications) still reach WndProc. Under the headless runner the scenario answers
// it. Before the window exists it prints to standard error and answers OK (or No).
#pragma once

#include "platform/platform.h"

// Shows `text` under `caption` (both UTF-8) with an OK button and waits until it is closed.
void Msg_box(const char* text_utf8, const char* caption_utf8);

// Shows a Yes/No box; returns BoxAnswer::Yes or BoxAnswer::No (Escape or closing answers No).
BoxAnswer Msg_box_yes_no(const char* text_utf8, const char* caption_utf8);
