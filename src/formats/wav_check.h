// A check of sound-effect data before the WAV decoder sees it. Effects are RIFF WAVE files only;
// the check reads their header and tells how large the sound becomes in the mixer's format, so a
// file of another kind, or one that would expand to gigabytes, is never decoded.
#pragma once

#include <cstddef>
#include <cstdint>

// The most an effect may take decoded to the mixer's 44.1 kHz 16-bit stereo, and the lowest sample
// rate it may have: a lower rate is no real recording and only makes a small file expand.
constexpr uint64_t WAV_DECODED_LIMIT = 64u << 20;
constexpr uint32_t WAV_LOWEST_RATE = 4000;
constexpr uint32_t WAV_HIGHEST_RATE = 384000;

// Nullptr if `data` is a RIFF WAVE file of a kind the decoder reads, WAV_LOWEST_RATE to
// WAV_HIGHEST_RATE frames a second and at most WAV_DECODED_LIMIT bytes once decoded; otherwise a short
// Japanese reason.
const char* Wav_problem(const uint8_t* data, size_t size);
