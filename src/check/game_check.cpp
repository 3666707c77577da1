#include "check/game_check.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "check/arguments.h"
#include "check/check_state.h"
#include "check/findings.h"
#include "check/media_checks.h"
#include "check/nearest_word.h"
#include "check/script_walk.h"
#include "check/source_convert.h"
#include "core/path.h"
#include "core/sjis.h"
#include "features/jump.h"
#include "platform/host_files.h"
#include "script/script_file.h"
#include "system/save_load_screens.h"
#include "system/system_menu.h"

namespace {

constexpr const char* FIRST_SCRIPT = ".\\txt\\config.txt";

// Findings name the file the author edits: the UTF-8 source when there is one.
std::string Shown_name(const std::string& host_path) {
    if (const SourceScript* s = Source_standing_in(host_path)) return s->shown;
    return host_path.rfind("./", 0) == 0 ? host_path.substr(2) : host_path;
}

FileRead Read_quietly(const char* path) {
    if (const SourceScript* s = Source_standing_in(Path_resolve(path)))
        return Script_use_text(path, reinterpret_cast<const uint8_t*>(s->sjis.data()), s->sjis.size());
    return Script_read_quietly(path);
}

// A finding about a whole script, at its first byte.
void Script_finding(const std::string& host_path, const std::string& message) {
    Place p;
    p.file = Check.files;
    p.name = Shown_name(host_path);
    Findings_add(p, Severity::Error, message);
}

// Reads one script into the buffer, as a file change reads it. False (reported) if it cannot be.
bool Read_script(const std::string& path) {
    const std::string host = Path_resolve(path.c_str());
    switch (Read_quietly(path.c_str())) {
    case FileRead::Ok:
        return true;
    case FileRead::CannotOpen:
        Script_finding(host, "the script is not there or cannot be read");
        return false;
    case FileRead::TooLarge:
        Script_finding(host, "the script is larger than 1 MiB (1048576 bytes), the most the engine reads");
        return false;
    case FileRead::Outside:
        Script_finding(host, "the script lies outside the game folder");
        return false;
    }
    return false;
}

int Line_count() {
    int lines = 0;
    for (int32_t i = 0; i < ScriptLength; ++i)
        lines += ScriptBuffer[i] == '\n';
    return lines + (ScriptLength > 0 && ScriptBuffer[ScriptLength - 1] != '\n');
}

void Walk_file(const std::string& path) {
    const std::string host = Path_resolve(path.c_str());
    if (!Read_script(path)) return;
    CheckScript = host;
    Findings_begin_file(Shown_name(host), ScriptBuffer, ScriptLength);
    ++Check.files;
    Check.lines += Line_count();
    // Each script starts as a file change or the start-up leaves it: nothing known about music.
    Check.music_may_play = false;
    // The engine steps CR LF lines of Shift-JIS text: a script in another form says so once.
    const int32_t lf = Script_bare_lf(ScriptBuffer, ScriptLength);
    if (lf >= 0) Check_error(lf, Script_lf_message(Shown_name(host)));
    const int32_t utf8 = Script_utf8_start(ScriptBuffer, ScriptLength);
    if (utf8 >= 0) Check_error(utf8, Script_utf8_message(Shown_name(host)));
    Walk_script(utf8 >= 0);
}

// Every line-start label word of the script in memory, for "did you mean" hints.
std::vector<std::string> Label_words() {
    std::vector<std::string> words;
    for (int32_t at = 0; at < ScriptLength; ++at) {
        if (ScriptBuffer[at] != '*' || (at > 0 && ScriptBuffer[at - 1] != '\n')) continue;
        int32_t end = at;
        while (end < ScriptLength && ScriptBuffer[end] > 0x20)
            ++end;
        words.emplace_back(reinterpret_cast<const char*>(ScriptBuffer) + at, size_t(end - at));
    }
    return words;
}

bool Label_word_end(uint8_t b) {
    return b == ' ' || b == '\t' || b == '\r' || b == '\n';
}

// What the label search can find in the script in memory, all at once: the word of every `*` with
// only blanks before it on its line, up to a blank or line end, cut at the bytes the search
// compares. A label is found exactly when it is one of these.
std::unordered_set<std::string> Label_search_words() {
    std::unordered_set<std::string> words;
    bool line_start = true; // only blanks since the last line end
    for (int32_t at = 0; at < ScriptLength; ++at) {
        const uint8_t b = ScriptBuffer[at];
        if (b == '*' && line_start) {
            int32_t end = at;
            while (end < ScriptLength && !Label_word_end(ScriptBuffer[end]) && end - at < LABEL_WORD_LIMIT)
                ++end;
            words.emplace(reinterpret_cast<const char*>(ScriptBuffer) + at, size_t(end - at));
        }
        line_start = b == '\r' || b == '\n' || (line_start && (b == ' ' || b == '\t'));
    }
    return words;
}

// Looks for every asked-for label in its script, one script in memory at a time.
void Resolve_labels() {
    std::map<std::string, std::vector<const LabelRequest*>> by_script;
    for (const LabelRequest& r : Check.label_requests)
        by_script[r.script].push_back(&r);
    for (const auto& [host, requests] : by_script) {
        // Host paths name scripts already read once; read again through the engine's own reader.
        std::string sjis;
        if (!Utf8_to_sjis(host, &sjis) || Read_quietly(sjis.c_str()) != FileRead::Ok) continue;
        const std::unordered_set<std::string> found = Label_search_words();
        WordIndex words;
        bool indexed = false;
        std::map<std::string, std::string> hints; // by missing label
        for (const LabelRequest* r : requests) {
            if (found.count(r->label)) continue;
            if (!indexed) words = Word_index(Label_words());
            indexed = true;
            const auto [hint, fresh] = hints.try_emplace(r->label);
            if (fresh) hint->second = Nearest_word(r->label, words);
            std::string message =
                "label " + Sjis_to_utf8(r->label.c_str()) + " is not in " + Shown_name(host);
            if (!hint->second.empty())
                message += " (did you mean " + Sjis_to_utf8(hint->second.c_str()) + "?)";
            Findings_add(r->place, Severity::Error, message + "; the program ends there");
        }
    }
}

// What only the whole game tells: labels nothing reaches, variables nothing sets.
void Whole_game_warnings() {
    for (const auto& [key, place] : Check.unreached_candidates)
        if (!Check.named_labels.count(key))
            Findings_add(place, Severity::Warning,
                         "label " + Sjis_to_utf8(key.substr(key.find('|') + 1).c_str()) +
                             " is never reached: no jump names it, and stepping stops before it");
    for (const auto& [n, place] : Check.variable_shown)
        if (!Check.variable_set[n])
            Findings_add(place, Severity::Warning,
                         "\\STR " + std::to_string(n) +
                             " shows a variable that no #set_str or #text_input sets");
}

// Every script in txt/, as scripts name them.
std::vector<std::string> Scripts_in_txt(const std::vector<SourceScript>* source_scripts) {
    std::vector<std::string> out;
    const std::string folder = Path_resolve(".\\txt");
    for (const std::string& name : Host_folder_entries(folder)) {
        if (name.size() < 4) continue;
        std::string ending = name.substr(name.size() - 4);
        for (char& c : ending)
            c = char(std::tolower(uint8_t(c)));
        std::string sjis;
        if (ending != ".txt" || !Utf8_to_sjis(name, &sjis)) continue;
        out.push_back(".\\txt\\" + sjis);
    }
    if (source_scripts)
        for (const SourceScript& s : *source_scripts) {
            std::string sjis;
            if (!Utf8_to_sjis(s.game, &sjis)) continue;
            for (char& c : sjis)
                if (c == '/') c = '\\';
            out.push_back(".\\txt\\" + sjis);
        }
    return out;
}

} // namespace

