// black.bmp: the picture a fade to black leaves on the screen, 640x480 and black to the last
// pixel. A snapshot taken after `fade_out` names it, and loading that snapshot reads it back.
#include "demo_assets.h"

Picture Paint_black() {
    Picture p;
    p.width = 640;
    p.height = 480;
    p.pixels.assign(size_t(p.width) * p.height, 0);
    return p;
}
