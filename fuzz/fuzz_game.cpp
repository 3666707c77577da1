// Fuzz target: a whole game. The input is a first script and the player's input: two bytes give
// the script's length (little-endian), the script follows, and every three bytes after it are one
// input (see Harness_input) before one frame. The run ends after the inputs and a few more frames,
// or when the program ends.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness.h"
#include "script/text_settings.h"

namespace {
constexpr int FRAMES_AFTER_INPUT = 60;
constexpr size_t MOST_INPUTS = 400;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    Harness_enter_game();
    const size_t declared = data[0] | size_t(data[1]) << 8;
    const size_t script_size = declared < size - 2 ? declared : size - 2;
    Harness_write("txt/config.txt", std::string(reinterpret_cast<const char*>(data + 2), script_size));
    Harness_start();
    if (declared & 0x8000) Text_WAIT = 0; // fast text: more of the script is reached
    const uint8_t* input = data + 2 + script_size;
    size_t inputs = (size - 2 - script_size) / 3;
    if (inputs > MOST_INPUTS) inputs = MOST_INPUTS;
    for (size_t i = 0; i < inputs; ++i, input += 3) {
        Harness_input(input[0], input[1], input[2]);
        if (!Harness_frame()) return 0;
    }
    for (int i = 0; i < FRAMES_AFTER_INPUT; ++i)
        if (!Harness_frame()) return 0;
    return 0;
}
