// Glyph rendering and the glyph cache.
//
// Sizes follow the engine's cell-height convention: a cell is the face's Windows ascent plus
// descent (OS/2 usWinAscent + usWinDescent), so the em size is cell * unitsPerEm / (ascent +
// descent) and the baseline sits round(ascent * cell / (ascent + descent)) below the cell's top.
// Outlines are loaded with light hinting (vertical snapping only: kanji keep their shapes instead
// of smearing) and rendered as 8-bit grayscale coverage.
#include "gfx/glyph_cache.h"

#include <algorithm>
#include <unordered_map>

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace {

// The story draws a few thousand distinct characters over a whole game; a page needs a few
// hundred. When either bound is passed the cache is emptied and refills from the current page.
constexpr size_t MAX_GLYPHS = 4096;
constexpr size_t MAX_COVERAGE_BYTES = 16u << 20;

std::unordered_map<uint64_t, Glyph> g_cache;
size_t g_coverage_bytes = 0;

// The em size last set on each face, so a run of cache misses at one size sets it only once.
// Keyed by face rather than by face id: two ids may share one face when a fallback is in use.
std::unordered_map<FT_Face, FT_F26Dot6> g_face_em;

struct CellMetrics {
    long ascent = 0; // font units
    long total = 0;  // ascent + descent, font units
};

CellMetrics cell_metrics(FT_Face face) {
    CellMetrics m;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        m.ascent = os2->usWinAscent;
        m.total = long(os2->usWinAscent) + os2->usWinDescent;
    } else if (face->ascender - face->descender > 0) {
        // Faces without Windows metrics: the horizontal header's ascent and descent.
        m.ascent = face->ascender;
        m.total = long(face->ascender) - face->descender;
    } else {
        m.ascent = face->units_per_EM * 4 / 5;
        m.total = face->units_per_EM;
    }
    return m;
}

uint64_t cache_key(int face_id, int cell_height, bool bold, uint32_t cp) {
    return (uint64_t(face_id & 0xFF) << 48) | (uint64_t(bold) << 47) |
           (uint64_t(cell_height & 0x7FFF) << 32) | cp;
}

bool set_size(FT_Face face, const CellMetrics& m, int cell_height) {
    // 26.6 fixed point, rounded: em = cell * unitsPerEm / (ascent + descent).
    FT_F26Dot6 em = FT_F26Dot6((int64_t(cell_height) * face->units_per_EM * 64 + m.total / 2) / m.total);
    if (em < 1) em = 1;
    auto it = g_face_em.find(face);
    if (it != g_face_em.end() && it->second == em) return true;
    g_face_em.erase(face);
    if (FT_Set_Char_Size(face, 0, em, 72, 72) != 0) return false; // 72 dpi: points are pixels
    g_face_em[face] = em;
    return true;
}

// Copies FreeType's bitmap into coverage rows, top to bottom, whatever the bitmap's row flow.
void take_bitmap(const FT_Bitmap& bm, Glyph* g) {
    g->width = int(bm.width);
    g->height = int(bm.rows);
    g->coverage.resize(size_t(g->width) * g->height);
    int pitch = bm.pitch < 0 ? -bm.pitch : bm.pitch;
    for (int r = 0; r < g->height; ++r) {
        const uint8_t* src = bm.buffer + size_t(bm.pitch >= 0 ? r : g->height - 1 - r) * pitch;
        std::copy(src, src + g->width, g->coverage.begin() + ptrdiff_t(r) * g->width);
    }
}

Glyph render(FT_Face face, int cell_height, bool bold, uint32_t cp) {
    Glyph g;
    CellMetrics m = cell_metrics(face);
    if (!set_size(face, m, cell_height)) return g;
    // Code points the face lacks use glyph 0, the face's own replacement box.
    FT_UInt index = FT_Get_Char_Index(face, cp);
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) != 0) return g;
    FT_GlyphSlot slot = face->glyph;
    if (bold && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        // One pixel wider, growing to the right so the ink keeps its left edge; thickening the
        // outline before rasterising keeps stems distinct where an overstruck bitmap would smear.
        FT_Outline_EmboldenXY(&slot->outline, 64, 0);
        FT_Outline_Translate(&slot->outline, 32, 0);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_LIGHT) != 0) return g;
    if (slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return g;
    int baseline = int((2 * int64_t(m.ascent) * cell_height + m.total) / (2 * m.total));
    take_bitmap(slot->bitmap, &g);
    g.left = slot->bitmap_left;
    g.top = baseline - slot->bitmap_top;
    g.advance = int((slot->advance.x + 32) >> 6) + (bold ? 1 : 0);
    return g;
}

} // namespace

const Glyph& Glyph_get(FT_Face face, int face_id, int cell_height, bool bold, uint32_t cp) {
    static const Glyph empty;
    if (face == nullptr || cell_height < 1 || cell_height > GLYPH_MAX_CELL_HEIGHT || cp > 0x10FFFF)
        return empty;
    uint64_t key = cache_key(face_id, cell_height, bold, cp);
    auto it = g_cache.find(key);
    if (it != g_cache.end()) return it->second;
    Glyph g = render(face, cell_height, bold, cp);
    if (g_cache.size() >= MAX_GLYPHS || g_coverage_bytes + g.coverage.size() > MAX_COVERAGE_BYTES) {
        Glyph_cache_clear();
    }
    g_coverage_bytes += g.coverage.size();
    return g_cache.emplace(key, std::move(g)).first->second;
}

void Glyph_cache_clear() {
    g_cache.clear();
    g_coverage_bytes = 0;
}

size_t Glyph_cache_size() {
    return g_cache.size();
}
