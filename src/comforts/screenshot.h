// F12: what the window shows, saved as a PNG in the game folder's `screenshots/`.
#pragma once

#include <string>

// Writes the window picture to screenshots/YYYYMMDD-HHMMSS.png (with -2, -3 ... when that name is
// taken), making the folder if needed; never through a `screenshots` link that leads out of the
// game. True with the path written in *result, or false with the reason (Japanese) there, also
// written to standard error.
bool Screenshot_take(std::string* result);
