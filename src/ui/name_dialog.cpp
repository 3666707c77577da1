// The name prompt: an edit model (characters kept with both their UTF-8 and Shift-JIS forms, so
// the default text goes back byte for byte even where it does not decode), its drawing in the
// style of the engine's message boxes, and the dialog's own event loop.
#include "ui/name_dialog.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/dialogs.h"
#include "core/sjis.h"
#include "platform/platform.h"
#include "ui/ui_host.h"
#include "ui/ui_kit.h"

namespace {

constexpr const char* TITLE = "名前を入力してください";

constexpr int W = 360;
constexpr int H = 148;
constexpr int X = (WINDOW_WIDTH - W) / 2;
constexpr int Y = (WINDOW_HEIGHT - H) / 2;
constexpr int PAD = 16;
constexpr int EDIT_X = X + PAD, EDIT_Y = Y + UI_CAPTION_H + 14, EDIT_W = W - 2 * PAD, EDIT_H = 30;
constexpr int TEXT_INSET = 5; // the text's left edge and the caret's margin inside the edit box
constexpr int NOTE_Y = EDIT_Y + EDIT_H + 6;
constexpr int BUTTON_Y = Y + H - 14 - UI_BUTTON_H;
constexpr int OK_X = X + (W - 2 * UI_BUTTON_W - UI_BUTTON_GAP) / 2;
constexpr int CANCEL_X = OK_X + UI_BUTTON_W + UI_BUTTON_GAP;

enum Button { NO_BUTTON = -1, OK_BUTTON = 0, CANCEL_BUTTON = 1 };

struct Char {
    std::string utf8;
    std::string sjis;
};

struct Edit {
    std::vector<Char> chars;
    size_t caret = 0;
    bool all_selected = false;
    int scroll = 0; // pixels of text scrolled out at the left
    std::string note;
};

// Splits Shift-JIS text into characters; a byte that is no character stays one of its own.
std::vector<Char> Split_sjis(const std::string& sjis) {
    std::vector<Char> chars;
    for (size_t i = 0; i < sjis.size();) {
        const size_t n =
            Cp932_is_lead(uint8_t(sjis[i])) && i + 1 < sjis.size() && Cp932_is_trail(uint8_t(sjis[i + 1]))
                ? 2
                : 1;
        Char c;
        c.sjis = sjis.substr(i, n);
        c.utf8 = Sjis_to_utf8(c.sjis.c_str(), n);
        chars.push_back(c);
        i += n;
    }
    return chars;
}

std::string Utf8_of(const Edit& e, size_t from, size_t to) {
    std::string s;
    for (size_t i = from; i < to; ++i)
        s += e.chars[i].utf8;
    return s;
}

size_t Sjis_size(const Edit& e) {
    size_t n = 0;
    for (const Char& c : e.chars)
        n += c.sjis.size();
    return n;
}

void Clear(Edit* e) {
    e->chars.clear();
    e->caret = 0;
    e->all_selected = false;
}

// Typed text, one character at a time: each either goes in at the caret (replacing the selection)
// or is refused with a note. The bytes # \ / { } ; would act as script when the name is shown,
// and are refused like characters that Shift-JIS cannot hold.
void Type(Edit* e, const std::string& utf8) {
    bool refused = false; // a note from this same text stays up even if later characters go in
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t start = pos;
        const uint32_t cp = Utf8_next(utf8, &pos);
        if (cp < 0x20 || cp == 0x7F) continue;
        Char c;
        c.utf8 = utf8.substr(start, pos - start);
        // Tested on the Shift-JIS form: the yen sign, for one, becomes a backslash there.
        if (!Utf8_to_sjis(c.utf8, &c.sjis) || c.sjis.empty() ||
            (c.sjis.size() == 1 && std::strchr("#\\/{};", c.sjis[0]) != nullptr)) {
            e->note = "「" + c.utf8 + "」は使えない文字です。";
            refused = true;
            continue;
        }
        const size_t kept = e->all_selected ? 0 : Sjis_size(*e);
        if (kept + c.sjis.size() > size_t(NAME_LIMIT)) {
            e->note = "これ以上は入力できません（" + std::to_string(NAME_LIMIT) + " バイトまで）。";
            refused = true;
            continue;
        }
        if (e->all_selected) Clear(e);
        e->chars.insert(e->chars.begin() + long(e->caret), c);
        ++e->caret;
        if (!refused) e->note.clear();
    }
}

