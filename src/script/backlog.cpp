#include "script/backlog.h"

#include <vector>

#include "core/lifecycle.h"
#include "core/sjis.h"
#include "script/text_settings.h"

namespace {

struct Entry {
    BacklogPage page;
    SaveStat start;
    bool has_start = false;
};

constexpr uint32_t NOTE_FACE = 0xA0A0A0;  // the options not taken and the engine's own lines
constexpr uint32_t TAKEN_FACE = 0x78DCFF; // the option taken, 0x00BBGGRR

// Closed pages in a ring; `next` is where the next one goes, never beyond the last slot. Room for
// BACKLOG_PAGES (about 1 MiB with their records) is reserved at the first page and the slots are
// made one at a time, so only the pages read so far are resident.
std::vector<Entry> ring;
int next = 0;
int closed = 0; // how many slots hold a page, up to BACKLOG_PAGES
Entry current;
SaveStat upcoming; // the start of the next page while the current one is empty
bool has_upcoming = false;
uint64_t drawn = 0;

Entry& Closed(size_t index) {
    return ring[size_t((next - closed + int(index) + BACKLOG_PAGES) % BACKLOG_PAGES)];
}

void Begin_page_if_empty() {
    if (!current.page.empty()) return;
    current.has_start = has_upcoming;
    if (has_upcoming) current.start = upcoming;
}

int32_t Line_now() {
    const int32_t pitch = Text.Text_Y_PITCH;
    return pitch > 0 ? (Text.Text_Y - Text.Text_AREA.top) / pitch : 0;
}

// A line of its own after the last one the page holds.
void Add_line(uint32_t colour, std::string sjis) {
    Begin_page_if_empty();
    const int32_t line = current.page.empty() ? Line_now() : current.page.back().line + 1;
    current.page.push_back(BacklogPiece{Text.Text_Y, colour, std::move(sjis), line});
}

std::string Sjis(const std::string& utf8) {
    std::string out;
    Utf8_to_sjis(utf8, &out);
    return out;
}

void Close_page() {
    if (current.page.empty()) return;
    if (ring.empty()) ring.reserve(BACKLOG_PAGES);
    if (size_t(next) == ring.size()) ring.emplace_back();
    std::swap(ring[size_t(next)], current);
    current.page.clear();
    current.has_start = false;
    next = (next + 1) % BACKLOG_PAGES;
    if (closed < BACKLOG_PAGES) ++closed;
}

} // namespace

void Backlog_char(const char* bytes, int n) {
    ++drawn;
    Begin_page_if_empty();
    BacklogPage& page = current.page;
    const int32_t line = Line_now();
    if (page.empty() || page.back().line != line || page.back().colour != Text.Text_COLOR1)
        page.push_back(BacklogPiece{Text.Text_Y, Text.Text_COLOR1, std::string(), line});
    page.back().sjis.append(bytes, size_t(n));
}

void Backlog_choice(const std::string options[3], int taken) {
    for (int k = 0; k < 3; ++k)
        Add_line(k == taken ? TAKEN_FACE : NOTE_FACE, Sjis(k == taken ? "→ " : "　 ") + options[k]);
}

void Backlog_note(const char* before_utf8, const std::string& sjis, const char* after_utf8) {
    Add_line(NOTE_FACE, Sjis(before_utf8) + sjis + Sjis(after_utf8));
}

void Backlog_page_break() {
    Close_page();
    upcoming = SaveStat{};
    Engine_modules_save(&upcoming);
    has_upcoming = true;
}

void Backlog_page_start_is(const SaveStat& record) {
    Close_page();
    upcoming = record;
    has_upcoming = true;
}

std::vector<const BacklogPage*> Backlog_pages() {
    std::vector<const BacklogPage*> pages;
    for (size_t i = 0; i < size_t(closed); ++i)
        pages.push_back(&Closed(i).page);
    return pages;
}

const BacklogPage& Backlog_current_page() {
    return current.page;
}

const SaveStat* Backlog_page_start(size_t index) {
    if (index < size_t(closed)) return Closed(index).has_start ? &Closed(index).start : nullptr;
    if (index > size_t(closed)) return nullptr;
    if (!current.page.empty()) return current.has_start ? &current.start : nullptr;
    return has_upcoming ? &upcoming : nullptr;
}

void Backlog_each_start(void (*change)(SaveStat* record)) {
    for (size_t i = 0; i < size_t(closed); ++i)
        if (Closed(i).has_start) change(&Closed(i).start);
    if (current.has_start) change(&current.start);
    if (has_upcoming) change(&upcoming);
}

void Backlog_drop_from(size_t index) {
    if (index >= size_t(closed)) {
        current.page.clear();
        current.has_start = false;
        return;
    }
    const int dropped = closed - int(index);
    for (int i = 0; i < dropped; ++i)
        Closed(index + size_t(i)).page.clear();
    next = (next - dropped + BACKLOG_PAGES) % BACKLOG_PAGES;
    closed = int(index);
    current.page.clear();
    current.has_start = false;
}

uint64_t Backlog_chars_drawn() {
    return drawn;
}

void Backlog_reset() {
    ring = std::vector<Entry>();
    next = closed = 0;
    current.page.clear();
    current.has_start = false;
    has_upcoming = false;
    drawn = 0;
}
