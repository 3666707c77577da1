// Label search and the two jumps. Labels are not indexed: each jump scans the script from its
// first byte, so the first label with the word wins, wherever the jump stands.
#include "features/jump.h"

#include <cstring>
#include <string>

#include "core/dialogs.h"
#include "core/file_io.h"
#include "core/game_stat.h"
#include "core/lifecycle.h"
#include "core/sjis.h"
#include "script/parsers.h"
#include "script/script_file.h"
#include "script/string_vars.h"

namespace {

bool Word_end(uint8_t b) {
    return b == ' ' || b == '\t' || b == '\r' || b == '\n';
}

// True if only spaces and tabs stand between the byte before `at` and a line end or the start of
// the buffer. It is asked only for a `*` whose word matched, and walks back only over blanks.
bool At_line_start(const uint8_t* text, int32_t at) {
    for (int32_t i = at - 1; i >= 0; --i) {
        if (text[i] == '\r' || text[i] == '\n') return true;
        if (text[i] != ' ' && text[i] != '\t') return false;
    }
    return true;
}

// The loaded script, from the buffer's start: a jump always lands in the script text, never in a
// string variable being shown.
void Continue_in_script(int32_t position) {
    Str_leave_all();
    ScriptSource = {ScriptBuffer, ScriptLength};
    ScriptCursor = position;
}

// The label is not there: the story cannot go on, so the program ends once the box is closed.
void Label_missing(const std::string& label) {
    const std::string text = "ラベル [" + Sjis_to_utf8(label.c_str()) + "] が見つかりません。強制終了の刑♪";
    Msg_box(text.c_str(), "Com_jump()");
    Game_stat.text_on = 0; // nothing more of the script runs while the program ends
    System_exit_with(EXIT_SCRIPT_ERROR);
}

void Jump_to(const std::string& label) {
    const int32_t found = Label_search(label.c_str());
    if (found < 0) {
        Label_missing(label);
        return;
    }
    Continue_in_script(found);
}

} // namespace

int32_t Label_search(const char* label) {
    const size_t want = std::strlen(label);
    if (want > size_t(LABEL_WORD_LIMIT)) return -1;
    for (size_t i = 0; i < want; ++i)
        if (Word_end(uint8_t(label[i]))) return -1; // no label word holds a blank
    // Only the file last read is searched: bytes after its end are left over from a longer script
    // read earlier, and stepping stops at the end of the file anyway.
    const int32_t end = ScriptLength < SCRIPT_BUFFER_SIZE ? ScriptLength : SCRIPT_BUFFER_SIZE;
    const uint8_t* text = ScriptBuffer;
    // Every `*` is tried in turn. One inside another's word never stands at a line start, so trying
    // it too finds the same label as stepping over whole words would, with less work per `*`.
    for (int32_t at = 0; at < end; ++at) {
        const void* star = std::memchr(text + at, '*', size_t(end - at));
        if (!star) return -1;
        at = int32_t(static_cast<const uint8_t*>(star) - text);
        if (size_t(end - at) < want || std::memcmp(text + at, label, want) != 0) continue;
        // The word must end right after the label, unless the label fills the whole 32 bytes the
        // comparison takes of a longer word.
        const int32_t after = at + int32_t(want);
        if (want < size_t(LABEL_WORD_LIMIT) && after < end && !Word_end(text[after])) continue;
        if (At_line_start(text, at)) return after;
    }
    return -1;
}

void Com_jump() {
    ++ScriptCursor;
    Jump_to(Kaiseki_Symbol());
}

FileChangeArgs Read_file_change_args() {
    FileChangeArgs a;
    ++ScriptCursor;
    a.path = std::string(".\\txt\\") + Kaiseki_Symbol();
    while (Script_in_text() && (Script_byte() == ' ' || Script_byte() == ','))
        ++ScriptCursor;
    a.label = Kaiseki_Symbol();
    return a;
}

void Com_file_change() {
    const FileChangeArgs args = Read_file_change_args();
    const std::string& path = args.path;
    const std::string& label = args.label;

    switch (Script_read(path.c_str())) {
    case FileRead::Ok:
        break;
    // The script in memory stays, and so does its name: a save taken later must name the file
    // that is really being played.
    case FileRead::CannotOpen: {
        const std::string text =
            "台本【 " + Sjis_to_utf8(path.c_str()) + " 】が見つからないか、読み込めません。";
        Msg_box(text.c_str(), "Com_file_change()");
        break;
    }
    case FileRead::TooLarge: {
        const std::string text =
            "台本【 " + Sjis_to_utf8(path.c_str()) + " 】が大きすぎて読み込めません（1MB まで）。";
        Msg_box(text.c_str(), "Com_file_change()");
        break;
    }
    case FileRead::Outside:
        File_report_outside(path.c_str(), "Com_file_change()");
        break;
    }
    Jump_to(label);
}
