// Fuzz target: a slot file read, checked and restored into a running game, which then plays on for
// some frames (the music restart after a load included). The input is the file's bytes. A file that
// is refused must leave the game exactly as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/game_stat.h"
#include "harness.h"
#include "script/script_file.h"
#include "system/load_game.h"

namespace {

constexpr int FRAMES_AFTER_LOAD = 40;

// A game whose saves name a second script, pictures, music and a looping effect.
void Make_game() {
    Harness_enter_game();
    Harness_write("txt/config.txt", "#set_str \\STR 0 \"\x82\xa0\"\r\n\x82\xa0\\STR 0\r\n#sp\r\n"
                                    "#file_change \"second.txt\" \"*start\"\r\n");
    Harness_write("txt/second.txt", "*start:\r\n#play_midi town.mid\r\n#play_wav 1 rain.wav\r\n"
                                    "#flag_on 3\r\n\x82\xa0#sp\r\n#wait\r\n#halt\r\n");
    Harness_write("MIDI/town.mid", std::string("MThd\0\0\0\6\0\0\0\1\1\xe0", 14));
    Harness_write("wav/rain.wav", "RIFF");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool made = (Make_game(), true);
    (void)made;
    // The game as a start and three frames leave it. A refused file must leave it so, which is
    // checked; the next input then needs no fresh start.
    static bool started = false;
    static GameStat stat;
    static int32_t cursor = 0;
    Harness_write("SAVE/data00.svd", std::string(reinterpret_cast<const char*>(data), size));
    if (!started) {
        Harness_start();
        for (int i = 0; i < 3; ++i)
            Harness_frame();
        stat = Game_stat;
        cursor = ScriptCursor;
        started = true;
    }
    std::string reason;
    if (Load_game(0, &reason) != SlotRead::Ok) {
        if (ScriptCursor != cursor || std::memcmp(&stat, &Game_stat, sizeof stat) != 0) std::abort();
        return 0;
    }
    started = false;
    for (int i = 0; i < FRAMES_AFTER_LOAD; ++i)
        if (!Harness_frame()) break;
    return 0;
}
