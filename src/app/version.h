// What `kotoyumi --version` prints.
#pragma once

#include <string>

// "kotoyumi VERSION" and then a line "NAME VERSION" for each library the engine runs with: the
// given lines of the window's libraries, then FreeType and the JPEG library.
std::string Version_text(const std::string& window_libraries);
