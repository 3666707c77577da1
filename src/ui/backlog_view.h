// The backlog view: a full-window page of the text of the earlier pages (script/backlog.h), on a
// ground of its own, in the colours the text was shown in, blank lines kept. A click on a page
// asks "このページに戻りますか？"; Yes returns the story to that page's start as a load does. Opened with the
// wheel or PageUp at a click wait; scrolled with the wheel, the arrows, PageUp and PageDown; closed with a
// right click, Escape, or by scrolling down past the end. It runs its own event loop like a box: no frame
// runs, so nothing of the story changes while it is open, and it never draws into BackBuffer.
#pragma once

// True while the story waits at a click wait or page end, where the view may open.
bool Backlog_view_allowed();

// Opens the view with the end of the previous page at its bottom and returns once it is closed.
void Backlog_view_open();

// Draws the view with the text scrolled so that line `top` is the first shown (benchmarks).
void Backlog_view_draw(int top);
