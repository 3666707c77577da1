#include "check/command_checks.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "check/arguments.h"
#include "check/check_state.h"
#include "check/media_checks.h"
#include "core/file_io.h"
#include "core/sjis.h"
#include "features/flags.h"
#include "features/jump.h"
#include "features/key_copy_test.h"
#include "features/picture_commands.h"
#include "features/select.h"
#include "features/shake_fade.h"
#include "features/timers.h"
#include "features/transition.h"
#include "platform/platform.h"
#include "script/parsers.h"
#include "script/script_file.h"
#include "script/string_vars.h"
#include "script/text_settings.h"
#include "system/save_load_screens.h"
#include "system/title_menu.h"

namespace {

std::string Message(const std::string& text) {
    return Check.command + ": " + text;
}

// A timer name as the timer commands read it.
void Timer_name() {
    int32_t at = Arg_start(false);
    std::string name;
    if (Read_timer(&name) < 0) Check_error(at, Message(Not_one_of("timer", name, TIMER_WORDS)));
}

// Both rectangle commands, read by the handlers' own reader: two surface symbols among the numbers,
// reported at the first argument.
void Rectangle() {
    const int32_t at = Arg_start(false);
    const RectangleArgs a = Read_rectangle_args();
    Boxes_take("");
    for (const std::string& surface : {a.dst, a.src})
        if (!Word_in(SURFACE_WORDS, surface))
            Check_error(at, Message(Not_one_of("surface", surface, SURFACE_WORDS)));
    Check.copied_from_background = a.src == "BG";
}

// A label that a jump asks for in `script` (a host path), searched by the engine's own label search
// when that script is the one in memory, else once it has been read.
void Ask_label(const std::string& script, const std::string& label, int32_t at) {
    Check.named_labels.insert(script + "|" + label);
    if (label.size() > size_t(LABEL_WORD_LIMIT)) {
        Check_error(at, Message("label " + Sjis_to_utf8(label.c_str()) + " is " +
                                std::to_string(label.size()) + " bytes; the search compares at most " +
                                std::to_string(LABEL_WORD_LIMIT) + ", so no label can match it"));
        return;
    }
    Check.label_requests.push_back(LabelRequest{script, label, Findings_place(at)});
}

// After a jump, a file change or `halt` outside any block, what follows is reached only by a label.
void Flow_ends() {
    if (Check.blocks.empty()) Check.flow_ended = true;
}

void Music(bool midi) {
    ++ScriptCursor;
    int32_t at = 0;
    const std::string name = Check_symbol(&at);
    if (Check.music_may_play)
        Check_warning(at, Message("music may already be playing here; the engine refuses to start another "
                                  "until it is stopped"));
    Check.music_may_play = true;
    Check_music(at, ".\\MIDI\\" + name, midi);
}

} // namespace

void Check_delay() {
    ++ScriptCursor;
    Check_num();
}

void Check_step_past_word() {
    ++ScriptCursor;
}

void Check_halt() {
    Flow_ends();
}

void Check_g_load() {
    ++ScriptCursor;
    int32_t at = 0;
    const std::string surface = Check_symbol(&at);
    if (!Word_in(SURFACE_WORDS, surface))
        Check_error(at, Message(Not_one_of("surface", surface, SURFACE_WORDS)));
    Skip_arg_separators();
    const std::string name = Check_symbol(&at);
    if (surface == "BG") {
        Check_background_picture(at, ".\\gdat\\" + name);
    } else {
        Check_picture(at, ".\\gdat\\" + name);
    }
}

void Check_g_copy() {
    ++ScriptCursor;
    Rectangle();
}

void Check_alpha_copy() {
    ++ScriptCursor;
    Rectangle();
    Skip_arg_separators();
    Check_num();
}

void Check_g_change() {
    ++ScriptCursor;
    Check_symbol_in("transition", TRANSITION_WORDS);
}

void Check_flag() {
    ++ScriptCursor;
    Check_num_in("flag number", 0, FLAG_COUNT - 1);
}

void Check_if_flag() {
    Check_flag();
    const int32_t at = ScriptCursor;
    if (!Skip_past_open_brace()) {
        Boxes_take("Error");
        Check_error(at, Message("no { follows"));
        return;
    }
    const bool closes = Check_block(ScriptCursor, 1, ScriptCursor - 1);
    // The walk goes on into both parts; the `{` it will not meet is opened here.
    Check.blocks.push_back({ScriptCursor - 1, Check.music_may_play, false, !closes});
}

void Check_jump() {
    ++ScriptCursor;
    int32_t at = 0;
    const std::string label = Check_symbol(&at);
    Ask_label(CheckScript, label, at);
    Flow_ends();
}

