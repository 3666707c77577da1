// Fonts and the engine's text drawing: faces, cell placement, shadows, clipping, message boxes.
#include "app/system.h"
#include "gfx/text_draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include "core/sjis.h"
#include "gfx/font.h"
#include "gfx/glyph_cache.h"
#include "platform/headless/headless.h"
#include "test_support.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t SHADOW = 0x1E1E1E;

// The bounding box of every pixel that is not black.
struct Ink {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN; // inclusive
    bool empty() const { return left > right; }
};

Ink ink_of(const Surface& s) {
    Ink ink;
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            if (Surface_get(&s, x, y) == 0) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

std::string sjis(const char* utf8) {
    std::string out;
    EXPECT_TRUE(Utf8_to_sjis(utf8, &out)) << utf8;
    return out;
}

class TextDraw : public EngineTest { // boxes go to the headless runner's record
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        std::string error;
        ASSERT_TRUE(Font_init(&error)) << error;
        Font_clear_cache();
        Surface_create(&dc, 640, 480);
    }
    Surface black(int w = 640, int h = 480) {
        Surface s;
        Surface_create(&s, w, h);
        return s;
    }
    Surface dc;
};

} // namespace

// A 20-pixel cell of IPAMincho is an 18-pixel em with the baseline 16 pixels down: full-width
// characters advance one em (plus the pixel of synthetic bold), ink stays inside the cell, and a
// descender reaches below the baseline.
TEST_F(TextDraw, CellHeightSizing) {
    FontStyle regular{FontFace::Mincho, 20, 400};
    FontStyle bold{FontFace::Mincho, 20, 600};
    EXPECT_EQ(Font_draw(&dc, 100, 100, regular, 0x7530, WHITE), 18); // 田
    EXPECT_EQ(Font_draw(nullptr, 0, 0, bold, 0x7530, WHITE), 19);
    EXPECT_EQ(Font_measure_utf8(bold, "田田田"), 57);
    const Ink ink = ink_of(dc);
    ASSERT_FALSE(ink.empty());
    EXPECT_TRUE(ink.left >= 100 && ink.top >= 100 && ink.right < 118 && ink.bottom < 120);

    Surface g = black();
    Font_draw(&g, 0, 0, regular, 'g', WHITE);
    EXPECT_TRUE(ink_of(g).bottom >= 16 && ink_of(g).bottom < 20) << "below the baseline, inside the cell";

    Surface space = black();
    EXPECT_EQ(Font_draw(&space, 0, 0, regular, 0x3000, WHITE), 18); // full-width space
    EXPECT_TRUE(ink_of(space).empty());
}

// The shadow is the face moved by (1, 1) and drawn first; the face covers it.
TEST_F(TextDraw, ChrPut3DShadowUnderFace) {
    std::string ch = sjis("田");
    ChrPut3D(&dc, 20, 20, 20, WHITE, SHADOW, ch.data(), 2);
    Surface face = black();
    TextPut(&face, 20, 20, 20, WHITE, ch.c_str());

    const Ink all = ink_of(dc), f = ink_of(face);
    ASSERT_FALSE(f.empty());
    EXPECT_TRUE(all.left == f.left && all.top == f.top && all.right > f.right && all.bottom > f.bottom);
    // Nothing outside the cell (19 wide with the bold pixel) and its one-pixel shadow fringe.
    EXPECT_TRUE(f.left >= 20 && f.top >= 20 && all.right <= 20 + 19 && all.bottom <= 20 + 20);

    // Fully inked face pixels are white whatever lies under them; ink outside the face is shadow,
    // dark grey, and sits one pixel down-right of face ink.
    int full_face = 0, shadow_only = 0;
    for (int y = 1; y < 480; ++y) {
        for (int x = 1; x < 640; ++x) {
            uint32_t p = Surface_get(&dc, x, y), fp = Surface_get(&face, x, y);
            if (fp == WHITE) {
                ++full_face;
                EXPECT_EQ(p, WHITE) << x << "," << y;
            }
            if (p != 0 && fp == 0) {
                ++shadow_only;
                EXPECT_TRUE(p == (p & 0xFF) * 0x010101 && (p & 0xFF) <= 0x1E) << x << "," << y;
                EXPECT_NE(Surface_get(&face, x - 1, y - 1), 0u) << x << "," << y;
                if (Surface_get(&face, x - 1, y - 1) == WHITE) {
                    EXPECT_EQ(p, SHADOW) << x << "," << y;
                }
            }
        }
    }
    EXPECT_GT(full_face, 20);
    EXPECT_GT(shadow_only, 20);
}

