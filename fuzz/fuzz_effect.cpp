// Fuzz target: sound-effect data as the player's build takes it: the header check, then SDL's WAV
// reader and the conversion to the mixer's format. What decodes stays within the check's bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/wav_check.h"
#include "platform/sdl/sdl_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> samples;
    if (!Sdl_wav_decode(data, size, &samples)) return 0;
    // Whole stereo frames, at most the bound and the resampler's rounding.
    if (samples.size() % 4 != 0 || samples.size() > WAV_DECODED_LIMIT + WAV_DECODED_LIMIT / 64) std::abort();
    return 0;
}
