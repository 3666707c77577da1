// Labels, `jump` and `file_change`: the script's unconditional control flow.
#pragma once

#include <cstdint>
#include <string>

constexpr int LABEL_WORD_LIMIT = 32; // bytes of a label word that take part in the comparison

// Finds the first label line of the loaded script whose label word equals `label` byte for byte:
// a `*` with only spaces and tabs before it on its line, the word running from the `*` to the
// first space, tab, CR or LF and cut at 32 bytes. Returns the position just after that word, or
// -1 when no label matches (an argument longer than 32 bytes never matches).
int32_t Label_search(const char* label);

// #jump *label: continues after the label. A label that is not there ends the program after its box.
void Com_jump();

// The arguments of `file_change`: the script's path (".\txt\" FILE) and the label.
struct FileChangeArgs {
    std::string path, label;
};

// Reads them, the cursor first on the command word's last byte; it is left after the label.
FileChangeArgs Read_file_change_args();

// #file_change FILE *label (a space or comma between): reads ".\txt\FILE" and continues after the
// label in it. A file that cannot be read is reported and the label is looked for in the script
// still in memory.
void Com_file_change();