TEST_F(TextDraw, ChrPut3DByteCounts) {
    uint32_t revision = dc.revision;
    ChrPut3D(&dc, 20, 20, 20, WHITE, SHADOW, "\x93\x63\x93\x63", 3);
    ASSERT_EQ(Headless_boxes().size(), 1u);
    EXPECT_EQ(Headless_boxes()[0].text, "２文字までにしてね");
    EXPECT_EQ(Headless_boxes()[0].caption, "ChrPut3D()");
    ChrPut3D(&dc, 20, 20, 20, WHITE, SHADOW, "\x93\x63", 0);
    ChrPut3D(&dc, 20, 20, 20, WHITE, SHADOW, "\x93\x63", -1);
    EXPECT_TRUE(ink_of(dc).empty());
    EXPECT_EQ(dc.revision, revision);
    EXPECT_EQ(Headless_boxes().size(), 1u);

    // One byte: ASCII in half a cell; drawing bumps the revision.
    ChrPut3D(&dc, 20, 20, 20, WHITE, SHADOW, "A", 1);
    EXPECT_FALSE(ink_of(dc).empty());
    EXPECT_NE(dc.revision, revision);

    // A lead byte with nothing after it (count 1, or the terminator as its second byte) is one
    // replacement box, and the bytes are never read past the count.
    for (int count : {1, 2}) {
        std::unique_ptr<char[]> bytes(new char[count]{'\x88'});
        Surface s = black();
        ChrPut3D(&s, 0, 0, 20, WHITE, SHADOW, bytes.get(), count);
        EXPECT_FALSE(ink_of(s).empty()) << count;
    }
    // Two half-width katakana handed over as one step are both drawn, side by side.
    Surface kana = black(), one = black();
    ChrPut3D(&kana, 0, 0, 20, WHITE, 0, "\xb1\xb2", 2);
    ChrPut3D(&one, 0, 0, 20, WHITE, 0, "\xb1", 1);
    EXPECT_GT(ink_of(kana).right, ink_of(one).right + 5);
}

TEST_F(TextDraw, StringsAndColours) {
    // GDI colour 0x0000FF is red: TextPut draws that hue only, no shadow.
    std::string text = sjis("名前はまだ無い。ｱｲｳ");
    TextPut(&dc, 10, 10, 24, 0x0000FF, text.c_str());
    Ink ink = ink_of(dc);
    ASSERT_FALSE(ink.empty());
    for (int y = ink.top; y <= ink.bottom; ++y) {
        for (int x = ink.left; x <= ink.right; ++x)
            EXPECT_EQ(Surface_get(&dc, x, y) & 0x00FFFF, 0u);
    }
    EXPECT_LE(ink.bottom, 10 + 24);

    // TextPut3D: the same string with a shadow one pixel down and right (bright, so that even its
    // faintest pixels show).
    Surface shadowed = black();
    TextPut3D(&shadowed, 10, 10, 24, 0x0000FF, 0xFFFFFF, text.c_str());
    Ink si = ink_of(shadowed);
    EXPECT_EQ(si.right, ink.right + 1);
    EXPECT_EQ(si.bottom, ink.bottom + 1);

    Surface fps = black();
    TextPut_default_font(&fps, 0, 0, 0xFFFFFF, "60.0fps");
    Ink fi = ink_of(fps);
    ASSERT_FALSE(fi.empty());
    EXPECT_LT(fi.bottom, 16);
    EXPECT_EQ(Headless_boxes().size(), 0u);
}

// A glyph cut by any surface edge shows exactly the part of the unclipped glyph that falls inside.
TEST_F(TextDraw, ClipsAtEverySurfaceEdge) {
    std::string ch = sjis("猫");
    Surface whole = black(64, 64);
    ChrPut3D(&whole, 20, 20, 32, WHITE, SHADOW, ch.data(), 2);
    const int offsets[][2] = {{-30, -30}, {-20, 5}, {10, -25}, {40, 40}, {5, 45}};
    for (const auto& o : offsets) {
        Surface cut = black(64, 64);
        ChrPut3D(&cut, 20 + o[0], 20 + o[1], 32, WHITE, SHADOW, ch.data(), 2);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                int sx = x - o[0], sy = y - o[1];
                uint32_t want = (sx >= 0 && sx < 64 && sy >= 0 && sy < 64) ? Surface_get(&whole, sx, sy) : 0;
                ASSERT_EQ(Surface_get(&cut, x, y), want) << o[0] << "," << o[1] << " at " << x << "," << y;
            }
        }
    }
}

// Cached glyphs must be told apart by face, size and weight, and give the same pixels as fresh ones.
TEST_F(TextDraw, CacheKeepsGlyphsApartAndBounded) {
    std::string ch = sjis("永");
    auto draw = [&](int height) {
        Surface s = black(64, 64);
        TextPut3D(&s, 4, 4, height, WHITE, SHADOW, ch.c_str());
        return s.pixels;
    };
    auto cold20 = draw(20);
    auto cold24 = draw(24);
    EXPECT_NE(cold20, cold24);
    EXPECT_EQ(draw(20), cold20);
    Font_clear_cache();
    EXPECT_EQ(draw(24), cold24);

    FontStyle mincho{FontFace::Mincho, 20, 600}, light{FontFace::Mincho, 20, 400},
        gothic{FontFace::System, 20, 600};
    Surface a = black(), b = black(), c = black();
    Font_draw(&a, 0, 0, mincho, 0x6C38, WHITE);
    Font_draw(&b, 0, 0, light, 0x6C38, WHITE);
    Font_draw(&c, 0, 0, gothic, 0x6C38, WHITE);
    EXPECT_NE(a.pixels, b.pixels);
    EXPECT_NE(a.pixels, c.pixels);

    for (uint32_t cp = 0x4E00; cp < 0x4E00 + 5000; ++cp)
        Font_draw(nullptr, 0, 0, light, cp, WHITE);
    EXPECT_LE(Glyph_cache_size(), 4096u);
    EXPECT_GT(Glyph_cache_size(), 0u);
}