void Check_file_change() {
    const int32_t at = Arg_start(false, 1);
    const FileChangeArgs args = Read_file_change_args();
    const std::string& path = args.path;
    const int32_t label_at = ScriptCursor - int32_t(args.label.size());
    std::string target;
    switch (Check_script_file(path, &target)) {
    case FileRead::Ok:
        if (std::find(Check.followed_scripts.begin(), Check.followed_scripts.end(), path) ==
            Check.followed_scripts.end())
            Check.followed_scripts.push_back(path);
        break;
    // The script in memory stays, and the label is looked for in it.
    case FileRead::CannotOpen:
        Check_error(at, Message("script " + Sjis_to_utf8(path.c_str()) + " is not there"));
        target = CheckScript;
        break;
    case FileRead::TooLarge:
        Check_error(at, Message("script " + Sjis_to_utf8(path.c_str()) + " is larger than 1 MiB"));
        target = CheckScript;
        break;
    case FileRead::Outside:
        Check_error(at, Message("script " + Sjis_to_utf8(path.c_str()) + " lies outside the game folder"));
        target = CheckScript;
        break;
    }
    Ask_label(target, args.label, label_at);
    Flow_ends();
}

void Check_select3() {
    const int32_t at = ScriptCursor;
    if (!Skip_past_open_brace()) {
        Boxes_take("Error");
        Check_error(at, Message("no { follows"));
        return;
    }
    const int32_t open = ScriptCursor - 1;
    for (int k = 0; k < SELECT_OPTIONS; ++k) {
        const int32_t option_at = Arg_start(true);
        const std::string option = Select_read_option();
        if (option.size() >= size_t(PARSE_LIMIT) && Script_byte() != '\r')
            Check_error(option_at, Message("option " + std::to_string(k + 1) + " is longer than " +
                                           std::to_string(PARSE_LIMIT) + " bytes"));
        if (option.empty() || option == "/" || option == "}")
            Check_error(option_at, Message("needs three option lines after its {"));
    }
    const bool closes = Check_block(ScriptCursor, SELECT_OPTIONS, open);
    // The walk goes on into the parts; the block's `{` is opened here.
    Check.blocks.push_back({open, Check.music_may_play, false, !closes});
}

void Check_play_wav() {
    ++ScriptCursor;
    Check_num_in("flag", 0, 1);
    Skip_arg_separators();
    int32_t at = 0;
    const std::string name = Check_symbol(&at);
    Check_effect(at, ".\\wav\\" + name);
}

void Check_play_midi() {
    Music(true);
}

void Check_play_mp3() {
    Music(false);
}

void Check_stop_music() {
    ++ScriptCursor;
    Check.music_may_play = false;
}

void Check_set_font_size() {
    ++ScriptCursor;
    int32_t at = 0;
    const int32_t size = Check_num(&at);
    const Rect& a = Check.text_area;
    if (size <= 0 || int64_t(size) > int64_t(a.bottom) - a.top || int64_t(size) > int64_t(a.right) - a.left)
        Check_warning(at, Message("size " + std::to_string(size) + " does not fit the text area"));
    Check.font_size = size;
}

void Check_set_text_area() {
    ++ScriptCursor;
    int32_t at = 0, v[4];
    for (int i = 0; i < 4; ++i) {
        if (i > 0) Skip_arg_separators();
        v[i] = Check_num(i == 0 ? &at : nullptr);
    }
    const int64_t w = int64_t(v[2]) - v[0], h = int64_t(v[3]) - v[1];
    if (v[0] < 0 || v[1] < 0 || v[2] > WINDOW_WIDTH || v[3] > WINDOW_HEIGHT) {
        Check_error(at, Message("the area must lie inside the 640x480 window"));
    } else if (w < 4 * int64_t(Check.font_size)) {
        Check_error(at, Message("the area is " + std::to_string(w) + " wide; size " +
                                std::to_string(Check.font_size) + " needs at least " +
                                std::to_string(4 * int64_t(Check.font_size))));
    } else if (h < Check.font_size) {
        Check_error(at, Message("the area is " + std::to_string(h) + " high; size " +
                                std::to_string(Check.font_size) + " needs at least that"));
    } else {
        Check.text_area = Rect{v[0], v[1], v[2], v[3]};
    }
}

void Check_set_text_wait() {
    ++ScriptCursor;
    Check_num_in("wait", 0, 5000);
}

void Check_set_text_color() {
    ++ScriptCursor;
    for (int i = 0; i < 6; ++i) {
        if (i > 0) Skip_arg_separators();
        Check_num_in("colour value", 0, 255);
    }
}

