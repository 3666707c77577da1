// The menu windows under gdat/system/: the main menu, the exit and frame-rate questions, the save
// and load slot lists and the title menu.
//
// Each file holds the window's looks side by side from x 0, each as wide as the window: the normal
// look, the look with every button lit, and for the frame-rate window the look that marks the
// option in force; the columns after the last look are black. The engine copies a button's
// rectangle from one look over the other, so a look differs from the normal one only inside the
// buttons, and each label is drawn clipped to its own button.
//
// The style follows the demo's dusk lake: deep indigo panels with a soft vertical gradient and a
// thin warm-gold frame, labels in warm off-white, lit buttons as amber plates with dark labels.
// The slot rows stay dark, as the engine writes pale yellow slot labels on them, and light up
// cream, which keeps the engine's red labels legible.
#include "demo_assets.h"
#include "gfx/font.h"
#include "gfx/surface.h"
#include "paint_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

enum class Look { Normal, Lit, InForce };

enum class Kind {
    Plate, // a labelled button
    Row,   // a save slot: the engine writes the label
};

struct Button {
    int left, top, right, bottom; // edges exclusive
    const char* label;
    int cell; // the label's largest cell height; smaller if the label would not fit
};

struct Window {
    int width, height;
    int file_looks;      // the file is this many windows wide
    const char* caption; // nullptr for none
    Kind kind;
    std::vector<Button> buttons;
    bool in_force_look;
};

const Rgb PANEL_TOP = Rgb_hex(0x2C2554), PANEL_BOTTOM = Rgb_hex(0x15122C);
const Rgb EDGE = Rgb_hex(0x07060F), GOLD_TOP = Rgb_hex(0xE6C27A), GOLD_BOTTOM = Rgb_hex(0x9C7638);
const Rgb PLATE = Rgb_hex(0x3E3570), PLATE_RIM = Rgb_hex(0x8A7550);
const Rgb AMBER_TOP = Rgb_hex(0xFFE2A0), AMBER_BOTTOM = Rgb_hex(0xD98E34), AMBER_RIM = Rgb_hex(0xFFF3D2);
const Rgb SUNKEN = Rgb_hex(0x0E0B20), SUNKEN_RIM = Rgb_hex(0xF0C868);
const Rgb ROW_TOP = Rgb_hex(0x120E2A), ROW_BOTTOM = Rgb_hex(0x0B0920), ROW_RIM = Rgb_hex(0x4A3F78);
const Rgb CREAM_TOP = Rgb_hex(0xFDF0D2), CREAM_BOTTOM = Rgb_hex(0xECCB8C), CREAM_RIM = Rgb_hex(0xFFFBEE);
constexpr uint32_t LABEL = 0xF4EAD6, LABEL_LIT = 0x2A1530, LABEL_IN_FORCE = 0xFFD46E;
constexpr uint32_t CAPTION = 0xE9CC8C, SHADOW = 0x06050E;

// A look in progress: colours before dithering, so every look quantizes the shared panel alike.
struct Canvas {
    int width, height;
    std::vector<Rgb> pixels;
    Rgb& at(int x, int y) { return pixels[size_t(y) * width + x]; }
};

// Signed distance from (px, py) to the rounded rectangle [x0, x1] x [y0, y1]: negative inside.
double Rounded_distance(double px, double py, double x0, double y0, double x1, double y1, double radius) {
    const double qx = std::abs(px - (x0 + x1) / 2) - ((x1 - x0) / 2 - radius);
    const double qy = std::abs(py - (y0 + y1) / 2) - ((y1 - y0) / 2 - radius);
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

// The panel: a soft indigo gradient with a faint grain, framed by a dark edge, a gold line with a
// shadow under it, and a fainter gold hairline further in.
Canvas Paint_panel(int w, int h) {
    Canvas c{w, h, std::vector<Rgb>(size_t(w) * h)};
    const double span = std::max(h - 1, 1);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double t = y / span;
            Rgb colour = Mix(PANEL_TOP, PANEL_BOTTOM, Smoothstep(0, 1, t));
            colour = colour * (0.96 + 0.08 * Fbm(x / 19.0, y / 19.0, 3, 0x3E2A));
            const int inset = std::min({x, y, w - 1 - x, h - 1 - y});
            const Rgb gold = Mix(GOLD_TOP, GOLD_BOTTOM, t);
            if (inset == 0)
                colour = EDGE;
            else if (inset == 1)
                colour = gold;
            else if (inset == 2)
                colour = colour * 0.6;
            else if (inset == 4)
                colour = Mix(colour, gold, 0.2);
            c.at(x, y) = colour;
        }
    }
    return c;
}

