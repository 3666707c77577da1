#include "comforts/comfort_marks.h"

#include <string>

#include "comforts/skip_auto.h"
#include "platform/platform.h"
#include "sound/volume.h"
#include "ui/ui_kit.h"

namespace {

constexpr uint32_t OVERLAY_MS = 1000;
constexpr uint32_t MARK_BG = 0x202428;
constexpr uint32_t MARK_TEXT = 0xE8E4DC;

// The levels the player changed last, shown for a second in the bottom-right corner.
enum class Overlay { None, Volume, AutoSpeed, Note };
Overlay overlay = Overlay::None;
uint32_t overlay_since = 0;
std::string note;
uint32_t notes_shown = 0; // tells one note from the next in Marks_state

bool Overlay_due() {
    return overlay != Overlay::None && Platform_time_ms() - overlay_since < OVERLAY_MS;
}

void Show_overlay(Overlay what) {
    overlay = what;
    overlay_since = Platform_time_ms();
}

// A dark label with light text, right-aligned at `right`, top at `y`.
void Label(Surface* s, int right, int y, const std::string& text) {
    const int w = Font_measure_utf8(UI_NOTE_FONT, text) + 12;
    Surface_fill(s, right - w, y, right, y + 20, MARK_BG);
    Font_draw_utf8(s, right - w + 6, y + (20 - UI_NOTE_FONT.cell_height) / 2, UI_NOTE_FONT, text, MARK_TEXT);
}

std::string Level(int percent) {
    return std::to_string(percent) + "%";
}

} // namespace

void Marks_draw(Surface* s) {
    if (Skip_shown()) {
        Label(s, WINDOW_WIDTH - 4, 4, Skip_read_only() ? "SKIP 既読のみ" : "SKIP");
    } else if (Auto_active()) {
        Label(s, WINDOW_WIDTH - 4, 4, "AUTO");
    }
    if (!Overlay_due()) return;
    std::string text = "オート " + Level(Auto_speed());
    if (overlay == Overlay::Note) text = note;
    if (overlay == Overlay::Volume)
        text =
            Volume.muted ? "消音中 (M)" : "音楽 " + Level(Volume.music) + "  効果音 " + Level(Volume.effects);
    Label(s, WINDOW_WIDTH - 4, WINDOW_HEIGHT - 28, text);
}

uint32_t Marks_state() {
    // The skip mode shows only in the skip mark: with no mark up, nothing is drawn and the state is 0.
    uint32_t state = (Skip_shown() ? 1u | (Skip_read_only() ? 64u : 0u) : 0u) | (Auto_active() ? 2u : 0u);
    if (Overlay_due() && overlay == Overlay::Volume)
        state |= 4u | (Volume.muted ? 8u : 0u) | uint32_t(Volume.music) << 8 | uint32_t(Volume.effects) << 16;
    if (Overlay_due() && overlay == Overlay::AutoSpeed) state |= 16u | uint32_t(Auto_speed()) << 8;
    if (Overlay_due() && overlay == Overlay::Note) state |= 32u | notes_shown << 8;
    return state;
}

void Marks_show_volume() {
    Show_overlay(Overlay::Volume);
}

void Marks_show_auto_speed() {
    Show_overlay(Overlay::AutoSpeed);
}

void Marks_show_note(const std::string& text_utf8) {
    note = text_utf8;
    ++notes_shown;
    Show_overlay(Overlay::Note);
}

void Marks_reset() {
    overlay = Overlay::None;
    overlay_since = 0;
    note.clear();
    notes_shown = 0;
}
