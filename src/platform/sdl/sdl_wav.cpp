// Sound effects decoded by SDL's WAV reader alone, from memory, into the mixer's format. The
// mixer's own loader would take any kind of file it recognises (a MIDI file named .wav it would
// synthesise whole); this one reads RIFF WAVE data that passed Wav_problem and nothing else.
#include <cstring>

#include "formats/wav_check.h"
#include "platform/sdl/sdl_internal.h"

bool Sdl_wav_decode(const uint8_t* data, size_t size, std::vector<uint8_t>* samples) {
    samples->clear();
    if (Wav_problem(data, size) != nullptr) return false;
    SDL_AudioSpec wav;
    Uint8* decoded = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(SDL_RWFromConstMem(data, int(size)), 1, &wav, &decoded, &length) == nullptr)
        return false;
    // Only whole frames are converted: a header whose block size disagrees with its channels can
    // leave a part of one at the end, which the converter would turn into a part of a frame.
    const Uint32 frame_bytes = Uint32(SDL_AUDIO_BITSIZE(wav.format) / 8) * wav.channels;
    if (frame_bytes > 0) length -= length % frame_bytes;
    SDL_AudioCVT cvt;
    // A file may hold no whole frame (an ADPCM block too short for one, say): there is nothing to play.
    if (length == 0 || frame_bytes == 0 ||
        SDL_BuildAudioCVT(&cvt, wav.format, wav.channels, wav.freq, AUDIO_S16SYS, 2, 44100) < 0) {
        SDL_FreeWAV(decoded);
        return false;
    }
    // The check bounded the converted size, so this buffer is bounded too.
    samples->resize(size_t(length) * size_t(cvt.len_mult));
    std::memcpy(samples->data(), decoded, length);
    SDL_FreeWAV(decoded);
    cvt.buf = samples->data();
    cvt.len = int(length);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
        samples->clear();
        return false;
    }
    samples->resize(cvt.needed ? size_t(cvt.len_cvt) : length);
    samples->shrink_to_fit();
    return !samples->empty();
}
