// make_starter_game SRC_STARTER_DIR OUT_GAME_DIR: builds the starter game that `kotoyumi --new`
// copies: the scripts of SRC_STARTER_DIR/src both as they are (UTF-8, the author's copy in src/)
// and as the engine reads them (txt/), its README.txt, and the pictures and sounds made by the
// demo's procedures. Needs no MP3 encoder: the starter game's music is MIDI.
#include "check/source_convert.h"
#include "make_demo_assets/demo_assets.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

bool Read(const fs::path& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return bool(in) || in.eof();
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

bool Copy_scripts(const fs::path& from, const fs::path& out, std::string* error) {
    std::vector<SourceScript> scripts;
    std::vector<std::string> errors;
    if (!Source_convert_folder((from / "src").string(), &scripts, &errors)) {
        *error = errors.front();
        return false;
    }
    for (const SourceScript& s : scripts) {
        std::string utf8;
        if (!Read(s.shown, &utf8)) {
            *error = s.shown + ": cannot read";
            return false;
        }
        if (!Write_asset(out / "src" / s.game, Bytes(utf8), error) ||
            !Write_asset(out / "txt" / s.game, Bytes(s.sjis), error))
            return false;
    }
    std::string readme;
    if (!Read(from / "README.txt", &readme)) {
        *error = (from / "README.txt").string() + ": cannot read";
        return false;
    }
    return Write_asset(out / "README.txt", Bytes(readme), error);
}

bool Make_sounds(const fs::path& out, std::string* error) {
    const std::vector<uint8_t> town = Midi_encode(Tune_town()), evening = Midi_encode(Tune_evening()),
                               bell = Wav_encode(Make_bell());
    if (town.empty() || evening.empty() || bell.empty()) {
        *error = "cannot make the starter game's sounds";
        return false;
    }
    return Write_asset(out / "MIDI/town.mid", town, error) &&
           Write_asset(out / "MIDI/evening.mid", evening, error) &&
           Write_asset(out / "wav/bell.wav", bell, error);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_starter_game SRC_STARTER_DIR OUT_GAME_DIR\n");
        return 2;
    }
    std::string error;
    if (!Copy_scripts(argv[1], argv[2], &error) || !Generate_starter_pictures(argv[2], &error) ||
        !Make_sounds(argv[2], &error)) {
        std::fprintf(stderr, "make_starter_game: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
