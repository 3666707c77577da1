// The generator's MP3 writer, through libmp3lame into memory. The encoder writes a placeholder first
// frame; once flushed, it is replaced by the Info frame that tells decoders the stream's exact length
// (its delay and padding), so players that honour it play no added silence.
#include "demo_assets.h"

#include <lame/lame.h>

#include <algorithm>
#include <utility>

bool Mp3_encode(const Sound& sound, int kbps, std::vector<uint8_t>* out) {
    if (sound.channels < 1 || sound.channels > 2 || sound.samples.empty()) return false;
    lame_global_flags* lame = lame_init();
    if (!lame) return false;
    const int frames = int(sound.samples.size() / size_t(sound.channels));
    lame_set_num_channels(lame, sound.channels);
    lame_set_in_samplerate(lame, sound.rate);
    lame_set_out_samplerate(lame, sound.rate);
    lame_set_mode(lame, sound.channels == 2 ? JOINT_STEREO : MONO);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, kbps);
    lame_set_quality(lame, 3);
    lame_set_bWriteVbrTag(lame, 1);
    lame_set_write_id3tag_automatic(lame, 0);
    bool ok = lame_init_params(lame) >= 0;
    std::vector<uint8_t> bytes(size_t(frames) * 5 / 4 + 7200);
    int written = 0;
    if (ok) {
        // The encoder takes writable buffers but does not change the samples.
        short* pcm = const_cast<short*>(sound.samples.data());
        written = sound.channels == 2
                      ? lame_encode_buffer_interleaved(lame, pcm, frames, bytes.data(), int(bytes.size()))
                      : lame_encode_buffer(lame, pcm, pcm, frames, bytes.data(), int(bytes.size()));
        ok = written >= 0;
    }
    if (ok) {
        const int tail = lame_encode_flush(lame, bytes.data() + written, int(bytes.size()) - written);
        ok = tail >= 0;
        if (ok) bytes.resize(size_t(written + tail));
    }
    if (ok) {
        std::vector<uint8_t> tag(2880);
        const size_t tag_size = lame_get_lametag_frame(lame, tag.data(), tag.size());
        if (tag_size > 0 && tag_size <= bytes.size()) std::copy_n(tag.begin(), tag_size, bytes.begin());
    }
    lame_close(lame);
    if (ok) *out = std::move(bytes);
    return ok;
}
