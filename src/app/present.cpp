#include "app/present.h"

#include <algorithm>

#include "comforts/comfort_marks.h"
#include "gfx/fixed_surfaces.h"
#include "platform/platform.h"

namespace {

Surface Plain;  // BackBuffer as the last final copy left it
Surface Marked; // Plain with the comfort marks over it, while any are due
const Surface* Shown = &Plain;
// What the window picture was last made from, so an unchanged frame costs no copy and no upload,
// and a changed one only the copy and upload of what changed.
bool shown = false;
uint32_t shown_revision = 0;
int32_t shown_x = 0, shown_y = 0;
uint32_t shown_marks = 0;
Rect marks_at; // where the marks lie in Marked, while Shown is Marked

bool Empty(const Rect& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

Rect Union(const Rect& a, const Rect& b) {
    if (Empty(a)) return b;
    if (Empty(b)) return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

void Copy_part(Surface* dst, const Surface* src, const Rect& r) {
    Surface_copy(dst, r.left, r.top, r.right - r.left, r.bottom - r.top, src, r.left, r.top);
}

void Make_surfaces() {
    if (Plain.width != WINDOW_WIDTH) Surface_create(&Plain, WINDOW_WIDTH, WINDOW_HEIGHT);
}

// Shows Plain, where `changed` changed, with the marks as they are now. The marks are drawn over a
// copy, so they can go again without a new frame; that copy follows Plain only where either
// changed.
void Show_with_marks(Rect changed) {
    const bool had_marks = Shown == &Marked;
    shown_marks = Marks_state();
    Shown = &Plain;
    if (shown_marks != 0) {
        if (had_marks) {
            Copy_part(&Marked, &Plain, Union(changed, marks_at));
        } else {
            Marked = Plain;
        }
        Surface_take_changed(&Marked);
        Marks_draw(&Marked);
        Shown = &Marked;
    }
    if (had_marks) changed = Union(changed, marks_at);
    if (shown_marks != 0) {
        if (!had_marks) changed = Rect{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT};
        marks_at = Surface_take_changed(&Marked);
        changed = Union(changed, marks_at);
    }
    Platform_present_part(Shown->pixels.data(), changed.left, changed.top, changed.right - changed.left,
                          changed.bottom - changed.top);
    // The window no longer shows the marks' copy: its frame of memory goes until marks come again.
    if (Shown == &Plain && !Marked.pixels.empty()) Surface_release(&Marked);
}

void Compose(int32_t x, int32_t y) {
    Make_surfaces();
    Surface_copy(&Plain, x, y, WINDOW_WIDTH, WINDOW_HEIGHT, &BackBuffer, 0, 0);
    Surface_take_changed(&BackBuffer);
    Shown = &Plain; // so the marks' copy is made anew
    Show_with_marks(Rect{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT});
    shown = true;
    shown_revision = BackBuffer.revision;
    shown_x = x;
    shown_y = y;
}

// Only what BackBuffer changed since the last final copy, at the same offsets.
void Compose_changes() {
    Rect r = Surface_take_changed(&BackBuffer);
    r = Rect{std::max(r.left + shown_x, 0), std::max(r.top + shown_y, 0),
             std::min(r.right + shown_x, WINDOW_WIDTH), std::min(r.bottom + shown_y, WINDOW_HEIGHT)};
    if (!Empty(r))
        Surface_copy(&Plain, r.left, r.top, r.right - r.left, r.bottom - r.top, &BackBuffer, r.left - shown_x,
                     r.top - shown_y);
    Show_with_marks(Empty(r) ? Rect{} : r);
    shown_revision = BackBuffer.revision;
}

} // namespace

void Present_reset() {
    ScreenOffsetX = ScreenOffsetY = 0;
    Surface_create(&Plain, WINDOW_WIDTH, WINDOW_HEIGHT);
    Shown = &Plain;
    shown = false;
}

void Present_frame() {
    if (shown && BackBuffer.revision == shown_revision && ScreenOffsetX == shown_x &&
        ScreenOffsetY == shown_y && Marks_state() == shown_marks)
        return;
    if (shown && ScreenOffsetX == shown_x && ScreenOffsetY == shown_y && Plain.width == WINDOW_WIDTH)
        Compose_changes();
    else
        Compose(ScreenOffsetX, ScreenOffsetY);
}

void Present_paint() {
    Compose(0, 0);
}

void Present_marks() {
    if (shown && Marks_state() != shown_marks) Show_with_marks(Rect{});
}

const uint32_t* Present_window_picture() {
    Make_surfaces();
    return Shown->pixels.data();
}
