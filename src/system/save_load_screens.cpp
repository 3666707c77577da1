#include "system/save_load_screens.h"

#include <cstdio>
#include <string>

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/sjis.h"
#include "gfx/text_draw.h"
#include "system/load_game.h"
#include "system/system_window.h"

namespace {

MenuWindow SaveScreen;
MenuWindow LoadScreen;

constexpr uint32_t LABEL_FACE = 0x64FFFF; // pale yellow, as a 0x00BBGGRR colour
constexpr uint32_t LABEL_LIT = 0xFF;      // red
constexpr uint32_t LABEL_SHADOW = 0;

bool Open(MenuWindow* m, const char* picture, int32_t state) {
    if (!System_window_enter(*m, state)) return false;
    Slot_screen_open(m, picture);
    return true;
}

void Close_load_screen() {
    System_window_close(&LoadScreen);
}

std::string Label(int slot) {
    char label[SLOT_LABEL_SIZE];
    Slot_label(slot, label);
    return Sjis_to_utf8(label);
}

} // namespace

MenuLayout Slot_screen_layout(const char* picture) {
    MenuLayout layout = {picture, 300, 200, 900, 600, SLOT_COUNT, {}, 2};
    for (int i = 0; i < SLOT_COUNT; ++i)
        layout.buttons[i] = Rect{20, 30 + 20 * i, 290, 46 + 20 * i};
    return layout;
}

void Slot_screen_open(MenuWindow* m, const char* picture) {
    Menu_open(m, Slot_screen_layout(picture), 170, 120);
    for (int i = 0; i < SLOT_COUNT; ++i) {
        char label[SLOT_LABEL_SIZE];
        Slot_label(i, label);
        TextPut3D(&m->surface, 20, 30 + 20 * i, 16, LABEL_FACE, LABEL_SHADOW, label);
        TextPut3D(&m->surface, 320, 30 + 20 * i, 16, LABEL_LIT, LABEL_SHADOW, label);
    }
}

void Save_screen_open() {
    Open(&SaveScreen, SAVE_SCREEN_PICTURE, 103);
}

void Load_screen_open() {
    Open(&LoadScreen, LOAD_SCREEN_PICTURE, 102);
}

void System_save_task() {
    constexpr const char* CAPTION = "System_save_task()";
    if (!Menu_guard_passed(SaveScreen)) return;
    if (!Menu_cancelled()) {
        const int slot = Menu_paint_buttons(&SaveScreen);
        if (slot < 0) return;
        if (Msg_box_yes_no("Saveしますか？", CAPTION) != BoxAnswer::Yes) return;
        std::string reason;
        if (Slot_write(slot, &reason)) {
            Msg_box(("■SAVEしました\n\n【" + Label(slot) + "】").c_str(), CAPTION);
        } else {
            Msg_box(("セーブできませんでした\n\n【" + Label(slot) + "】\n\n" + reason).c_str(), CAPTION);
        }
    }
    System_window_close(&SaveScreen);
}

void System_load_task() {
    constexpr const char* CAPTION = "System_load_task()";
    if (!Menu_guard_passed(LoadScreen)) return;
    if (Menu_cancelled()) {
        System_window_close(&LoadScreen);
        return;
    }
    const int slot = Menu_paint_buttons(&LoadScreen);
    if (slot < 0) return;
    if (!Load_game_can_try(slot, CAPTION)) return;
    if (Msg_box_yes_no(("■LOADしますか？\n\n【" + Label(slot) + "】").c_str(), CAPTION) != BoxAnswer::Yes)
        return;
    std::string reason;
    const SlotRead read = Load_game(slot, &reason, Close_load_screen);
    if (read == SlotRead::Missing) {
        Msg_box("セーブデータがありません", CAPTION);
    } else if (read == SlotRead::Refused) {
        Load_game_refused(slot, reason, CAPTION);
    }
}

void Save_load_screens_reset() {
    for (MenuWindow* m : {&SaveScreen, &LoadScreen})
        Menu_reset(m);
}
