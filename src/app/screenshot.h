// F12: what the window shows, saved as a PNG in the game folder's `screenshots/`.
#pragma once

#include <string>

// Writes the window picture to screenshots/YYYYMMDD-HHMMSS.png (with -2, -3 ... when that name is
// taken), making the folder if needed. Returns the path written, or "" (with a line on standard
// error) if it could not be written.
std::string Screenshot_take();
