// Scripts written in UTF-8 and the engine's form of them: an author keeps the story in UTF-8 with
// either line end, and the engine plays Shift-JIS (CP932) with CR LF. Each source line becomes one
// line of the script and each character one character, so a line and column (counted in
// characters, a tab as one) name the same place in both.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// A character the conversion refused, at its line and column (from 1).
struct SourceProblem {
    int line, column;
    std::string what;
};

// Converts one script's text (a byte-order mark at the start is dropped). False with every
// character that has no CP932 form, or bytes that are not UTF-8, in *problems (*sjis then undefined).
bool Source_convert_text(const std::string& utf8, std::string* sjis, std::vector<SourceProblem>* problems);

// A converted script: where its source lies (as shown in messages) and its place under txt/.
struct SourceScript {
    std::string shown; // the source file's path as given, with `/`
    std::string game;  // relative to the game's txt/ folder, with `/`
    std::string sjis;
};

// Reads and converts every `*.txt` under `folder` (subfolders included, sorted). False with one
// "file:line:col: error: ..." line for each refused character, or a line about a file that cannot
// be read, in *errors.
bool Source_convert_folder(const std::string& folder, std::vector<SourceScript>* scripts,
                           std::vector<std::string>* errors);

// `--convert`: converts every script under `source_folder` into `game_folder`/txt/ (made when
// missing). All or nothing: any error is listed on `out` and nothing is written. 0 when written.
int Source_convert_main(const std::string& source_folder, const std::string& game_folder, FILE* out);

// Makes `scripts` (nullptr: none) stand in for the game's txt/ files while the checker reads.
void Sources_stand_in(const std::vector<SourceScript>* scripts);

// The converted script standing in for the game file at `host_path` (as Path_resolve gives it,
// matched without regard to ASCII case), or nullptr.
const SourceScript* Source_standing_in(const std::string& host_path);
