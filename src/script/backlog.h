// The backlog: the text of the last pages as it was shown (Shift-JIS, with its face colour and
// line), kept in a bounded ring so the player can read back, and with each page the record as it
// stood when that page began, so the player can return there (rollback). Pages are text, never
// pictures.
//
// A page is what the text cursor writes between two returns to the top of the text area (a page
// clear, the end of a fade or transition, a new text area): the backlog shows one such page as one
// page, and its start record is the one taken at that return, before the page's first command runs.
// Ring and records have one bound, so every page the backlog still shows can be returned to; older
// pages leave both together.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/save_stat.h"

constexpr int BACKLOG_PAGES = 100;

// A run of characters drawn on one line in one colour.
struct BacklogPiece {
    int32_t y = 0;       // the line's Text_Y when it was drawn
    uint32_t colour = 0; // Text_COLOR1, 0x00BBGGRR
    std::string sjis;    // the characters, as drawn
    int32_t line = 0;    // the line of the text area it stood on, counted from 0 at the top
};

using BacklogPage = std::vector<BacklogPiece>;

// Records one drawn character of n bytes (1 or 2) at the text cursor in the current colours.
void Backlog_char(const char* bytes, int n);

// The three options of a choice, the one taken (0-2) marked, as lines after the page's text.
void Backlog_choice(const std::string options[3], int taken);

// A line of the engine's own after the page's text: `before_utf8`, `sjis` as it is, `after_utf8`
// (the name the player typed, with words around it).
void Backlog_note(const char* before_utf8, const std::string& sjis, const char* after_utf8);

// The text cursor went back to the top of the text area: the current page, if it holds any text,
// becomes the newest of the ring (the oldest is dropped beyond BACKLOG_PAGES), and the live record
// is kept as the start of the next page.
void Backlog_page_break();

// A load put the story at `record`: the current page closes and `record` is the next page's start.
void Backlog_page_start_is(const SaveStat& record);

// The closed pages, oldest first.
std::vector<const BacklogPage*> Backlog_pages();

// The page being written now (empty right after a page break).
const BacklogPage& Backlog_current_page();

// The record at the start of page `index` of Backlog_pages(), or with index == its size of the
// current page (of the next one while the current is empty); nullptr if none was kept.
const SaveStat* Backlog_page_start(size_t index);

// Every kept start record, closed pages and the current one, for a change that must reach all.
void Backlog_each_start(void (*change)(SaveStat* record));

// Drops page `index` of Backlog_pages() and every later one, the current page included.
void Backlog_drop_from(size_t index);

// How many characters were drawn since start-up (auto-advance paces itself by it).
uint64_t Backlog_chars_drawn();

// Start-up state: no pages, nothing drawn, no start record.
void Backlog_reset();
