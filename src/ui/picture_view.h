// The picture without the text: the background picture (BackgroundSurface) shown alone until the
// next click or key, which only brings the text back. Runs its own event loop like the backlog view,
// so nothing of the story changes meanwhile, and never draws into BackBuffer.
#pragma once

// Shows the picture and returns once a key was pressed or a button pressed and released.
void Picture_view_open();