void Key(Edit* e, int key) {
    const size_t size = e->chars.size();
    switch (key) {
    case KEY_BACKSPACE:
    case KEY_DELETE:
        if (e->all_selected) {
            Clear(e);
        } else if (key == KEY_BACKSPACE && e->caret > 0) {
            e->chars.erase(e->chars.begin() + long(--e->caret));
        } else if (key == KEY_DELETE && e->caret < size) {
            e->chars.erase(e->chars.begin() + long(e->caret));
        }
        e->note.clear();
        break;
    case KEY_LEFT:
        e->caret = e->all_selected ? 0 : e->caret - (e->caret > 0);
        break;
    case KEY_RIGHT:
        e->caret = e->all_selected ? size : e->caret + (e->caret < size);
        break;
    case KEY_HOME:
        e->caret = 0;
        break;
    case KEY_END:
        e->caret = size;
        break;
    default:
        return;
    }
    e->all_selected = false;
}

// The caret goes to the character boundary nearest to the click.
void Click_text(Edit* e, int x) {
    const int want = x - (EDIT_X + TEXT_INSET) + e->scroll;
    size_t best = 0;
    int best_distance = std::abs(want);
    for (size_t i = 1; i <= e->chars.size(); ++i) {
        const int d = std::abs(Font_measure_utf8(UI_TEXT_FONT, Utf8_of(*e, 0, i)) - want);
        if (d < best_distance) {
            best = i;
            best_distance = d;
        }
    }
    e->caret = best;
    e->all_selected = false;
}

std::string Result(const Edit& e) {
    std::string s;
    for (const Char& c : e.chars)
        s += c.sjis;
    return s;
}

bool In(int x, int y, int left, int top, int w, int h) {
    return Ui_inside(UiRect{left, top, w, h}, x, y);
}

Button Button_at(int x, int y) {
    if (In(x, y, OK_X, BUTTON_Y, UI_BUTTON_W, UI_BUTTON_H)) return OK_BUTTON;
    if (In(x, y, CANCEL_X, BUTTON_Y, UI_BUTTON_W, UI_BUTTON_H)) return CANCEL_BUTTON;
    return NO_BUTTON;
}

// The edit box's inside is drawn on a surface of its own, so text scrolled sideways is clipped to
// the box; the scroll follows the caret.
void Draw_edit(Surface* screen, Edit* e) {
    Surface inside;
    Surface_create(&inside, EDIT_W - 2, EDIT_H - 2);
    Surface_fill(&inside, 0, 0, inside.width, inside.height, UI_WHITE);
    const int room = inside.width - 2 * TEXT_INSET;
    const int caret_px = Font_measure_utf8(UI_TEXT_FONT, Utf8_of(*e, 0, e->caret));
    if (caret_px - e->scroll > room) e->scroll = caret_px - room;
    if (caret_px < e->scroll) e->scroll = caret_px;
    const int tx = TEXT_INSET - 1 - e->scroll;
    const int ty = (inside.height - UI_TEXT_FONT.cell_height) / 2;
    const std::string text = Utf8_of(*e, 0, e->chars.size());
    if (e->all_selected && !e->chars.empty()) {
        Surface_fill(&inside, tx, ty, tx + Font_measure_utf8(UI_TEXT_FONT, text),
                     ty + UI_TEXT_FONT.cell_height, UI_FOCUS);
        Font_draw_utf8(&inside, tx, ty, UI_TEXT_FONT, text, UI_WHITE);
    } else {
        Font_draw_utf8(&inside, tx, ty, UI_TEXT_FONT, text, UI_TEXT);
        Surface_fill(&inside, tx + caret_px, ty, tx + caret_px + 1, ty + UI_TEXT_FONT.cell_height, UI_TEXT);
    }
    Surface_copy(screen, EDIT_X + 1, EDIT_Y + 1, inside.width, inside.height, &inside, 0, 0);
    Ui_frame(screen, UiRect{EDIT_X, EDIT_Y, EDIT_W, EDIT_H}, UI_FOCUS);
}

