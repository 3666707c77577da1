// Fuzz target: MIDI data as the player's build takes it: the engine's check, then for what passes
// the synthesiser reading the piece and playing a quarter second of it offline. Reading and playing
// must end, and what passed the check must start playing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/midi_check.h"
#include "platform/sdl/sdl_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (Midi_problem(data, size) != nullptr) return 0;
    Sdl_midi_trial(data, size, 44100 / 4);
    if (Sdl_midi_trial(data, size) != nullptr) std::abort();
    return 0;
}