void Check_set_str() {
    const int32_t at = Arg_start(false, 1); // the reader moves past the word itself
    const StrArguments a = Str_read_arguments();
    Boxes_take("");
    if (a.word != "\\STR")
        Check_error(
            at, Message("the variable must be written \\STR, not \"" + Sjis_to_utf8(a.word.c_str()) + "\""));
    if (!a.text) return;
    std::string text;
    int32_t text_at = 0;
    Review_quoted(a.text, size_t(STRING_TEXT_LIMIT), &text, &text_at);
    if (a.n < 0 || a.n >= STRING_VARIABLES) {
        Check_error(at, Message("string variable " + std::to_string(a.n) + " is outside 0-15"));
    } else {
        Check.variable_set[a.n] = true;
    }
    // A command at the very end of the text would read the variable's end marker as its argument.
    const size_t hash = text.rfind('#');
    if (hash != std::string::npos && text.find_first_of("\r\n", hash) == std::string::npos)
        Check_warning(text_at, Message("the text ends in a command, which reads the variable's end marker "
                                       "(\\EOS) as part of it"));
}

void Check_save_point_mode() {
    ++ScriptCursor;
    Check_symbol_in("mode", SAVE_POINT_MODE_WORDS);
}

void Check_shake() {
    ++ScriptCursor;
    Check_symbol_in("shake", SHAKE_WORDS);
}

void Check_fade_out() {
    ++ScriptCursor;
    // The black of a fade is saved under this name: a game loaded after a fade reads it.
    Check_picture(ScriptCursor, BLACK_PICTURE, WINDOW_WIDTH, WINDOW_HEIGHT, "a fade");
}

void Check_start_menu() {
    ++ScriptCursor;
    Check_num();
    Skip_arg_separators();
    Check_num();
    Skip_arg_separators();
    size_t count = 0;
    const MenuLayout* layouts = Title_menu_layouts(&count);
    for (size_t i = 0; i < count; ++i)
        Check_menu_picture(layouts[i]);
    Check_menu_picture(Slot_screen_layout(LOAD_SCREEN_PICTURE));
}

void Check_system_menu_flag() {
    ++ScriptCursor;
    Check_symbol_in("switch", SYSTEM_MENU_SWITCH_WORDS);
    Skip_arg_separators();
}

void Check_timer() {
    ++ScriptCursor;
    Timer_name();
}

void Check_disp_timer() {
    ++ScriptCursor;
    Check_symbol_in("switch", TIMER_SWITCH_WORDS);
}

void Check_timer_wait() {
    ++ScriptCursor;
    Timer_name();
    Skip_blanks_and_lf();
    int32_t at = 0;
    const std::string word = Check_symbol(&at);
    Skip_blanks_and_lf();
    if (word != "to") {
        Check_error(at, Message("is written #timer_wait TIMER to MS"));
        return;
    }
    Check_num();
}

void Check_if_timer() {
    ++ScriptCursor;
    Timer_name();
    Skip_blanks_and_lf();
    Check_symbol_in("comparison", TIMER_COMPARISON_WORDS);
    Skip_blanks_and_lf();
    Check_num();
    // A `{` after the number is stepped over when the condition holds, but counts as a block of
    // its own when the skip passes the first part.
    const int32_t brace = Arg_start(false);
    const bool braced = Script_byte(brace - ScriptCursor) == '{';
    if (braced)
        Check_error(brace, Check.command + " takes no {: its first part starts on the next line and ends "
                                           "at a /, the second ends at a }");
    const bool reported = braced || !Check_block(ScriptCursor, 1, ScriptCursor);
    // The block has no `{`: its parts are walked from here, as inside braces.
    Check.blocks.push_back({ScriptCursor, Check.music_may_play, false, reported});
}

void Check_disp_timer_single() {
    ++ScriptCursor;
    Check_num();
    Skip_commas_and_spaces();
    Check_num();
    Skip_commas_and_spaces();
    Timer_name();
}

void Check_set_window_text() {
    ++ScriptCursor;
    std::string title;
    int32_t at = 0;
    Check_quoted(size_t(WINDOW_TITLE_LIMIT), &title, &at);
}

void Check_test() {
    for (const char* picture : {TEST_MASK_PICTURE, TEST_SAMPLE_PICTURE})
        Check_picture(ScriptCursor, picture, WINDOW_WIDTH, WINDOW_HEIGHT, "#test");
}

void Check_str() {
    ++ScriptCursor;
    int32_t at = 0;
    const int32_t n = Check_num(&at);
    if (n < 0 || n >= STRING_VARIABLES) {
        Check_error(at, Message("string variable " + std::to_string(n) + " is outside 0-15"));
        return;
    }
    Check.variable_shown.push_back({n, Findings_place(at)});
    // The byte after the number ends it and is passed over with the escape, whatever it is.
    if (Script_byte() == ',')
        Check_warning(ScriptCursor, Message("the , right after the number ends it and is not shown (put a "
                                            "space before it to show it)"));
}
