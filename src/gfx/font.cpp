// Fonts: finding the Japanese faces and drawing code points onto surfaces.
//
// The scripts name Windows faces that Linux does not have and fontconfig does not alias, so each
// engine face is mapped explicitly to an installed family, with a generic Japanese pattern behind
// it. fontconfig always answers with *some* font, so every answer is checked: the family FreeType
// reports must be the one asked for (or, for the generic pattern, the face must have kana and
// kanji).
#include "gfx/font.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>

#include "core/sjis.h"
#include "gfx/glyph_cache.h"

namespace {

// Faces actually opened; System text uses the gothic face.
enum FaceSlot { SLOT_MINCHO = 0, SLOT_GOTHIC = 1, SLOT_COUNT = 2 };

struct FaceChoice {
    const char* family;   // wanted family, checked against FreeType's name
    const char* fallback; // fontconfig pattern tried when the family is missing
};
constexpr FaceChoice CHOICES[SLOT_COUNT] = {
    {"IPAMincho", "serif:lang=ja"},
    {"IPAPGothic", "sans-serif:lang=ja"},
};

FT_Library g_library = nullptr;
FT_Face g_faces[SLOT_COUNT] = {};
bool g_init_done = false;
bool g_init_ok = false;
std::string g_init_error;

// The thread of Font_init_start, joined by the first Font_init or at exit.
struct Starter {
    std::thread thread;
    ~Starter() {
        if (thread.joinable()) thread.join();
    }
} g_starter;

bool covers_japanese(FT_Face face) {
    return FT_Get_Char_Index(face, 0x3042) != 0 && FT_Get_Char_Index(face, 0x65E5) != 0; // あ, 日
}

// FreeType would map a face's whole file, and every page it touches would count as the engine's
// memory: megabytes for a Japanese face. Read through a stream instead, FreeType keeps only the
// tables it needs and reads each glyph when it is first drawn (the glyph cache keeps it after).
unsigned long read_stream(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                          unsigned long count) {
    FILE* file = static_cast<FILE*>(stream->descriptor.pointer);
    const bool moved = std::fseek(file, long(offset), SEEK_SET) == 0;
    if (count == 0) return moved ? 0 : 1; // a seek alone: 0 is success
    return moved ? std::fread(buffer, 1, count, file) : 0;
}

// FreeType calls this when the face is done with, and when opening it failed.
void close_stream(FT_Stream stream) {
    std::fclose(static_cast<FILE*>(stream->descriptor.pointer));
    delete stream;
}

FT_Face open_streamed(const char* path, int index) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return nullptr;
    const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    if (size <= 0) {
        std::fclose(file);
        return nullptr;
    }
    auto* stream = new FT_StreamRec{};
    stream->size = static_cast<unsigned long>(size);
    stream->descriptor.pointer = file;
    stream->read = read_stream;
    stream->close = close_stream;
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = stream;
    FT_Face face = nullptr;
    return FT_Open_Face(g_library, &args, index, &face) == 0 ? face : nullptr;
}

// Opens the best match for a fontconfig pattern. With `family` set, only a face of exactly that
// family is accepted.
FT_Face open_match(FcConfig* config, const char* pattern, const char* family) {
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (pat == nullptr) return nullptr;
    FcConfigSubstitute(config, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pat, &result);
    FcPatternDestroy(pat);
    if (match == nullptr) return nullptr;
    FT_Face face = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        face = open_streamed(reinterpret_cast<const char*>(file), index);
    }
    FcPatternDestroy(match);
    if (face == nullptr) return nullptr;
    bool family_ok =
        family == nullptr || (face->family_name != nullptr && std::strcmp(face->family_name, family) == 0);
    if (!family_ok || !covers_japanese(face) || !FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    return face;
}

FT_Face open_choice(FcConfig* config, const FaceChoice& choice) {
    FT_Face face = open_match(config, choice.family, choice.family);
    return face != nullptr ? face : open_match(config, choice.fallback, nullptr);
}

FT_Face face_for(FontFace face) {
    return face == FontFace::Mincho ? g_faces[SLOT_MINCHO] : g_faces[SLOT_GOTHIC];
}

int slot_id(FontFace face) {
    return face == FontFace::Mincho ? SLOT_MINCHO : SLOT_GOTHIC;
}

// A synthetic bold only where the face has no bold design of its own.
bool wants_bold(FT_Face face, const FontStyle& font) {
    return font.weight >= 600 && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0;
}

