#include "gfx/fixed_surfaces.h"

#include <cstring>

#include "core/save_stat.h"
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

// The three surfaces with the record's names for them, in the order a restore reloads them.
struct SurfaceField {
    Surface* surface;
    char (SaveStat::*name)[SAVE_PATH_SIZE];
};
const SurfaceField SURFACES[] = {
    {&BackBuffer, &SaveStat::BS_file},
    {&BackgroundSurface, &SaveStat::BG_file},
    {&PartsSurface, &SaveStat::PT_file},
};

void Load_picture(Surface* s) {
    if (s->PictureName[0] != '\0') PXL_LoadJpeg(s, 0, 0, s->PictureName);
}

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

void Surfaces_save(SaveStat* record) {
    for (const SurfaceField& f : SURFACES)
        Record_put_text(record->*f.name, f.surface->PictureName);
}

void Surfaces_restore(const SaveStat& record) {
    for (const SurfaceField& f : SURFACES)
        Load_picture(f.surface);
    for (const SurfaceField& f : SURFACES) {
        Surface_set_name(f.surface, record.*f.name);
        Load_picture(f.surface);
    }
}
