#include "check/findings.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <unordered_set>
#include <utility>

#include "core/sjis.h"

namespace {

std::deque<Finding> found;                // grows without moving what it holds
std::unordered_set<std::string> messages; // each text once, however many findings say it
int file_index = -1;
std::string file_name;
const uint8_t* file_bytes = nullptr;
int32_t file_length = 0;
std::vector<int32_t> line_starts; // byte position of each line's first byte
// The last place counted: findings mostly come in the order of their bytes, and counting the next
// one's column from there keeps a long line from being counted again for each.
Place last;

} // namespace

void Findings_begin_file(const std::string& name, const uint8_t* bytes, int32_t length) {
    ++file_index;
    last = Place();
    file_name = name;
    file_bytes = bytes;
    file_length = length;
    line_starts.assign(1, 0);
    for (int32_t at = 0; at < length;) {
        const void* lf = std::memchr(bytes + at, '\n', size_t(length - at));
        if (!lf) break;
        at = int32_t(static_cast<const uint8_t*>(lf) - bytes) + 1;
        line_starts.push_back(at);
    }
}

Place Findings_place(int32_t offset) {
    Place p;
    p.file = file_index;
    p.name = file_name;
    p.offset = offset = std::clamp<int32_t>(offset, 0, file_length);
    const auto next = std::upper_bound(line_starts.begin(), line_starts.end(), offset);
    p.line = int(next - line_starts.begin());
    int32_t at = line_starts[size_t(p.line - 1)];
    if (last.file == p.file && last.line == p.line && last.offset <= offset) {
        at = last.offset;
        p.column = last.column;
    }
    // Columns count characters as Shift-JIS reads them: a lead byte and its trail are one.
    bool split = false; // the place is a character's second byte
    for (; at < offset; ++p.column) {
        split = Cp932_is_lead(file_bytes[at]) && at + 1 == offset;
        at += Cp932_is_lead(file_bytes[at]) && at + 1 < offset ? 2 : 1;
    }
    if (!split) last = p;
    return p;
}

void Findings_add(const Place& place, Severity severity, std::string message) {
    found.push_back(Finding{place, severity, &*messages.insert(std::move(message)).first});
}

void Check_error(int32_t offset, const std::string& message) {
    Findings_add(Findings_place(offset), Severity::Error, message);
}

void Check_warning(int32_t offset, const std::string& message) {
    Findings_add(Findings_place(offset), Severity::Warning, message);
}

std::vector<const Finding*> Findings_sorted() {
    std::vector<const Finding*> sorted;
    sorted.reserve(found.size());
    for (const Finding& f : found)
        sorted.push_back(&f);
    const auto before = [](const Finding* a, const Finding* b) {
        return a->place.file != b->place.file ? a->place.file < b->place.file
                                              : a->place.offset < b->place.offset;
    };
    // Most come in order already: the walk reports as it goes.
    if (!std::is_sorted(sorted.begin(), sorted.end(), before))
        std::stable_sort(sorted.begin(), sorted.end(), before);
    return sorted;
}

std::string Finding_line(const Finding& f) {
    return f.place.name + ":" + std::to_string(f.place.line) + ":" + std::to_string(f.place.column) +
           (f.severity == Severity::Error ? ": error: " : ": warning: ") + *f.message;
}

int Findings_count(Severity severity) {
    return int(
        std::count_if(found.begin(), found.end(), [&](const Finding& f) { return f.severity == severity; }));
}

void Findings_reset() {
    found.clear();
    messages.clear();
    last = Place();
    file_index = -1;
    file_name.clear();
    file_bytes = nullptr;
    file_length = 0;
    line_starts.assign(1, 0);
}
