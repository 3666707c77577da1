// Fonts: Japanese faces found through fontconfig, glyphs rendered with FreeType and cached.
//
// A height is a cell height in pixels (ascent + descent of the face's Windows metrics), and a
// glyph is placed with its cell's top-left corner at (x, y), as the engine's scripts expect.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/surface.h"

enum class FontFace : uint8_t {
    Mincho,  // story text: IPAMincho, else any serif face for Japanese
    PGothic, // boxes and dialogs: IPAPGothic, else any sans-serif face for Japanese
    System,  // a surface's default font (frame-rate box): the gothic face, normal weight
};

struct FontStyle {
    FontFace face = FontFace::Mincho;
    int cell_height = 20;
    int weight = 400; // 600 and above draw a synthetic bold where the face has no bold style
};

// Loads the faces. False, with a reason in *error, if no Japanese face can be found. Safe to call
// again; later calls do nothing.
bool Font_init(std::string* error);

// Finds and opens the faces on a thread of their own, so the window can open meanwhile; the first
// Font_init waits for it. Does nothing if the faces are loaded already.
void Font_init_start();

// Draws one code point with transparent background in `pixel` (0x00RRGGBB), clipped to the
// surface. Returns the pen advance in pixels. False-free: a missing glyph draws the face's
// replacement box.
int Font_draw(Surface* s, int x, int y, const FontStyle& style, uint32_t cp, uint32_t pixel);

// Draws a UTF-8 string from (x, y) on one line; returns its width in pixels.
int Font_draw_utf8(Surface* s, int x, int y, const FontStyle& style, const std::string& utf8, uint32_t pixel);

// The width in pixels that Font_draw_utf8 would use.
int Font_measure_utf8(const FontStyle& style, const std::string& utf8);

// The version of the FreeType library the engine runs with, "2.12.1"; "?" if it cannot be started.
std::string Font_library_version();

// Drops every cached glyph (tests; memory).
void Font_clear_cache();
