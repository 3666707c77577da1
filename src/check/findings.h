// What the script checker found: errors and warnings, each at a place in a file (line and column
// counted from 1, columns in characters), printed as editors and terminals read them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Severity { Warning, Error };

struct Place {
    int file = 0;     // the order in which the checker met the file
    std::string name; // as shown: relative to the game folder, with `/`
    int line = 1, column = 1;
    int32_t offset = 0; // byte position in the file
};

struct Finding {
    Place place;
    Severity severity;
    const std::string* message; // UTF-8; findings that say the same share it
};

// Makes `name` the file the next places are counted in, with its bytes (kept, not copied: they
// must stay until the next call).
void Findings_begin_file(const std::string& name, const uint8_t* bytes, int32_t length);

// The place of byte `offset` of the current file.
Place Findings_place(int32_t offset);

// Records a finding at a place, or at a byte of the current file.
void Findings_add(const Place& place, Severity severity, std::string message);
void Check_error(int32_t offset, const std::string& message);
void Check_warning(int32_t offset, const std::string& message);

// Every finding so far, in file order and by position within each file (valid until the next
// finding or reset).
std::vector<const Finding*> Findings_sorted();

// "txt/config.txt:12:5: error: message".
std::string Finding_line(const Finding& f);

// How many findings of `severity` there are.
int Findings_count(Severity severity);

// No findings and no current file.
void Findings_reset();
