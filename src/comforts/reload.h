// Reload while playing (Shift+R, the runner's `reload`): the game's scripts read again and the story
// back at the start of the current page in the new text. Pictures and sounds are read from their
// files at every load (the engine keeps no copies of them), so the new ones show as well.
#pragma once

#include <cstdint>
#include <string>

// Where byte `offset` of `old_text` stands in `new_text`: on the line as many lines after the same
// label (the last `*name:` line at or before it; the text's start when there is none), at the same
// column while the line begins alike, else at the line's start; at the label's line when the new
// text has fewer lines after it; at 0 when the label is gone, with *label_gone set.
int32_t Reload_moved_offset(const std::string& old_text, int32_t offset, const std::string& new_text,
                            bool* label_gone);

// Checks the game's scripts as they are on disk now. With errors in them the story plays on in the old text
// and a box shows the first five findings and their count; otherwise every start record of the
// backlog is moved into the new text and the story returns to the current page's start there as a
// load does (the record's script, pictures and music read again). Nothing happens while the system
// menu or the title menu is open.
void Reload_game();
