#include "script/save_point.h"

#include "script/text_settings.h"

namespace {
void (*Take)() = nullptr;
} // namespace

void Save_point_set(void (*take)()) {
    Take = take;
}

void Save_point() {
    if (Take) Take();
}

void Save_point_auto() {
    if (Text.save_point_mode == SAVE_POINT_AUTO) Save_point();
}
