// Fitting the 640x480 picture into a window of any size: the largest whole-number scale that fits,
// centred, black bars around it. Window backends use this to draw the picture and to turn window
// pixels back into picture coordinates, so both always agree on where the picture lies.
#pragma once

#include <cstddef>
#include <cstdint>

// Where the picture lies in a window: each picture pixel becomes a scale x scale block, and the
// picture's top-left corner is at (x, y) in window pixels (negative when the window is smaller
// than the picture, which then shows its centre).
struct WindowFit {
    int scale = 1;
    int x = 0;
    int y = 0;
};

// A rectangle of window pixels.
struct WindowPart {
    int x = 0, y = 0, w = 0, h = 0;
};

// The fit for a window of window_w x window_h pixels: the largest scale >= 1 at which the whole
// picture fits, centred (odd leftovers put the extra pixel right and below).
WindowFit Window_fit(int window_w, int window_h);

// Turns a window pixel into the picture pixel shown there; points on the bars or outside the
// window are clamped to the nearest picture edge (0..639, 0..479).
void Window_to_picture(const WindowFit& fit, int window_x, int window_y, int* picture_x, int* picture_y);

// Draws the 640x480 0x00RRGGBB picture into a 32-bit window buffer of dst_w x dst_h pixels whose
// rows are dst_pitch bytes apart, at `fit` by exact pixel replication, and paints the bars black.
// `fit` must be Window_fit(dst_w, dst_h).
void Window_draw(const uint32_t* picture, const WindowFit& fit, uint32_t* dst, int dst_w, int dst_h,
                 size_t dst_pitch);

// Draws only the w x h rectangle at (x, y) of the picture the same way, into a window buffer that
// Window_draw filled before at the same fit, and returns the window rectangle it drew (w or h 0
// when none of it lies in the window), for uploading just that.
WindowPart Window_draw_part(const uint32_t* picture, const WindowFit& fit, uint32_t* dst, int dst_w,
                            int dst_h, size_t dst_pitch, int x, int y, int w, int h);
