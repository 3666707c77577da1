// The scenes' pictures as they stand under the story text: dimmed by the script's two blends of the
// black picture (20%, then 25%), so that a scene can load its dimmed picture by name once the blends
// have shown. A save point or a rollback then names a picture that is really on the screen. A JPEG
// scene is dimmed as the engine decodes it, and the dimmed copy is written without loss, so it
// matches the blended screen to the pixel.
#include <cstdio>

#include "demo_assets.h"
#include "formats/image_decode.h"

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

// The picture as the engine shows the JPEG file written from it.
Picture As_decoded(const Picture& p, bool progressive) {
    JpegSettings settings;
    settings.progressive = progressive;
    std::vector<uint8_t> jpeg;
    DecodedImage decoded;
    std::string error;
    if (!Jpeg_encode(p, settings, &jpeg) || !Image_decode(jpeg.data(), jpeg.size(), &decoded, &error)) {
        std::fprintf(stderr, "make_demo_assets: dimmed picture made from the painting: %s\n", error.c_str());
        return p;
    }
    return Picture{decoded.width, decoded.height, std::move(decoded.pixels)};
}

} // namespace

Picture Paint_street_dimmed() {
    return Dimmed(As_decoded(Paint_street(), false));
}

Picture Paint_room_dimmed() {
    return Dimmed(Paint_room());
}

Picture Paint_lake_night_dimmed() {
    return Dimmed(As_decoded(Paint_lake_night(), true));
}
