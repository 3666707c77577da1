// The modal dialogs the engine asks for: message boxes and the name prompt.
//
// Every layer may ask; the UI layer fills the seam at start-up with the boxes drawn in the window.
// Until it does (and in tests that never set it) a box prints to standard error and answers OK or
// No, and the name prompt answers its default text.
#pragma once

#include <string>

#include "platform/platform.h"

// What the UI layer provides.
struct DialogProcs {
    BoxAnswer (*box)(const char* text_utf8, const char* caption_utf8, BoxKind kind);
    std::string (*name_prompt)(const std::string& default_sjis);
};

// Routes every later box and name prompt to `procs` (nullptr: back to the fallbacks above).
void Dialogs_set(const DialogProcs* procs);

// The procs last set (nullptr: the fallbacks).
const DialogProcs* Dialogs_get();

// Shows `text` under `caption` (both UTF-8) with an OK button and waits until it is closed.
void Msg_box(const char* text_utf8, const char* caption_utf8);

// Shows a Yes/No box; returns BoxAnswer::Yes or BoxAnswer::No (Escape or closing answers No).
BoxAnswer Msg_box_yes_no(const char* text_utf8, const char* caption_utf8);

constexpr int NAME_LIMIT = 255; // Shift-JIS bytes the name prompt takes

// Asks for a name with `default_sjis` in the edit box. Returns the text in Shift-JIS: what the
// player typed on OK, or the default text on OK with an empty box and on Cancel.
std::string Name_prompt(const std::string& default_sjis);
