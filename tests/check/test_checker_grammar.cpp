// One grammar: for every command word, the checker's reading of its arguments leaves the cursor
// exactly where the engine's handler leaves it, so the walk and the story never part ways.
#include <cstring>
#include <set>
#include <string>

#include "app/command_words.h"
#include "check/arguments.h"
#include "check/check_state.h"
#include "check/findings.h"
#include "script/command_dispatch.h"
#include "script/script_fixture.h"

namespace {

class CheckerGrammar : public ScriptTest {};

// Puts `text` in the script buffer as if it had been read, the cursor on its first byte.
void Load(const std::string& text) {
    std::memcpy(ScriptBuffer, text.data(), text.size());
    ScriptLength = int32_t(text.size());
    ScriptSource = {ScriptBuffer, ScriptLength};
    ScriptCursor = 0;
}

TEST_F(CheckerGrammar, EveryCheckLeavesTheCursorWhereItsHandlerDoes) {
    Start("#halt\r\n");
    // Jumps leave the cursor at their label: the checker reads their arguments and stays.
    std::set<std::string> words = {"jump", "file_change"};
    const char* const lines[] = {"delay 5",
                                 "wait",
                                 "w",
                                 "halt",
                                 "page",
                                 "g_load BG bg.bmp",
                                 "g_copy BS 0 0 BG 0 0 1 1",
                                 "g_change SPREAD",
                                 "flag_on 3",
                                 "flag_off 4",
                                 "disp_flag 3",
                                 "if_flag 3 {\r\na\r\n/\r\nb\r\n}",
                                 "select3 {\r\n one\r\n\r\ntwo\r\nthree\r\n/\r\n/\r\n/\r\n}",
                                 "play_wav 1,a.wav",
                                 "stop_wav",
                                 "play_midi a.mid",
                                 "stop_midi",
                                 "play_mp3 a.mp3",
                                 "stop_mp3",
                                 "set_font_size 20",
                                 "set_text_area 20,20 620 460",
                                 "set_text_wait 5",
                                 "set_text_color 1 2 3 4 5 6",
                                 "set_str \\STR 1 \"a b\"",
                                 "text_input \\STR 2,\"c\"",
                                 "save_point",
                                 "sp",
                                 "save_point_mode MANUAL",
                                 "disp_save_point_mode",
                                 "shake XY",
                                 "fade_out",
                                 "fade_in",
                                 "alpha_copy BS 0 0 BG 0 0 1 1 50",
                                 "start_menu 10 10",
                                 "system_menu_flag OFF",
                                 "shot_timer TIMER_1",
                                 "disp_timer OFF",
                                 "stop_timer TIMER_2",
                                 "clear_timer TIMER_3",
                                 "timer_wait TIMER_1 to 5",
                                 "if_timer TIMER_1 > -1\r\nx\r\n/\r\n}",
                                 "wait_kbhit",
                                 "wk",
                                 "disp_timer_single 1, 2 TIMER_1",
                                 "set_window_text \"t\"",
                                 "test"};
    for (const char* line : lines) {
        const std::string text = std::string("#") + line + "\r\nrest";
        Game_stat.Flags[3] = 1; // conditions hold, so the handlers stop where the block begins
        Game_stat.Timers[0].running = 1;
        Load(text);
        Command_call();
        const int32_t handler_end = ScriptCursor;

        Load(text);
        Check_state_reset();
        Findings_reset();
        Findings_begin_file("t", ScriptBuffer, ScriptLength);
        std::string word;
        size_t count = 0;
        const CommandEntry* table = Command_table(&count);
        ASSERT_TRUE(Command_read_word(&word));
        const CommandEntry* entry = Command_find(table, count, word);
        ASSERT_NE(entry, nullptr) << line;
        Boxes_catch(true);
        if (entry->check) entry->check();
        Boxes_catch(false);
        EXPECT_EQ(ScriptCursor, handler_end) << line;
        words.insert(word);
    }
    size_t count = 0;
    const CommandEntry* table = Command_table(&count);
    for (size_t i = 0; i < count; ++i)
        EXPECT_TRUE(words.count(table[i].word)) << "no line above uses #" << table[i].word;
}

} // namespace