// Draws the dialog over the current window picture and shows the result; the window picture itself
// is left as it was, so closing the dialog only has to show it again.
void Show(Edit* e, Button hot) {
    Surface screen = Ui_screen();
    Ui_panel(&screen, UiRect{X, Y, W, H}, TITLE);
    Draw_edit(&screen, e);
    if (!e->note.empty()) Font_draw_utf8(&screen, EDIT_X, NOTE_Y, UI_NOTE_FONT, e->note, UI_NOTE);
    Ui_button(&screen, OK_X, BUTTON_Y, "OK", hot == OK_BUTTON, UiButtonLook::Default);
    Ui_button(&screen, CANCEL_X, BUTTON_Y, "ｷｬﾝｾﾙ", hot == CANCEL_BUTTON, UiButtonLook::Plain);
    Platform_present(screen.pixels.data());
}

// The dialog's event loop; true for OK, false for Cancel.
bool Run(Edit* e) {
    Button hot = NO_BUTTON, pressed = NO_BUTTON;
    bool ok = false;
    auto handle = [&](const PlatformEvent& ev) {
        switch (ev.type) {
        case EventType::KeyDown:
            if (ev.key == KEY_RETURN || ev.key == KEY_ESCAPE) {
                ok = ev.key == KEY_RETURN;
                return UiStep::Close;
            }
            Key(e, ev.key);
            break;
        case EventType::TextInput:
            Type(e, ev.text);
            break;
        case EventType::MouseMove:
            hot = Button_at(ev.x, ev.y);
            break;
        case EventType::MouseDown:
            if (ev.button == 1) {
                pressed = Button_at(ev.x, ev.y);
                if (In(ev.x, ev.y, EDIT_X, EDIT_Y, EDIT_W, EDIT_H)) Click_text(e, ev.x);
            }
            break;
        case EventType::MouseUp:
            if (ev.button == 1 && pressed != NO_BUTTON && Button_at(ev.x, ev.y) == pressed) {
                ok = pressed == OK_BUTTON;
                return UiStep::Close;
            }
            pressed = NO_BUTTON;
            break;
        default:
            break;
        }
        return UiStep::Continue;
    };
    return Ui_modal_loop(UiRect{X, Y, W, H}, handle, [&] { Show(e, hot); }) && ok;
}

} // namespace

// What the dialog would refuse is left out and the note is shown in a box.
std::string Name_dialog_typed(const std::string& default_sjis, const std::string& answer_utf8) {
    if (answer_utf8 == Sjis_to_utf8(default_sjis.c_str())) return default_sjis;
    Edit e;
    Type(&e, answer_utf8);
    if (!e.note.empty()) Msg_box(e.note.c_str(), TITLE);
    return e.chars.empty() ? default_sjis : Result(e);
}

std::string Name_dialog(const std::string& default_sjis) {
    if (!Platform_has_window()) return default_sjis; // nobody to ask yet

    Edit e;
    e.chars = Split_sjis(default_sjis);
    e.caret = e.chars.size();
    e.all_selected = !e.chars.empty();
    Platform_text_input(true);
    const bool ok = Run(&e);
    Platform_text_input(false);
    Platform_present(Ui_window_picture());
    return ok && !e.chars.empty() ? Result(e) : default_sjis;
}