// Paints one button's background in a look, inside its rectangle only.
void Paint_button(Canvas* c, const Button& b, Kind kind, Look look) {
    // Plates sit one pixel inside their rectangle, which leaves room for the lit glow; rows fill it.
    const double inset = kind == Kind::Plate ? 1 : 0, radius = kind == Kind::Plate ? 3 : 2;
    const double x0 = b.left + inset, y0 = b.top + inset, x1 = b.right - inset, y1 = b.bottom - inset;
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) {
            const double d = Rounded_distance(x + 0.5, y + 0.5, x0, y0, x1, y1, radius);
            const double fill = Clamp01(0.5 - d), rim = fill - Clamp01(-0.5 - d);
            const double t = Clamp01((y + 0.5 - y0) / (y1 - y0));
            Rgb under = c->at(x, y), face, edge;
            double rim_strength = 1;
            switch (look) {
            case Look::Normal:
                if (kind == Kind::Row) {
                    face = Mix(ROW_TOP, ROW_BOTTOM, t);
                    edge = ROW_RIM;
                    rim_strength = 0.7;
                } else {
                    face = Mix(under, PLATE, 0.55 * (1 - 0.4 * t));
                    edge = PLATE_RIM;
                    rim_strength = 0.55;
                }
                break;
            case Look::Lit:
                if (kind == Kind::Row) {
                    face = Mix(CREAM_TOP, CREAM_BOTTOM, t);
                    edge = CREAM_RIM;
                } else {
                    // A warm halo in the margin round the plate, and a brighter band across its top.
                    under = Mix(under, AMBER_BOTTOM, 0.55 * std::exp(-1.3 * std::max(d, 0.0)));
                    face = Mix(AMBER_TOP, AMBER_BOTTOM, Smoothstep(0.1, 1, t));
                    edge = AMBER_RIM;
                }
                break;
            case Look::InForce: {
                // Pressed in: dark, shaded under its top edge, ringed in bright gold.
                const double shade = 1 - 0.5 * std::exp(-(y + 0.5 - y0) / 2.5);
                face = SUNKEN * shade;
                edge = SUNKEN_RIM;
                break;
            }
            }
            c->at(x, y) = Mix(Mix(under, face, fill), edge, rim * rim_strength);
        }
    }
}

Surface Quantize(const Canvas& c) {
    Surface s;
    Surface_create(&s, c.width, c.height);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            s.pixels[size_t(y) * c.width + x] = To_pixel(c.pixels[size_t(y) * c.width + x], x, y);
    return s;
}

FontStyle Style(int cell) {
    return FontStyle{FontFace::PGothic, cell, 400};
}

// The caption along the top, with a gold hairline under it that fades out towards both ends.
void Paint_caption(Canvas* c, int bottom_line) {
    const int from = c->width / 8, to = c->width - from;
    for (int x = from; x < to; ++x) {
        const double t = (x + 0.5 - from) / (to - from);
        c->at(x, bottom_line) = Mix(c->at(x, bottom_line), GOLD_TOP, 0.55 * std::sin(t * M_PI));
    }
}

void Draw_caption(Surface* s, const char* text) {
    const FontStyle style = Style(12);
    const int x = (s->width - Font_measure_utf8(style, text)) / 2;
    Font_draw_utf8(s, x + 1, 9, style, text, SHADOW);
    Font_draw_utf8(s, x, 8, style, text, CAPTION);
}

