// Fuzz target: the media command strings, answered by the headless platform's null sound driver,
// in a scratch game folder holding one MIDI and one MP3 file.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/headless.h"
#include "sound/media_strings.h"

namespace {

bool Prepare() {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "kotoyumi-fuzz-media";
    fs::create_directories(folder / "MIDI");
    std::ofstream(folder / "MIDI" / "a.mid", std::ios::binary)
        << std::string("MThd\0\0\0\6\0\0\0\1\1\xe0", 14);
    std::ofstream(folder / "MIDI" / "b.mp3", std::ios::binary) << "ID3\3\0\0\0\0\0\0";
    fs::current_path(folder);
    Headless_reset();
    Headless_set_recording(false); // the log would grow with every input
    Platform_use_backend(Headless_backend());
    Platform_open_window("fuzz");
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = Prepare();
    (void)ready;
    // Each input is a few command strings, one a line.
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    char answer[64];
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        Media_send(text.substr(start, end - start).c_str(), answer, sizeof answer);
        start = end + 1;
    }
    Media_reset();
    return 0;
}
