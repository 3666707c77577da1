// What one run of the script checker keeps while it walks the scripts: the settings the scripts
// make as far as the checks need them, the names jumps ask for, and the counts of the summary.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "check/findings.h"
#include "core/rect.h"

constexpr int STRING_VARIABLES = 16;

// A label that a jump or file change asks for in a script that is not in memory yet.
struct LabelRequest {
    std::string script; // host path of the script the label must be in
    std::string label;  // Shift-JIS, as written
    Place place;        // where it was asked for
};

struct CheckState {
    std::string command; // the command being checked as written (#word, \\STR), for the messages

    // Text settings as the script sets them from top to bottom (a check of their values needs some).
    int32_t font_size = 20;
    Rect text_area = {20, 20, 620, 460};

    // Music that may be playing at this point of the walk: the last play not stopped since.
    bool music_may_play = false;
    // Block nesting of the walk: where each open `{` stands, and the music state at its start and
    // at the end of the parts walked so far; whether its command has reported it already.
    struct Open {
        int32_t at;
        bool music_at_start, music_after_parts;
        bool reported = false;
    };
    std::vector<Open> blocks;
    // True when the last command was a jump, a file change or `halt` outside any block: stepping
    // cannot reach what follows it except through a label.
    bool flow_ended = false;

    // A picture smaller than the window loaded onto the background: warned of unless the next
    // command copies from the background (the picture was staged there to be copied); `at` -1 if
    // none waits. The copy check sets `copied_from_background`.
    struct Staged {
        int32_t at = -1;
        std::string warning;
    } small_background;
    bool copied_from_background = false;

    // Labels that jumps and file changes name: "host path of the script|label".
    std::set<std::string> named_labels;
    std::vector<LabelRequest> label_requests;
    // Labels that only a jump could reach (stepping cannot: a jump, file change or halt stands
    // before them), as "host path|label", with their places.
    std::vector<std::pair<std::string, Place>> unreached_candidates;
    // Scripts that file changes lead to, in the order met, as the commands name them (".\txt\...").
    std::vector<std::string> followed_scripts;
    // String variables that some command sets; the places that show each.
    bool variable_set[STRING_VARIABLES] = {};
    std::vector<std::pair<int, Place>> variable_shown;

    // The summary's counts.
    int files = 0, lines = 0, commands = 0, labels = 0;
    int64_t story_characters = 0;
    std::set<std::string> pictures, sounds; // host paths
};

extern CheckState Check;

// The host path of the script being walked.
extern std::string CheckScript;

// A fresh state.
void Check_state_reset();
