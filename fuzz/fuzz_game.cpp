// Fuzz target: a whole game. The input is a first script and the player's input: two bytes give
// the script's length (little-endian), the script follows, and every three bytes after it are one
// input (see Harness_input) before one frame. The run ends after the inputs and a few more frames,
// or when the program ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/game_stat.h"
#include "harness.h"
#include "script/script_file.h"
#include "script/text_settings.h"

namespace {

constexpr int FRAMES_AFTER_INPUT = 30;
constexpr size_t MOST_INPUTS = 150;

// One frame, then the story's own states checked: stepping, delay, click wait, halt and page-end
// wait exclude each other, and while no other part holds the story (a transition, shake, fade,
// choice, timer or key wait, a menu) exactly one of them is on.
bool Frame_and_check() {
    const bool going = Harness_frame();
    const GameStat& g = Game_stat;
    const int states = g.text_on + g.delay_on + g.wait_on + g.halt_on + g.page_wait_on;
    const bool other_wait = g.g_change_on || g.select_on || g.shake_on || g.fade_out_on || g.fade_in_on ||
                            g.timer_wait_on || g.wait_kbhit_on || g.SystemMenuState || g.TitleMenuState;
    if (going && (ScriptCursor < 0 || !(states == 1 || (other_wait && states == 0)))) std::abort();
    return going;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    Harness_enter_game();
    const size_t declared = data[0] | size_t(data[1]) << 8;
    const size_t script_size = declared < size - 2 ? declared : size - 2;
    Harness_write("txt/config.txt", std::string(reinterpret_cast<const char*>(data + 2), script_size));
    Harness_start();
    if (declared & 0x8000) Text.Text_WAIT = 0; // fast text: more of the script is reached
    const uint8_t* input = data + 2 + script_size;
    size_t inputs = (size - 2 - script_size) / 3;
    if (inputs > MOST_INPUTS) inputs = MOST_INPUTS;
    for (size_t i = 0; i < inputs; ++i, input += 3) {
        Harness_input(input[0], input[1], input[2]);
        if (!Frame_and_check()) return 0;
    }
    for (int i = 0; i < FRAMES_AFTER_INPUT; ++i)
        if (!Frame_and_check()) return 0;
    return 0;
}
