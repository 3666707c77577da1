#include "script/text_settings.h"

#include <cstring>

#include "core/dialogs.h"
#include "core/game_stat.h"
#include "core/word_list.h"
#include "script/backlog.h"
#include "script/parsers.h"
#include "script/save_point.h"
#include "script/script_file.h"

TextSettings Text;

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r + 256 * g + 65536 * b;
}

// Both pitches follow the character size, with truncating integer division.
void Set_size(int32_t size) {
    Text.Font_Size = size;
    Text.Text_X_PITCH = size / 2;
    Text.Text_Y_PITCH = int32_t(int64_t(size) * 130 / 100);
}

} // namespace

void Text_defaults() {
    Text.Text_WAIT = 20;
    Set_size(20);
    Rect_set(&Text.Text_AREA, 20, 20, 620, 460);
    Text_home();
    Text.Text_COLOR1 = Rgb(255, 255, 255);
    Text.Text_COLOR2 = Rgb(30, 30, 30);
    Text.save_point_mode = SAVE_POINT_AUTO;
    std::memset(Game_stat.Flags, 0, sizeof Game_stat.Flags);
}

void Text_home() {
    Backlog_page_break();
    Text.Text_X = Text.Text_AREA.left;
    Text.Text_Y = Text.Text_AREA.top;
}

void Text_save(SaveStat* record) {
    record->Text = Text;
}

void Text_restore(const SaveStat& record) {
    Text = record.Text;
    // Not Text_home: a load starts no page of the backlog.
    Text.Text_X = Text.Text_AREA.left;
    Text.Text_Y = Text.Text_AREA.top;
}

void Com_set_font_size() {
    ++ScriptCursor;
    Set_size(Kaiseki_Num());
}

void Com_set_text_area() {
    ++ScriptCursor;
    const int32_t left = Kaiseki_Num();
    Skip_arg_separators();
    const int32_t top = Kaiseki_Num();
    Skip_arg_separators();
    const int32_t right = Kaiseki_Num();
    Skip_arg_separators();
    const int32_t bottom = Kaiseki_Num();
    if (int64_t(right) - left < 4 * int64_t(Text.Font_Size)) {
        Msg_box("幅が狭いよ～ん", "Com_set_text_area()");
    } else if (int64_t(bottom) - top < Text.Font_Size) {
        Msg_box("高さが狭いよ～ん", "Com_set_text_area()");
    } else {
        Rect_set(&Text.Text_AREA, left, top, right, bottom);
        Text_home();
    }
}

void Com_set_text_wait() {
    ++ScriptCursor;
    const int32_t wait = Kaiseki_Num();
    if (wait < 0) {
        Msg_box("マイナスは駄目よ～ん", "Com_set_text_wait()");
    } else if (wait > 5000) {
        Msg_box("５秒以内にしてねん♪", "Com_set_text_wait()");
    } else {
        Text.Text_WAIT = wait;
    }
}

void Com_set_text_color() {
    ++ScriptCursor;
    int32_t v[6];
    for (int i = 0; i < 6; ++i) {
        if (i > 0) Skip_arg_separators();
        v[i] = Kaiseki_Num();
    }
    for (int32_t value : v) {
        if (value < 0 || value > 255) {
            Msg_box("指定可能な数値は各色 0-255 です", "Com_set_text_color()");
            return;
        }
    }
    Text.Text_COLOR1 = Rgb(uint32_t(v[0]), uint32_t(v[1]), uint32_t(v[2]));
    Text.Text_COLOR2 = Rgb(uint32_t(v[3]), uint32_t(v[4]), uint32_t(v[5]));
}

void Com_save_point() {
    ++ScriptCursor;
    Save_point();
}

void Com_save_point_mode() {
    ++ScriptCursor;
    const int32_t mode = Word_position(SAVE_POINT_MODE_WORDS, Kaiseki_Symbol());
    if (mode < 0)
        Msg_box("セーブポイントモードの指定が不正です。\n暫定的に AUTO として扱います。",
                "Com_save_point_mode()");
    Text.save_point_mode = mode < 0 ? SAVE_POINT_AUTO : mode;
}

void Com_disp_save_point_mode() {
    const char* text = Text.save_point_mode == SAVE_POINT_AUTO ? "セーブポイントモードは AUTO です"
                       : Text.save_point_mode == SAVE_POINT_MANUAL ? "セーブポイントモードは MANUAL です"
                                                                   : "セーブポイントモードは無効な値です";
    Msg_box(text, "Com_disp_save_point_mode()");
}
