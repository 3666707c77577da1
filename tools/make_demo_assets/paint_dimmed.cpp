// The scenes' pictures as they stand under the story text: dimmed by the script's two blends of the
// black picture (20%, then 25%), so that a scene can load its dimmed picture by name once the blends
// have shown. A save point or a rollback then names a picture that is really on the screen.
#include "demo_assets.h"

namespace {

// One blend of black at `percent`, rounded as the engine's translucent copy rounds.
uint32_t Darken(uint32_t pixel, int percent) {
    const uint32_t keep = 255 - uint32_t(percent * 255 / 100);
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t v = ((pixel >> shift) & 0xFF) * keep + 128;
        out |= ((v + (v >> 8)) >> 8) << shift;
    }
    return out;
}

Picture Dimmed(Picture p) {
    for (uint32_t& pixel : p.pixels)
        pixel = Darken(Darken(pixel, 20), 25);
    return p;
}

} // namespace

Picture Paint_street_dimmed() {
    return Dimmed(Paint_street());
}

Picture Paint_room_dimmed() {
    return Dimmed(Paint_room());
}

Picture Paint_lake_night_dimmed() {
    return Dimmed(Paint_lake_night());
}