// Draws the label centred in its button, clipped to the button's rectangle.
void Draw_label(Surface* s, const Button& b, Look look) {
    const int w = b.right - b.left, h = b.bottom - b.top;
    int cell = b.cell;
    while (cell > 8 && Font_measure_utf8(Style(cell), b.label) > w - 5)
        --cell;
    const FontStyle style = Style(cell);
    Surface local;
    Surface_create(&local, w, h);
    Surface_copy(&local, 0, 0, w, h, s, b.left, b.top);
    const int x = (w - Font_measure_utf8(style, b.label) + 1) / 2, y = (h - cell + 1) / 2;
    if (look == Look::Lit) {
        Font_draw_utf8(&local, x, y, style, b.label, LABEL_LIT);
    } else {
        Font_draw_utf8(&local, x + 1, y + 1, style, b.label, SHADOW);
        Font_draw_utf8(&local, x, y, style, b.label, look == Look::Normal ? LABEL : LABEL_IN_FORCE);
    }
    Surface_copy(s, b.left, b.top, w, h, &local, 0, 0);
}

Picture Paint_window(const Window& win) {
    static const bool have_font = [] {
        std::string error;
        if (Font_init(&error)) return true;
        std::fprintf(stderr, "make_demo_assets: menu windows painted without labels: %s\n", error.c_str());
        return false;
    }();
    Canvas panel = Paint_panel(win.width, win.height);
    if (win.caption != nullptr) Paint_caption(&panel, 23);

    std::vector<Look> looks = {Look::Normal, Look::Lit};
    if (win.in_force_look) looks.push_back(Look::InForce);
    Picture p;
    p.width = win.width * win.file_looks;
    p.height = win.height;
    p.pixels.assign(size_t(p.width) * p.height, 0);
    for (size_t i = 0; i < looks.size(); ++i) {
        Canvas canvas = panel;
        for (const Button& b : win.buttons)
            Paint_button(&canvas, b, win.kind, looks[i]);
        Surface s = Quantize(canvas);
        if (have_font) {
            if (win.caption != nullptr) Draw_caption(&s, win.caption);
            for (const Button& b : win.buttons)
                if (b.label != nullptr) Draw_label(&s, b, looks[i]);
        }
        for (int y = 0; y < win.height; ++y)
            std::copy_n(s.pixels.begin() + ptrdiff_t(y) * win.width, win.width,
                        p.pixels.begin() + ptrdiff_t(y) * p.width + ptrdiff_t(i) * win.width);
    }
    return p;
}

Window Slot_list(const char* title) {
    Window win{300, 200, 3, title, Kind::Row, {}, false};
    for (int i = 0; i < 8; ++i)
        win.buttons.push_back({20, 30 + 20 * i, 290, 46 + 20 * i, nullptr, 0});
    return win;
}

} // namespace

Picture Paint_menu_main() {
    return Paint_window({100,
                         120,
                         3,
                         nullptr,
                         Kind::Plate,
                         {{15, 15, 80, 36, "セーブ", 14},
                          {15, 37, 80, 58, "ロード", 14},
                          {15, 61, 80, 80, "フレームレート", 10},
                          {15, 83, 80, 102, "終了", 14}},
                         false});
}

Picture Paint_menu_exit() {
    return Paint_window({100,
                         85,
                         3,
                         "終了しますか？",
                         Kind::Plate,
                         {{30, 30, 70, 54, "はい", 12}, {30, 55, 70, 75, "いいえ", 12}},
                         false});
}

Picture Paint_menu_fps() {
    return Paint_window({100,
                         85,
                         4,
                         "フレームレート",
                         Kind::Plate,
                         {{30, 30, 70, 54, "表示", 12}, {30, 55, 70, 75, "非表示", 11}},
                         true});
}

Picture Paint_menu_save() {
    return Paint_window(Slot_list("「セーブする場所を選んでください」"));
}

Picture Paint_menu_load() {
    return Paint_window(Slot_list("「ロードするデータを選んでください」"));
}

Picture Paint_menu_start() {
    return Paint_window({150,
                         100,
                         3,
                         nullptr,
                         Kind::Plate,
                         {{15, 15, 140, 35, "はじめから", 14},
                          {15, 45, 140, 60, "つづきから", 14},
                          {15, 70, 140, 90, "おわる", 14}},
                         false});
}
