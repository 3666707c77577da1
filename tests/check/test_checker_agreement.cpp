// The checker agrees with the engine: on the demo's scripts with random byte changes and shuffled
// lines, every box the headless runner shows while playing them on its own, of a kind the checker
// covers, stands at a place where the checker reported an error.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/command_words.h"
#include "app/frame_loop.h"
#include "app/headless_probe.h"
#include "app/system.h"
#include "check/game_check.h"
#include "core/dialogs.h"
#include "core/lifecycle.h"
#include "core/path.h"
#include "core/sjis.h"
#include "platform/headless/headless.h"
#include "script/script_file.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

struct PlayedBox {
    std::string caption, text, file;
    int line;
};
std::vector<PlayedBox> played;

// Boxes that depend on how play went (a flag's value, a running timer, room on the page, music
// already playing, the font size at the time) or that are no mistake at all are not compared.
bool Covered(const std::string& caption, const std::string& text) {
    for (const char* c : {"Com_select3() ", "Com_disp_flag()", "Com_disp_save_point_mode()", "",
                          "Com_set_text_area()", "Load_Bmp()", "Str_str()"})
        if (caption == c) return text.find("変数番号") != std::string::npos && caption == "Str_str()";
    for (const char* t : {"は無効だにょ", "別の曲を演奏中", "表示中"})
        if (text.find(t) != std::string::npos) return false;
    return caption.find("Save") == std::string::npos && caption.find("load") == std::string::npos &&
           caption.find("Load") == std::string::npos && caption != "WndProc()";
}

BoxAnswer Record(const char* text, const char* caption, BoxKind kind) {
    // Only boxes raised while the cursor is in the script itself have a place in it.
    if (ScriptSource.base == ScriptBuffer && Covered(caption, text)) {
        int line = 1;
        for (int32_t i = 0; i < ScriptCursor && i < ScriptLength; ++i)
            line += ScriptBuffer[i] == '\n';
        std::string file = Path_resolve(ScriptFileName);
        if (file.rfind("./", 0) == 0) file.erase(0, 2);
        played.push_back(PlayedBox{caption, text, file, line});
    }
    return kind == BoxKind::Ok ? BoxAnswer::Ok : BoxAnswer::No;
}

std::string Keep_default(const std::string& s) {
    return s;
}

const DialogProcs RECORDING = {Record, Keep_default};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Replaces one argument of a random command line with a value from the edges of what commands
// take, or just past them: a number by a number, a word by a word.
void Change_argument(std::vector<std::string>* lines, std::mt19937* random) {
    static const char* const NUMBERS[] = {"-1", "0", "15", "16", "255", "256", "5000", "5001", "99999", "1a"};
    static const char* const WORDS[] = {"BG",  "XX",    "X",      "CURTAIN", "ON",    "TIMER_1",
                                        "T_9", "a.jpg", "*nope:", "\"q",     "\"q\"", ""};
    std::string& line = (*lines)[(*random)() % lines->size()];
    if (line.size() < 2 || line[0] != '#' || line[1] == '#') return;
    std::vector<size_t> spaces;
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == ' ') spaces.push_back(i);
    if (spaces.empty()) return;
    const size_t from = spaces[(*random)() % spaces.size()] + 1;
    size_t to = line.find_first_of(" \r\n", from);
    if (to == std::string::npos) to = line.size();
    const bool number = from < to && std::isdigit(uint8_t(line[from]));
    line.replace(from, to - from,
                 number ? NUMBERS[(*random)() % std::size(NUMBERS)] : WORDS[(*random)() % std::size(WORDS)]);
}

// The demo's first script with a few random bytes changed (to bytes that matter to the grammar
// more often than not), arguments changed and lines swapped.
std::string Mutate(const std::string& script, std::mt19937* random) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < script.size();) {
        size_t end = script.find('\n', at);
        end = end == std::string::npos ? script.size() : end + 1;
        lines.push_back(script.substr(at, end - at));
        at = end;
    }
    const int changes = 4 + int((*random)() % 8);
    for (int i = 0; i < changes; ++i)
        Change_argument(&lines, random);
    const int swaps = int((*random)() % 3);
    for (int i = 0; i < swaps; ++i)
        std::swap(lines[(*random)() % lines.size()], lines[(*random)() % lines.size()]);
    std::string out;
    for (const std::string& l : lines)
        out += l;
    static const char BYTES[] = "#{}/\\*:\"; 0123456789-,xTO\r\n\x82";
    const int flips = 1 + int((*random)() % 4);
    for (int i = 0; i < flips; ++i)
        out[(*random)() % out.size()] = BYTES[(*random)() % (sizeof BYTES - 1)];
    return out;
}

class CheckerAgreement : public EngineTest {};

TEST_F(CheckerAgreement, EveryBoxThePlayedScriptShowsIsAnErrorTheCheckerReported) {
    for (const char* folder : {"gdat", "wav", "MIDI", "txt"})
        fs::copy(std::string(KOTOYUMI_DEMO_DIR) + "/" + folder, folder, fs::copy_options::recursive);
    const std::string original = Read("txt/config.txt");
    // Each round plays a whole story: the much slower sanitizer build plays only a few.
#ifdef __SANITIZE_ADDRESS__
    constexpr int ROUNDS = 3;
#else
    constexpr int ROUNDS = 32;
#endif
    std::mt19937 random(12);
    for (int round = 0; round < ROUNDS; ++round) {
        const std::string script = Mutate(original, &random);
        Write_file("txt/config.txt", script);

        Command_table_set(CommandWords, COMMAND_WORD_COUNT);
        FILE* out = std::tmpfile();
        Check_game(out, false);
        std::rewind(out);
        std::vector<std::string> errors;
        char line[2048];
        while (std::fgets(line, sizeof line, out))
            if (std::strstr(line, ": error: ")) errors.emplace_back(line);
        std::fclose(out);

        played.clear();
        Headless_reset();
        Platform_use_backend(Headless_backend());
        std::string reason;
        ASSERT_TRUE(Headless_configure(HeadlessOptions{"", "run.log", "", 600000}, &reason)) << reason;
        Headless_set_probe(Headless_probe());
        Platform_open_window("test");
        System_wire();
        Dialogs_set(&RECORDING);
        System_reset();
        System_init();
        Main_loop();

        for (const PlayedBox& b : played) {
            bool found = false;
            for (const std::string& e : errors) {
                const std::string at = b.file + ":" + std::to_string(b.line) + ":";
                const std::string before = b.file + ":" + std::to_string(b.line - 1) + ":";
                // The search-end box stands wherever the skip gave up; any block error of the file explains
                // it.
                const bool block = b.caption == "Error" && e.rfind(b.file + ":", 0) == 0 &&
                                   (e.find("}") != std::string::npos || e.find("{") != std::string::npos);
                // After a file change the cursor is in the new script: the label names the place.
                const size_t open = b.text.find('['), close = b.text.find(']');
                const bool label =
                    b.caption == "Com_jump()" && e.find("label " + b.text.substr(open + 1, close - open - 1) +
                                                        " is not in") != std::string::npos;
                found = found || e.rfind(at, 0) == 0 || e.rfind(before, 0) == 0 || block || label;
            }
            std::string all;
            for (const std::string& e : errors)
                all += e;
            EXPECT_TRUE(found) << "box [" << b.caption << "] " << b.text << " at " << b.file << ":" << b.line
                               << "\nchecker:\n"
                               << all << "script:\n"
                               << Sjis_to_utf8(script.c_str());
            if (!found) return;
        }
    }
}

} // namespace
