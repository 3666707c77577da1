#include "script/backlog.h"

#include <array>

#include "script/text_settings.h"

namespace {

std::array<BacklogPage, BACKLOG_PAGES> ring; // closed pages; `next` is where the next one goes
int next = 0;
int closed = 0; // how many slots hold a page, up to BACKLOG_PAGES
BacklogPage current;
uint64_t drawn = 0;

} // namespace

void Backlog_char(const char* bytes, int n) {
    ++drawn;
    if (current.empty() || current.back().y != Text.Text_Y || current.back().colour != Text.Text_COLOR1)
        current.push_back(BacklogPiece{Text.Text_Y, Text.Text_COLOR1, std::string()});
    current.back().sjis.append(bytes, size_t(n));
}

void Backlog_page_break() {
    if (current.empty()) return;
    ring[size_t(next)].swap(current);
    current.clear();
    next = (next + 1) % BACKLOG_PAGES;
    if (closed < BACKLOG_PAGES) ++closed;
}

std::vector<const BacklogPage*> Backlog_pages() {
    std::vector<const BacklogPage*> pages;
    for (int i = closed; i > 0; --i)
        pages.push_back(&ring[size_t((next - i + BACKLOG_PAGES) % BACKLOG_PAGES)]);
    return pages;
}

const BacklogPage& Backlog_current_page() {
    return current;
}

uint64_t Backlog_chars_drawn() {
    return drawn;
}

void Backlog_reset() {
    for (BacklogPage& p : ring)
        p.clear();
    next = closed = 0;
    current.clear();
    drawn = 0;
}
