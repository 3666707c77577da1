// The engine's text drawing: one story character with a drop shadow, and whole strings plain or
// shadowed, on a surface (the engine's drawing context).
//
// Strings are Shift-JIS; colours are 0x00BBGGRR. Text is drawn in the Mincho face at the given cell
// height and weight 600, with a transparent background, the cell's top-left corner at (x, y), and
// clipped to the surface only (no text-area clipping happens here).
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/surface.h"

// Draws the character in the `count` bytes at `bytes`: the shadow in `color2` at (x + 1, y + 1),
// then the face in `color1` at (x, y). More than two bytes is refused with a message box and
// draws nothing; a count of 0 or less draws nothing. Bytes are never read past `count`.
void ChrPut3D(Surface* dc, int x, int y, int height, uint32_t color1, uint32_t color2, const char* bytes,
              int count);

// Draws the NUL-terminated string `sjis` from (x, y) in one colour, without a shadow.
void TextPut(Surface* dc, int x, int y, int height, uint32_t color, const char* sjis);

// Draws the NUL-terminated string `sjis` with its shadow in `color2` at (x + 1, y + 1) first and
// the face in `color1` at (x, y) over it.
void TextPut3D(Surface* dc, int x, int y, int height, uint32_t color1, uint32_t color2, const char* sjis);

// Draws `ascii` in the surface's default font (the gothic face, 16-pixel cell, normal weight),
// colour 0x00BBGGRR, transparent background: the frame-rate box's text. A missing font draws
// nothing and shows no box, since this runs every frame.
void TextPut_default_font(Surface* dc, int x, int y, uint32_t color, const char* ascii);
