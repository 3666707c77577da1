// The backlog: the text of the last pages as it was shown (Shift-JIS, with its face colour and
// line), kept in a bounded ring so the player can read back. Pages are text, never pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int BACKLOG_PAGES = 100;

// A run of characters drawn on one line in one colour.
struct BacklogPiece {
    int32_t y = 0;       // the line's Text_Y when it was drawn
    uint32_t colour = 0; // Text_COLOR1, 0x00BBGGRR
    std::string sjis;    // the characters, as drawn
};

using BacklogPage = std::vector<BacklogPiece>;

// Records one drawn character of n bytes (1 or 2) at the text cursor in the current colours.
void Backlog_char(const char* bytes, int n);

// The text cursor went back to the top of the text area: the current page, if it holds any text,
// becomes the newest of the ring (the oldest is dropped beyond BACKLOG_PAGES).
void Backlog_page_break();

// The closed pages, oldest first.
std::vector<const BacklogPage*> Backlog_pages();

// The page being written now (empty right after a page break).
const BacklogPage& Backlog_current_page();

// How many characters were drawn since start-up (auto-advance paces itself by it).
uint64_t Backlog_chars_drawn();

// Start-up state: no pages, nothing drawn.
void Backlog_reset();
