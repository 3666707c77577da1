// Text drawing on surfaces: story characters (ChrPut3D), plain and shadowed strings.
//
// The bytes are decoded as code page 932 and drawn one code point at a time. The interpreter
// hands ChrPut3D two bytes whenever the first is 0x80 or above; when that first byte is a
// half-width katakana the pair is two characters, and both are drawn, as the original draw call
// does. A lead byte with nothing after it is one unknown character (the face's replacement box).
#include "gfx/text_draw.h"

#include <cstring>
#include <string>

#include "core/dialogs.h"
#include "core/sjis.h"
#include "gfx/font.h"

namespace {

constexpr int TEXT_WEIGHT = 600;
constexpr int DEFAULT_FONT_CELL_HEIGHT = 16;
constexpr int DEFAULT_FONT_WEIGHT = 400;

// The text font is "created" by every text operation; failing that is reported every time.
bool text_font_ready() {
    if (Font_init(nullptr)) return true;
    Msg_box("フォント失敗", "えらー");
    return false;
}

void draw_run(Surface* dc, int x, int y, const FontStyle& font, const std::string& utf8, uint32_t color) {
    Font_draw_utf8(dc, x, y, font, utf8, Color_to_pixel(color));
}

void draw_shadowed(Surface* dc, int x, int y, int height, uint32_t color1, uint32_t color2,
                   const std::string& utf8) {
    FontStyle font{FontFace::Mincho, height, TEXT_WEIGHT};
    // x + 1 and y + 1 would overflow at INT_MAX; such a cell is off every surface anyway.
    if (x < INT32_MAX && y < INT32_MAX) draw_run(dc, x + 1, y + 1, font, utf8, color2);
    draw_run(dc, x, y, font, utf8, color1);
}

} // namespace

void ChrPut3D(Surface* dc, int x, int y, int height, uint32_t color1, uint32_t color2, const char* bytes,
              int count) {
    if (count > 2) {
        Msg_box("２文字までにしてね", "ChrPut3D()");
        return;
    }
    if (!text_font_ready()) return;
    if (dc == nullptr || bytes == nullptr || count <= 0) return;
    // Sjis_to_utf8 stops at a NUL: a lead byte at the very end of the script reaches here with
    // the terminator as its second byte, and is then one unknown character.
    draw_shadowed(dc, x, y, height, color1, color2, Sjis_to_utf8(bytes, size_t(count)));
}

void TextPut(Surface* dc, int x, int y, int height, uint32_t color, const char* sjis) {
    if (!text_font_ready()) return;
    if (dc == nullptr || sjis == nullptr) return;
    draw_run(dc, x, y, FontStyle{FontFace::Mincho, height, TEXT_WEIGHT}, Sjis_to_utf8(sjis), color);
}

void TextPut3D(Surface* dc, int x, int y, int height, uint32_t color1, uint32_t color2, const char* sjis) {
    if (!text_font_ready()) return;
    if (dc == nullptr || sjis == nullptr) return;
    draw_shadowed(dc, x, y, height, color1, color2, Sjis_to_utf8(sjis));
}

void TextPut_default_font(Surface* dc, int x, int y, uint32_t color, const char* ascii) {
    if (dc == nullptr || ascii == nullptr || !Font_init(nullptr)) return;
    FontStyle font{FontFace::System, DEFAULT_FONT_CELL_HEIGHT, DEFAULT_FONT_WEIGHT};
    draw_run(dc, x, y, font, Sjis_to_utf8(ascii), color);
}
