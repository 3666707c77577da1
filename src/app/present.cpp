#include "app/present.h"

#include "app/comfort_marks.h"
#include "gfx/fixed_surfaces.h"
#include "platform/platform.h"

namespace {

Surface WindowPicture;
// What the window picture was last made from, so an unchanged frame costs no copy and no upload.
bool shown = false;
uint32_t shown_revision = 0;
int32_t shown_x = 0, shown_y = 0;
uint32_t shown_marks = 0;

void Compose(int32_t x, int32_t y) {
    if (WindowPicture.width != WINDOW_WIDTH) Surface_create(&WindowPicture, WINDOW_WIDTH, WINDOW_HEIGHT);
    Surface_copy(&WindowPicture, x, y, WINDOW_WIDTH, WINDOW_HEIGHT, &BackBuffer, 0, 0);
    shown_marks = Marks_state();
    if (shown_marks != 0) Marks_draw(&WindowPicture);
    Platform_present(WindowPicture.pixels.data());
    shown = true;
    shown_revision = BackBuffer.revision;
    shown_x = x;
    shown_y = y;
}

} // namespace

void Present_reset() {
    ScreenOffsetX = ScreenOffsetY = 0;
    Surface_create(&WindowPicture, WINDOW_WIDTH, WINDOW_HEIGHT);
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

const uint32_t* Present_window_picture() {
    if (WindowPicture.width != WINDOW_WIDTH) Surface_create(&WindowPicture, WINDOW_WIDTH, WINDOW_HEIGHT);
    return WindowPicture.pixels.data();
}
