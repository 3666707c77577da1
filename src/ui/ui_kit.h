// The small widget kit of the engine's own dialogs (message boxes, the name prompt): their colours
// and fonts, the panel with its caption bar, buttons, and the modal event loop.
//
// Dialogs are drawn over a copy of the window picture and never into BackBuffer, so closing one
// only has to show the window picture again.
#pragma once

#include <functional>
#include <string>

#include "gfx/font.h"
#include "gfx/surface.h"
#include "platform/platform.h"

constexpr FontStyle UI_TEXT_FONT{FontFace::PGothic, 16, 400};
constexpr FontStyle UI_CAPTION_FONT{FontFace::PGothic, 14, 600};
constexpr FontStyle UI_NOTE_FONT{FontFace::PGothic, 14, 400};
constexpr int UI_CAPTION_H = 24;
constexpr int UI_BUTTON_W = 92;
constexpr int UI_BUTTON_H = 26;
constexpr int UI_BUTTON_GAP = 12;

constexpr uint32_t UI_PANEL = 0xF4F2EE;
constexpr uint32_t UI_BORDER = 0x5A5550;
constexpr uint32_t UI_CAPTION_BG = 0x3A4A66;
constexpr uint32_t UI_WHITE = 0xFFFFFF;
constexpr uint32_t UI_TEXT = 0x1C1C1C;
constexpr uint32_t UI_NOTE = 0xC0281E;
constexpr uint32_t UI_BUTTON_BG = 0xE2DED8;
constexpr uint32_t UI_BUTTON_HOT = 0xD2DCEE;
constexpr uint32_t UI_FOCUS = 0x3A6AC8;

struct UiRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// True if (x, y) lies in `r` (left and top inclusive, right and bottom exclusive).
bool Ui_inside(const UiRect& r, int x, int y);

// A one-pixel outline along the inside of `r`.
void Ui_frame(Surface* s, const UiRect& r, uint32_t colour);

// A copy of what the window shows, to draw a dialog on.
Surface Ui_screen();

// The dialog's body: shadow, panel, caption bar with `caption_utf8`, border.
void Ui_panel(Surface* s, const UiRect& r, const std::string& caption_utf8);

// How a button's outline shows it: plain, as the default button, or with the keyboard focus.
enum class UiButtonLook { Plain, Default, Focused };

// A button of UI_BUTTON_W x UI_BUTTON_H at (x, y) with its label centred; `hot` under the mouse.
void Ui_button(Surface* s, int x, int y, const char* label_utf8, bool hot, UiButtonLook look);

enum class UiStep { Continue, Close };

// The modal loop of a dialog occupying `area`. Events the dialog does not take go to the window's
// handler as they would with a box that has no owner window: repaints, music notifications, mouse
// events outside the dialog (a press outside goes nowhere else). Every other event goes to
// `handle`; after each event `draw` shows the dialog again. Returns true when `handle` closed the
// dialog, false when the window was closed or the platform asked the program to end (at once,
// without showing it, when the program is already ending).
bool Ui_modal_loop(const UiRect& area, const std::function<UiStep(const PlatformEvent&)>& handle,
                   const std::function<void()>& draw);

// Where the pointer was at the last mouse event a dialog's loop took since the last call (such
// events never reach the window's mouse record); false, with *x and *y untouched, if none came.
bool Ui_take_pointer(int* x, int* y);
