// The picture commands: `g_load`, `g_copy` and `alpha_copy`, and the surface symbols they share.
//
// None of them draws in the window: what lands on BackBuffer shows with the next frame, what lands
// on BackgroundSurface shows when a transition, fade or page end brings it over.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/surface.h"

// The surface symbols the picture commands take.
constexpr const char* SURFACE_WORDS = "BS|BK|BG|PT";

// The surface a script symbol names: "BS" and "BK" BackBuffer, "BG" BackgroundSurface, "PT"
// PartsSurface (exact, case-sensitive). Any other symbol is reported, ends the program and gives
// BackBuffer, so the command in progress finishes harmlessly first.
Surface* Get_game_DC(const char* symbol);

// The arguments `g_copy` and `alpha_copy` share, in script order.
struct RectangleArgs {
    std::string dst;
    int32_t dx, dy;
    std::string src;
    int32_t sx, sy, w, h;
};

// Reads them, the cursor first on the byte after the command word.
RectangleArgs Read_rectangle_args();

// The constant alpha of an opacity in percent: the low eight bits of p * 255 / 100, worked out in
// the wrapping 32-bit arithmetic scripts were written against (0 -> 0, 50 -> 127, 100 -> 255).
uint8_t Alpha_from_percent(int32_t percent);

// #g_load SYMBOL NAME: loads ".\gdat\" NAME onto the surface at (0, 0) and records that path as
// its picture name whether or not the load worked; BK loads onto BackBuffer without renaming it.
void Com_g_load();

// #g_copy DST dx dy SRC sx sy w h: plain copy of a rectangle, clipped at both surfaces' edges.
void Com_g_copy();

// #alpha_copy DST dx dy SRC sx sy w h PERCENT: constant-alpha blend of a rectangle. A source
// rectangle not wholly inside the source surface draws nothing.
void Com_alpha_copy();
