#include "comforts/reload.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "check/findings.h"
#include "check/game_check.h"
#include "core/dialogs.h"
#include "core/file_io.h"
#include "core/sjis.h"
#include "script/backlog.h"
#include "script/script_file.h"
#include "script/story_state.h"
#include "system/load_game.h"
#include "system/snapshot.h"

namespace {

constexpr int SHOWN_FINDINGS = 5;

size_t Line_start(const std::string& text, size_t at) {
    const size_t nl = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
    return nl == std::string::npos ? 0 : nl + 1;
}

// The `*name:` a line begins with, as the interpreter reads a label line; empty if none.
std::string Label_of(const std::string& text, size_t line) {
    if (line >= text.size() || text[line] != '*') return std::string();
    for (size_t i = line; i <= line + 32 && i < text.size(); ++i) {
        if (text[i] == ' ') break;
        if (text[i] == ':') return text.substr(line, i - line + 1);
    }
    return std::string();
}

// The text of the scripts the story was playing before the reload, and the new text of each
// script a start record names, so every record of the backlog moves alike.
struct Texts {
    std::string old_name, old_text;
    std::map<std::string, std::string> fresh; // by script name as scripts write it
};
Texts texts;

const std::string* Fresh_text(const std::string& name) {
    auto found = texts.fresh.find(name);
    if (found != texts.fresh.end()) return &found->second;
    size_t size = 0;
    if (!File_read_all(name.c_str(), nullptr, 0, &size) || size > size_t(SCRIPT_BUFFER_SIZE)) return nullptr;
    std::string bytes(size, '\0');
    if (!File_read_all(name.c_str(), bytes.data(), size)) return nullptr;
    return &texts.fresh.emplace(name, std::move(bytes)).first->second;
}

// Moves a record of the script that was playing into its new text; one of another script (met
// after a file change) keeps its offset, since its old text is no longer at hand.
bool Move(SaveStat* record) {
    if (texts.old_name != record->Script_file) return false;
    const std::string* fresh = Fresh_text(texts.old_name);
    if (!fresh) return false;
    bool gone = false;
    record->Script_offset = Reload_moved_offset(texts.old_text, record->Script_offset, *fresh, &gone);
    return gone;
}

// The checker reads every script into the script buffer: the story's text is put back after it.
struct PlayingScript {
    std::string bytes;
    char name[SCRIPT_NAME_SIZE];
    ScriptText source;
    int32_t cursor;
};

PlayingScript Keep_playing_script() {
    PlayingScript p{std::string(reinterpret_cast<const char*>(ScriptBuffer), size_t(ScriptLength)),
                    {},
                    ScriptSource,
                    ScriptCursor};
    std::memcpy(p.name, ScriptFileName, sizeof p.name);
    return p;
}

void Put_back(const PlayingScript& p) {
    std::memcpy(ScriptBuffer, p.bytes.data(), p.bytes.size());
    ScriptLength = int32_t(p.bytes.size());
    std::memcpy(ScriptFileName, p.name, sizeof p.name);
    ScriptSource = p.source;
    ScriptCursor = p.cursor;
}

// Runs the checker; the errors it found in the scripts (those of the engine's own pictures are not
// the edit's), one line each, or none.
std::vector<std::string> Check_errors() {
    const PlayingScript playing = Keep_playing_script();
    Check_game(nullptr, false);
    Put_back(playing);
    std::vector<std::string> errors;
    for (const Finding* f : Findings_sorted())
        if (f->severity == Severity::Error && f->place.name.rfind("txt/", 0) == 0)
            errors.push_back(Finding_line(*f));
    Findings_reset();
    return errors;
}

void Show_errors(const std::vector<std::string>& errors) {
    std::string text = "台本に誤りがあるため、読み込み直しませんでした。いまの台本のまま続けます。\n";
    for (size_t i = 0; i < errors.size() && i < size_t(SHOWN_FINDINGS); ++i)
        text += "\n" + errors[i];
    text += "\n\n誤りは全部で " + std::to_string(errors.size()) + " 件です。";
    Msg_box(text.c_str(), "再読み込み");
}

} // namespace

int32_t Reload_moved_offset(const std::string& old_text, int32_t offset, const std::string& new_text,
                            bool* label_gone) {
    *label_gone = false;
    const size_t at = std::min(size_t(std::max(offset, 0)), old_text.size());
    const size_t line = Line_start(old_text, at);
    const size_t column = at - line;
    size_t label_line = line, lines_after = 0;
    std::string label = Label_of(old_text, label_line);
    while (label.empty() && label_line > 0) {
        label_line = Line_start(old_text, label_line - 1);
        ++lines_after;
        label = Label_of(old_text, label_line);
    }

    size_t target = 0; // where the label stands in the new text
    if (!label.empty()) {
        for (target = 0; target < new_text.size() && Label_of(new_text, target) != label;) {
            const size_t nl = new_text.find('\n', target);
            target = nl == std::string::npos ? new_text.size() : nl + 1;
        }
        if (target >= new_text.size()) {
            *label_gone = true;
            return 0;
        }
    }
    size_t moved = target;
    for (size_t i = 0; i < lines_after; ++i) {
        const size_t nl = new_text.find('\n', moved);
        if (nl == std::string::npos || nl + 1 >= new_text.size()) return int32_t(target);
        moved = nl + 1;
    }
    const bool same_start = new_text.compare(moved, column, old_text, line, column) == 0;
    return int32_t(same_start && moved + column <= new_text.size() ? moved + column : moved);
}

void Reload_game() {
    // A menu keeps windows of its own over the picture; the story is reloaded from the story.
    if (Story_system_menu_open() || Story_title_menu_open()) return;
    const size_t current = Backlog_pages().size();
    const SaveStat* start = Backlog_page_start(current);
    if (!start) return;
    const std::vector<std::string> errors = Check_errors();
    if (!errors.empty()) {
        Show_errors(errors);
        return;
    }
    texts = Texts{
        ScriptFileName, std::string(reinterpret_cast<const char*>(ScriptBuffer), size_t(ScriptLength)), {}};
    SaveStat record = *start;
    if (Move(&record))
        std::fprintf(stderr,
                     "kotoyumi: reload: the label before the page is gone from %s; playing from its start\n",
                     Sjis_to_utf8(record.Script_file).c_str());
    std::string reason;
    if (!Snapshot_check(record, &reason)) {
        Msg_box(reason.c_str(), "再読み込み");
        return;
    }
    Backlog_each_start([](SaveStat* r) { Move(r); });
    texts = Texts{};
    Load_page_start(current);
}
