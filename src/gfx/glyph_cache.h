// Rendered glyphs: FreeType outlines turned into 8-bit coverage maps, sized by cell height and
// kept in a bounded cache. Used by the font module only; the engine draws through gfx/font.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

// The largest cell height that is rendered; taller requests draw nothing (a glyph that size
// already covers the window twice over, and the cap keeps a bad script value from allocating
// gigabytes).
constexpr int GLYPH_MAX_CELL_HEIGHT = 1024;

// One glyph's coverage, placed relative to the top-left corner of its character cell.
struct Glyph {
    int left = 0; // bitmap's left edge, from the cell's left edge (may be negative)
    int top = 0;  // bitmap's top row, from the cell's top edge
    int width = 0;
    int height = 0;
    int advance = 0;               // pen movement to the next cell, in pixels
    std::vector<uint8_t> coverage; // width * height values, rows top to bottom; 255 = full ink
};

// The glyph of code point `cp` in `face` at a cell of `cell_height` pixels (1 to
// GLYPH_MAX_CELL_HEIGHT), emboldened by one pixel horizontally when `bold`. `face_id` names the face
// in the cache key. Rendered on first use; the reference is good until the next Glyph_get or
// Glyph_cache_clear. Out-of-range heights give an empty glyph with advance 0.
const Glyph& Glyph_get(FT_Face face, int face_id, int cell_height, bool bold, uint32_t cp);

// Drops every cached glyph.
void Glyph_cache_clear();

// The number of glyphs held (tests of the bound).
size_t Glyph_cache_size();
