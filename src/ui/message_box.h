// The engine's modal message box, drawn inside the game window over the picture on show.
//
// Caption bar, the text wrapped to the box, OK or はい(Y)/いいえ(N). Enter and Space press the focused
// button, Escape answers OK or No, Tab and the arrows move the focus, Y and N answer. Before the
// window exists it prints to standard error.
#pragma once

#include "platform/platform.h"

// The box for the dialogs seam: shows `text` under `caption` and waits for the answer.
BoxAnswer Message_box_show(const char* text_utf8, const char* caption_utf8, BoxKind kind);