int Check_game(FILE* out, bool strict, const std::vector<SourceScript>* source_scripts) {
    Sources_stand_in(source_scripts);
    Check_state_reset();
    Findings_reset();
    Media_checks_reset();
    Boxes_catch(true);

    // The engine's own pictures, read at start-up and by the system menu.
    Check_engine_picture(".\\gdat\\system\\Back00.bmp", 640, 480, "the start-up background");
    Check_engine_picture(".\\gdat\\system\\Parts.bmp", 75, 25, "the click-wait icon");
    size_t count = 0;
    const MenuLayout* layouts = System_menu_layouts(&count);
    for (size_t i = 0; i < count; ++i)
        Check_menu_picture(layouts[i]);
    Check_menu_picture(Slot_screen_layout(SAVE_SCREEN_PICTURE));
    Check_menu_picture(Slot_screen_layout(LOAD_SCREEN_PICTURE));

    std::vector<std::string> walked; // host paths
    const auto walk = [&](const std::string& path) {
        const std::string host = Path_resolve(path.c_str());
        if (std::find(walked.begin(), walked.end(), host) != walked.end()) return;
        walked.push_back(host);
        Walk_file(path);
    };
    walk(FIRST_SCRIPT);
    // File changes met on the way add scripts to follow while they are walked.
    for (size_t i = 0; i < Check.followed_scripts.size(); ++i)
        walk(std::string(Check.followed_scripts[i])); // a copy: walking adds to the list
    for (const std::string& path : Scripts_in_txt(source_scripts))
        walk(path);
    Resolve_labels();
    Whole_game_warnings();
    Boxes_catch(false);
    Sources_stand_in(nullptr);

    const int errors = Findings_count(Severity::Error), warnings = Findings_count(Severity::Warning);
    const int result = errors > 0 || (strict && warnings > 0) ? 1 : 0;
    if (!out) return result;
    for (const Finding* f : Findings_sorted())
        std::fprintf(out, "%s\n", Finding_line(*f).c_str());
    const auto counted = [](long long n, const char* one) {
        return std::to_string(n) + " " + one + (n == 1 ? "" : "s");
    };
    const std::string summary = counted(Check.files, "script") + ", " + counted(Check.lines, "line") + ", " +
                                counted(Check.story_characters, "story character") + ", " +
                                counted(Check.commands, "command") + ", " + counted(Check.labels, "label") +
                                ", " + counted(static_cast<long long>(Check.pictures.size()), "picture") +
                                ", " + counted(static_cast<long long>(Check.sounds.size()), "sound") + ": " +
                                counted(errors, "error") + ", " + counted(warnings, "warning");
    std::fprintf(out, "%s\n", summary.c_str());
    return result;
}
