#include "app/present.h"

#include "comforts/comfort_marks.h"
#include "gfx/fixed_surfaces.h"
#include "platform/platform.h"

namespace {

Surface Plain;  // BackBuffer as the last final copy left it
Surface Marked; // Plain with the comfort marks over it, while any are due
const Surface* Shown = &Plain;
// What the window picture was last made from, so an unchanged frame costs no copy and no upload.
bool shown = false;
uint32_t shown_revision = 0;
int32_t shown_x = 0, shown_y = 0;
uint32_t shown_marks = 0;

void Make_surfaces() {
    if (Plain.width != WINDOW_WIDTH) Surface_create(&Plain, WINDOW_WIDTH, WINDOW_HEIGHT);
}

// The marks are drawn over a copy, so they can go again without a new frame.
void Show_with_marks() {
    shown_marks = Marks_state();
    Shown = &Plain;
    if (shown_marks != 0) {
        Marked = Plain;
        Marks_draw(&Marked);
        Shown = &Marked;
    }
    Platform_present(Shown->pixels.data());
}

void Compose(int32_t x, int32_t y) {
    Make_surfaces();
    Surface_copy(&Plain, x, y, WINDOW_WIDTH, WINDOW_HEIGHT, &BackBuffer, 0, 0);
    Show_with_marks();
    shown = true;
    shown_revision = BackBuffer.revision;
    shown_x = x;
    shown_y = y;
}

} // namespace

void Present_reset() {
    ScreenOffsetX = ScreenOffsetY = 0;
    Surface_create(&Plain, WINDOW_WIDTH, WINDOW_HEIGHT);
    Surface_release(&Marked);
    Shown = &Plain;
    shown = false;
}

void Present_frame() {
    if (shown && BackBuffer.revision == shown_revision && ScreenOffsetX == shown_x &&
        ScreenOffsetY == shown_y && Marks_state() == shown_marks)
        return;
    Compose(ScreenOffsetX, ScreenOffsetY);
}

void Present_paint() {
    Compose(0, 0);
}

void Present_marks() {
    if (shown && Marks_state() != shown_marks) Show_with_marks();
}

const uint32_t* Present_window_picture() {
    Make_surfaces();
    return Shown->pixels.data();
}
