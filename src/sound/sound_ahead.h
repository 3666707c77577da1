// Getting the sound device ready before the story needs it.
#pragma once

#include <cstddef>
#include <cstdint>

// Asks the platform to open its sound device now, off the main thread, if `text` (a script just
// read) holds a command that sounds, so the first such command does not wait for the device. A
// game whose scripts never sound never opens the device. Once asked, later scripts are not looked
// through (0.2 ms a MiB) until a reset.
void Sound_prepare_for(const uint8_t* text, size_t n);

// Start-up state: not asked yet.
void Sound_ahead_reset();
