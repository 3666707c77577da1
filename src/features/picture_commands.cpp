#include "features/picture_commands.h"

#include <cstring>
#include <string>

#include "core/dialogs.h"
#include "core/lifecycle.h"
#include "core/sjis.h"
#include "core/word_list.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/picture_load.h"
#include "script/parsers.h"
#include "script/script_file.h"

namespace {

constexpr const char* PICTURE_FOLDER = ".\\gdat\\";

// Kaiseki_Symbol's buffer is overwritten by the next parse, so every symbol is copied out first.
std::string Read_symbol() {
    return Kaiseki_Symbol();
}

} // namespace

RectangleArgs Read_rectangle_args() {
    RectangleArgs a;
    a.dst = Read_symbol();
    Skip_arg_separators();
    a.dx = Kaiseki_Num();
    Skip_arg_separators();
    a.dy = Kaiseki_Num();
    Skip_arg_separators();
    a.src = Read_symbol();
    Skip_arg_separators();
    a.sx = Kaiseki_Num();
    Skip_arg_separators();
    a.sy = Kaiseki_Num();
    Skip_arg_separators();
    a.w = Kaiseki_Num();
    Skip_arg_separators();
    a.h = Kaiseki_Num();
    return a;
}

namespace {

// True if the w x h rectangle at (x, y) lies wholly inside `s` (64-bit: script numbers may be huge).
bool Inside(const Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) {
    return x >= 0 && y >= 0 && w >= 0 && h >= 0 && int64_t(x) + w <= s->width && int64_t(y) + h <= s->height;
}

} // namespace

Surface* Get_game_DC(const char* symbol) {
    switch (Word_position(SURFACE_WORDS, symbol)) {
    case 0:
    case 1:
        return &BackBuffer;
    case 2:
        return &BackgroundSurface;
    case 3:
        return &PartsSurface;
    }
    Symbol_fatal(symbol, "] は意味不明ですぅ（爆）\n暴走したら恐いので強制終了ですぅ～♪", "Get_game_DC()");
    return &BackBuffer;
}

uint8_t Alpha_from_percent(int32_t percent) {
    const int32_t scaled = int32_t(uint32_t(percent) * 255u);
    return uint8_t(scaled / 100);
}

void Com_g_load() {
    ++ScriptCursor;
    const std::string symbol = Read_symbol();
    Skip_arg_separators();
    const std::string path = PICTURE_FOLDER + Read_symbol();
    Surface* target = Get_game_DC(symbol.c_str());
    PXL_LoadJpeg(target, 0, 0, path.c_str());
    // The name is recorded even when the load failed: a snapshot names what the script asked for.
    // "BK" draws on the screen without changing what the screen is said to show.
    if (symbol == "BS" || symbol == "BG" || symbol == "PT") Surface_set_name(target, path.c_str());
}

void Com_g_copy() {
    ++ScriptCursor;
    const RectangleArgs a = Read_rectangle_args();
    const Surface* src = Get_game_DC(a.src.c_str());
    Surface* dst = Get_game_DC(a.dst.c_str());
    Surface_copy(dst, a.dx, a.dy, a.w, a.h, src, a.sx, a.sy);
}

void Com_alpha_copy() {
    ++ScriptCursor;
    const RectangleArgs a = Read_rectangle_args();
    Skip_arg_separators();
    const uint8_t alpha = Alpha_from_percent(Kaiseki_Num());
    const Surface* src = Get_game_DC(a.src.c_str());
    Surface* dst = Get_game_DC(a.dst.c_str());
    // The blend refuses a source rectangle that leaves its surface, and then draws nothing at all;
    // only the destination side is clipped.
    if (!Inside(src, a.sx, a.sy, a.w, a.h)) return;
    Surface_blend(dst, a.dx, a.dy, a.w, a.h, src, a.sx, a.sy, alpha);
}
