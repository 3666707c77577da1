#include "check/script_walk.h"

#include <cstring>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/arguments.h"
#include "check/block_map.h"
#include "check/check_state.h"
#include "check/command_checks.h"
#include "check/nearest_word.h"
#include "core/sjis.h"
#include "features/jump.h"
#include "script/command_dispatch.h"
#include "script/interpreter.h"
#include "script/parsers.h"
#include "script/script_file.h"
#include "script/string_vars.h"

namespace {

// The labels `*` at a line's start define, seen by the label search: each word's first place.
std::unordered_map<std::string, int32_t> labels;
// The hints for the unknown words met in this script, by word as written.
std::unordered_map<std::string, std::string> hints;

WordIndex Words(const CommandEntry* table, size_t count) {
    std::vector<std::string> words;
    for (size_t i = 0; i < count; ++i)
        if (table[i].handler) words.push_back(table[i].word);
    return Word_index(words);
}

// Unknown words: the engine shows the box and goes on. A known word that a comma ran into is
// named as such, and otherwise the hint names the nearest known word.
void Unknown(int32_t at, const char* mark, const std::string& word, const CommandEntry* table, size_t count,
             const char* kind) {
    const std::string shown = Sjis_to_utf8(word.c_str());
    std::string message = std::string("unknown ") + kind + " " + mark + shown;
    const size_t comma = word.find(',');
    if (comma != std::string::npos && Command_find(table, count, word.substr(0, comma))) {
        std::string meant = shown;
        meant[meant.find(',')] = ' ';
        Check_error(at, message + ": a command word ends at a space or line end: write " + mark + meant);
        return;
    }
    // The tables never change while the program runs: each is indexed once.
    static std::map<const CommandEntry*, WordIndex> indexes;
    auto index = indexes.find(table);
    if (index == indexes.end()) index = indexes.emplace(table, Words(table, count)).first;
    const auto [hint, fresh] = hints.try_emplace(mark + word);
    if (fresh) hint->second = Nearest_word(word, index->second);
    if (!hint->second.empty()) message += " (did you mean " + std::string(mark) + hint->second + "?)";
    Check_error(at, message);
}

// The small background picture left by the command before, unless this one copied from it.
void Small_background_after(const CheckState::Staged& before) {
    if (before.at >= 0 && !Check.copied_from_background) Check_warning(before.at, before.warning);
}

// `#`: a comment line, or a command word looked up in the engine's table and checked. The cursor
// is left where the handler would leave it.
void Command() {
    if (Command_is_comment()) {
        Command_pass_comment();
        return;
    }
    const int32_t at = ScriptCursor;
    std::string word;
    size_t count = 0;
    const CommandEntry* table = Command_table(&count);
    const CommandEntry* entry = Command_read_word(&word) ? Command_find(table, count, word) : nullptr;
    ++Check.commands;
    Check.flow_ended = false;
    const CheckState::Staged staged = Check.small_background;
    Check.small_background = {};
    Check.copied_from_background = false;
    if (!entry) {
        Small_background_after(staged);
        Unknown(at, "#", word, table, count, "command");
        return;
    }
    Check.command = "#" + word;
    if (entry->check) entry->check();
    Small_background_after(staged);
}

// `\`: an escape word from the engine's table of them.
void Escape() {
    const int32_t at = ScriptCursor;
    std::string word;
    size_t count = 0;
    const CommandEntry* table = String_escape_table(&count);
    const CommandEntry* entry = Command_read_word(&word) ? Command_find(table, count, word) : nullptr;
    if (!entry) {
        Unknown(at, "\\", word, table, count, "escape");
        return;
    }
    Check.command = "\\" + word;
    if (entry->handler == Str_str) Check_str();
}

// True if only spaces and tabs stand between the line's start and `at`.
bool At_line_start(int32_t at) {
    for (int32_t i = at - 1; i >= 0; --i) {
        const uint8_t b = ScriptBuffer[i];
        if (b == '\r' || b == '\n') return true;
        if (b != ' ' && b != '\t') return false;
    }
    return true;
}

// `*`: a label line (at a line's start), or in story text a `*` the interpreter takes for one.
void Star() {
    const int32_t at = ScriptCursor;
    if (!At_line_start(at)) {
        if (Label_line())
            Check_warning(at,
                          "a * in story text with a : within 32 bytes is taken as a label: the text up to "
                          "the : and one byte more is not shown");
        return;
    }
    int32_t end = at;
    while (end < ScriptLength && !std::strchr(" \t\r\n", ScriptBuffer[end]))
        ++end;
    const std::string word(reinterpret_cast<const char*>(ScriptBuffer) + at, size_t(end - at));
    // Without its `:` the `*` is dropped and the rest shows as text; a jump finds it all the same.
    Label_line();
    ++Check.labels;
    if (word.size() == size_t(LABEL_WORD_LIMIT) + 1)
        Check_warning(at, "label " + Sjis_to_utf8(word.c_str()) +
                              " has a 31-byte name: it is passed over, but no jump can reach it (the search "
                              "compares at most 32 bytes)");
    const auto [first, fresh] = labels.try_emplace(word, at);
    if (!fresh) {
        Check_warning(at, "label " + Sjis_to_utf8(word.c_str()) +
                              " is defined twice; jumps go to the first, on line " +
                              std::to_string(Findings_place(first->second).line));
        return;
    }
    if (Check.flow_ended)
        Check.unreached_candidates.push_back({CheckScript + "|" + word, Findings_place(at)});
    Check.flow_ended = false;
}

void Open_brace() {
    Check.blocks.push_back({ScriptCursor, Check.music_may_play, false});
}

void Close_brace() {
    if (Check.blocks.empty()) {
        Check_error(ScriptCursor, "} without a block to close");
        return;
    }
    const CheckState::Open& b = Check.blocks.back();
    Check.music_may_play = Check.music_may_play || b.music_after_parts;
    Check.blocks.pop_back();
}

// `/`: inside a block it ends a part (the walk goes on into the next one); outside, stepping skips
// the story up to the next `}`.
void Slash() {
    if (!Check.blocks.empty()) {
        CheckState::Open& b = Check.blocks.back();
        b.music_after_parts = b.music_after_parts || Check.music_may_play;
        Check.music_may_play = b.music_at_start;
        return;
    }
    Check_warning(ScriptCursor, "a / outside a block skips the story up to the next }");
    // The walk skips as stepping does (the `}` it passes closes nothing of the walk's), and the
    // step's own move then passes one more byte.
    const int32_t at = ScriptCursor;
    if (!Skip_else_part()) {
        Boxes_take("Error");
        Check_error(at, "this / skips to a } that never comes");
        ScriptCursor = ScriptLength;
    }
}

// A character of story text at the cursor, two bytes for a lead byte as the interpreter steps.
void Character(bool utf8) {
    const uint8_t b = Script_byte();
    ++Check.story_characters;
    Check.flow_ended = false;
    if (!Sjis_is_lead(b)) {
        ScriptCursor += 1;
        return;
    }
    // The interpreter takes any byte of 0x80 or above with the next one; what it draws must be a
    // Shift-JIS character. A half-width katakana is one byte in Shift-JIS, but not to the interpreter.
    // A UTF-8 script has been reported once as a whole.
    if (!utf8 && b >= 0xA1 && b <= 0xDF)
        Check_error(ScriptCursor,
                    "a half-width katakana is stepped as the first byte of a two-byte character: it "
                    "cannot be shown and takes the byte after it along");
    else if (!utf8 && (!Cp932_is_lead(b) || !Cp932_is_trail(Script_byte(1))))
        Check_error(ScriptCursor, "bytes that are not Shift-JIS");
    ScriptCursor += 2;
}

} // namespace

void Walk_script(bool utf8) {
    labels.clear();
    hints.clear();
    Block_map_build();
    Check.blocks.clear();
    Check.flow_ended = false;
    ScriptCursor = 0;
    while (Script_in_text()) {
        const uint8_t b = Script_byte();
        if (Sjis_is_lead(b)) {
            Character(utf8);
            continue;
        }
        switch (b) {
        case '#':
            Command();
            ScriptCursor += 2;
            break;
        case '*':
            Star();
            ++ScriptCursor;
            break;
        case '{':
            Open_brace();
            ++ScriptCursor;
            break;
        case '}':
            Close_brace();
            ++ScriptCursor;
            break;
        case '/':
            Slash();
            ++ScriptCursor;
            break;
        case '\\':
            Escape();
            ++ScriptCursor;
            break;
        case '\t':
        case '\n':
        case '\r':
        case ';':
            ++ScriptCursor;
            break;
        default:
            Character(utf8);
        }
    }
    for (const CheckState::Open& b : Check.blocks)
        if (!b.reported) Check_error(b.at, "this block never closes (no matching })");
    Check.copied_from_background = false;
    Small_background_after(Check.small_background);
    Check.small_background = {};
}