// Lays `g` over the surface with its cell's top-left at (x, y): each channel moves from the
// destination toward `pixel` by the coverage. Clipped to the surface; 64-bit arithmetic keeps
// coordinates near the int limits from overflowing.
bool blend_glyph(Surface* s, int x, int y, const Glyph& g, uint32_t pixel) {
    if (s->width <= 0 || s->height <= 0 || s->pixels.size() < size_t(s->width) * s->height) return false;
    int64_t gx = int64_t(x) + g.left, gy = int64_t(y) + g.top;
    int64_t x0 = std::max<int64_t>(gx, 0), x1 = std::min<int64_t>(gx + g.width, s->width);
    int64_t y0 = std::max<int64_t>(gy, 0), y1 = std::min<int64_t>(gy + g.height, s->height);
    if (x0 >= x1 || y0 >= y1) return false;
    uint32_t sr = (pixel >> 16) & 0xFF, sg = (pixel >> 8) & 0xFF, sb = pixel & 0xFF;
    for (int64_t py = y0; py < y1; ++py) {
        const uint8_t* cov = g.coverage.data() + size_t(py - gy) * g.width + size_t(x0 - gx);
        uint32_t* dst = s->pixels.data() + size_t(py) * s->width + size_t(x0);
        for (int64_t px = x0; px < x1; ++px, ++cov, ++dst) {
            uint32_t a = *cov;
            if (a == 0) continue;
            if (a == 255) {
                *dst = pixel & 0xFFFFFF;
                continue;
            }
            uint32_t d = *dst, na = 255 - a;
            uint32_t r = (sr * a + ((d >> 16) & 0xFF) * na + 127) / 255;
            uint32_t gg = (sg * a + ((d >> 8) & 0xFF) * na + 127) / 255;
            uint32_t b = (sb * a + (d & 0xFF) * na + 127) / 255;
            *dst = (r << 16) | (gg << 8) | b;
        }
    }
    return true;
}

// Finds and opens the faces, once.
void Load_faces() {
    if (!g_init_done) {
        g_init_done = true;
        if (FT_Init_FreeType(&g_library) != 0) {
            g_library = nullptr;
            g_init_error = "FreeType could not be started";
        } else {
            // A private configuration, dropped once the faces are open: the faces no longer need
            // fontconfig, and its default configuration is never freed.
            FcConfig* config = FcInitLoadConfigAndFonts();
            if (config != nullptr) {
                for (int i = 0; i < SLOT_COUNT; ++i)
                    g_faces[i] = open_choice(config, CHOICES[i]);
                FcConfigDestroy(config);
            }
            // Either Japanese face is better than none for the other's text.
            if (g_faces[SLOT_MINCHO] == nullptr) g_faces[SLOT_MINCHO] = g_faces[SLOT_GOTHIC];
            if (g_faces[SLOT_GOTHIC] == nullptr) g_faces[SLOT_GOTHIC] = g_faces[SLOT_MINCHO];
            g_init_ok = g_faces[SLOT_MINCHO] != nullptr;
            if (!g_init_ok) {
                g_init_error = "no Japanese font found (tried IPAMincho, IPAPGothic, serif:lang=ja, "
                               "sans-serif:lang=ja)";
            }
        }
    }
}

} // namespace

std::string Font_library_version() {
    // A library of its own: asking must not start the engine's faces.
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return "?";
    FT_Int major = 0, minor = 0, patch = 0;
    FT_Library_Version(library, &major, &minor, &patch);
    FT_Done_FreeType(library);
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch);
}

void Font_init_start() {
    if (!g_init_done && !g_starter.thread.joinable()) g_starter.thread = std::thread(Load_faces);
}

bool Font_init(std::string* error) {
    if (g_starter.thread.joinable()) g_starter.thread.join();
    Load_faces();
    if (!g_init_ok && error != nullptr) *error = g_init_error;
    return g_init_ok;
}

int Font_draw(Surface* s, int x, int y, const FontStyle& font, uint32_t cp, uint32_t pixel) {
    if (!Font_init(nullptr)) return 0;
    FT_Face face = face_for(font.face);
    const Glyph& g = Glyph_get(face, slot_id(font.face), font.cell_height, wants_bold(face, font), cp);
    if (s != nullptr && blend_glyph(s, x, y, g, pixel))
        Surface_touch_rect(s, int(int64_t(x) + g.left), int(int64_t(y) + g.top), g.width, g.height);
    return g.advance;
}

int Font_draw_utf8(Surface* s, int x, int y, const FontStyle& font, const std::string& utf8, uint32_t pixel) {
    int64_t pen = x;
    size_t pos = 0;
    while (pos < utf8.size()) {
        uint32_t cp = Utf8_next(utf8, &pos);
        // Past the int range nothing more can land on a surface; the width keeps counting.
        int px = int(std::clamp<int64_t>(pen, INT32_MIN, INT32_MAX));
        pen += Font_draw(s, px, y, font, cp, pixel);
    }
    return int(std::min<int64_t>(pen - x, INT32_MAX));
}

int Font_measure_utf8(const FontStyle& font, const std::string& utf8) {
    return Font_draw_utf8(nullptr, 0, 0, font, utf8, 0);
}

void Font_clear_cache() {
    Glyph_cache_clear();
}
