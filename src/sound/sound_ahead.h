// Getting the sound device ready before the story needs it.
#pragma once

#include <cstddef>
#include <cstdint>

// Asks the platform to open its sound device now, off the main thread, if `text` (a script just
// read) holds a command that sounds, so the first such command does not wait for the device (the
// platform opens it once, however often it is asked). A game whose scripts never sound never opens
// the device. About 0.1 ms for a 1 MiB script.
void Sound_prepare_for(const uint8_t* text, size_t n);
