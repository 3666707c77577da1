#include "ui/picture_view.h"

#include "gfx/fixed_surfaces.h"
#include "ui/ui_host.h"
#include "ui/ui_kit.h"

void Picture_view_open() {
    // The release of the press that opened the view, and a held key's repeats, are not the next
    // click or key; a modifier alone is no key either.
    uint32_t pressed = 0;
    auto handle = [&](const PlatformEvent& e) {
        switch (e.type) {
        case EventType::MouseDown:
            pressed |= 1u << e.button;
            return UiStep::Continue;
        case EventType::MouseUp:
            return (pressed >> e.button) & 1 ? UiStep::Close : UiStep::Continue;
        case EventType::KeyDown:
            return e.repeat || e.key == KEY_SHIFT || e.key == KEY_CONTROL || e.key == KEY_ALT
                       ? UiStep::Continue
                       : UiStep::Close;
        default:
            return UiStep::Continue;
        }
    };
    Surface picture = Ui_screen();
    Surface_copy(&picture, 0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, &BackgroundSurface, 0, 0);
    Ui_modal_loop(UiRect{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT}, handle,
                  [&] { Platform_present(picture.pixels.data()); });
    Platform_present(Ui_window_picture());
}
