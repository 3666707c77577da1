#include "gfx/fixed_surfaces.h"

#include <cstring>

#include "gfx/picture_load.h"
#include "platform/platform.h"

Surface BackBuffer;
Surface BackgroundSurface;
Surface PartsSurface;
int32_t ScreenOffsetX = 0;
int32_t ScreenOffsetY = 0;

namespace {
constexpr const char* PARTS_PATH = ".\\gdat\\system\\Parts.bmp";
constexpr const char* BACK_PATH = ".\\gdat\\system\\Back00.bmp";
} // namespace

void Surface_set_name(Surface* s, const char* name) {
    std::strncpy(s->PictureName, name, PICTURE_NAME_SIZE - 1);
    s->PictureName[PICTURE_NAME_SIZE - 1] = '\0';
}

void Surfaces_create_fixed() {
    Surface_create(&BackBuffer, WINDOW_WIDTH, WINDOW_HEIGHT);
    Surface_set_name(&BackBuffer, "");

    Surface_create(&PartsSurface, PARTS_WIDTH, PARTS_HEIGHT);
    Load_Bmp(&PartsSurface, PARTS_PATH);
    Surface_set_name(&PartsSurface, PARTS_PATH);

    Surface_create(&BackgroundSurface, WINDOW_WIDTH, WINDOW_HEIGHT);
    Load_Bmp(&BackgroundSurface, BACK_PATH);
    Surface_set_name(&BackgroundSurface, BACK_PATH);
}

void Surfaces_reset() {
    for (Surface* s : {&BackBuffer, &BackgroundSurface, &PartsSurface}) {
        // Same size again: a restart recreates these surfaces at these sizes, and growing a buffer from
        // nothing each time would cost more than the rest of the start.
        Surface_create(s, s->width, s->height);
        Surface_set_name(s, "");
    }
}
