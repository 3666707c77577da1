// The list of sounds and music the generator makes, and how each is encoded into the game folder.
// To add one, write its procedure in a file of its own and add a line to SOUNDS.
#include "demo_assets.h"

namespace fs = std::filesystem;

namespace {

bool Bell(std::vector<uint8_t>* out) {
    *out = Wav_encode(Make_bell());
    return !out->empty();
}

bool Rain(std::vector<uint8_t>* out) {
    *out = Wav_encode(Make_rain());
    return !out->empty();
}

bool Town(std::vector<uint8_t>* out) {
    *out = Midi_encode(Tune_town());
    return !out->empty();
}

bool Lake(std::vector<uint8_t>* out) {
    return Mp3_encode(Make_lake(), 160, out);
}

const struct {
    const char* path; // relative to the game folder
    bool (*make)(std::vector<uint8_t>*);
} SOUNDS[] = {
    {"wav/bell.wav", Bell},
    {"wav/rain.wav", Rain},
    {"MIDI/town.mid", Town},
    {"MIDI/lake.mp3", Lake},
};

} // namespace

bool Generate_sounds(const fs::path& out_dir, std::string* error) {
    for (const auto& entry : SOUNDS) {
        const fs::path path = out_dir / entry.path;
        std::vector<uint8_t> bytes;
        if (!entry.make(&bytes)) {
            *error = path.string() + ": cannot make this sound";
            return false;
        }
        if (!Write_asset(path, bytes, error)) return false;
    }
    return true;
}
