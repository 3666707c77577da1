#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/headless/headless.h"

#include "formats/png_file.h"
#include "platform/event_mapping.h"
#include "platform/headless/scenario.h"

namespace {

struct InputAnswer {
    std::string text;
    bool cancelled = false;
};

struct State {
    uint32_t clock = 0;
    bool window = false;
    std::vector<uint32_t> picture;
    bool keep_picture = false;    // the run writes shots (else, with recording off, none is kept)
    bool picture_current = false; // `picture` is the picture presented last
    int presents = 0;
    std::deque<PlatformEvent> events;
    std::deque<BoxAnswer> answers;
    BoxAnswer unqueued_answer = BoxAnswer::No; // a yes/no box's answer when none is queued
    std::deque<InputAnswer> inputs;
    bool input_in_window = false; // tests of the name dialog: it runs on queued events instead
    bool text_input = false;
    std::set<int> keys;
    uint32_t mouse = 0;               // MK_LBUTTON / MK_RBUTTON held
    int mouse_x = 320, mouse_y = 240; // where the last mouse event was
    bool recording = true;            // keep boxes and log lines for Headless_boxes / Headless_log_lines
    std::vector<RecordedBox> boxes;
    std::vector<std::string> log_lines;
    FILE* log_file = nullptr;
    std::string log_name;    // as the runner was given it, for the message when it cannot be written
    bool log_failed = false; // a line could not be written: the run ends with 1
    HeadlessProbe probe;

    // Scenario: commands and where we are in them.
    bool scripted = false;
    std::vector<ScenarioCommand> commands;
    size_t next = 0;
    uint32_t budget = 0; // virtual ms left of the current run / until
    const ScenarioCommand* until = nullptr;
    std::string base_dir;    // the folder relative scenario paths start from
    std::string events_name; // the scenario file as the runner was given it, for messages

    // Playing on its own.
    bool autoplay = false;
    uint32_t max_ms = 600000;
    std::string shots_dir;
    bool waiting_seen = false;
    uint32_t waiting_since = 0;
    bool release_pending = false;
    uint32_t release_at = 0;
    int release_x = 0, release_y = 0;
    int shots = 0;

    bool quitting = false;
    int quit_code = 0;
    int scale = 1; // the window mode the engine last asked for
    bool fullscreen = false;
};

State S;

void Quit(int code) {
    S.quitting = true;
    S.quit_code = code;
}

// A log that cannot be written (a full disk, a closed pipe) is said once and ends the run with 1:
// a run whose record is lost must not look like one that passed.
void Log_failed() {
    if (S.log_failed) return;
    S.log_failed = true;
    std::fprintf(stderr, "kotoyumi: cannot write the log %s: %s\n", S.log_name.c_str(), std::strerror(errno));
    if (!S.quitting) Quit(1);
}

void Log(const std::string& line) {
    std::string stamped = std::to_string(S.clock) + " " + line;
    if (S.recording) S.log_lines.push_back(stamped);
    if (S.log_file && !S.log_failed) {
        errno = 0;
        if (std::fputs(stamped.c_str(), S.log_file) == EOF || std::fputc('\n', S.log_file) == EOF ||
            std::fflush(S.log_file) == EOF)
            Log_failed();
    }
}

uint32_t Modifier_bits() {
    return (S.keys.count(KEY_SHIFT) ? MK_SHIFT : 0) | (S.keys.count(KEY_CONTROL) ? MK_CONTROL : 0);
}

void Push_mouse(EventType type, int button, int x, int y) {
    const uint32_t bit = Event_button_bit(button);
    if (type == EventType::MouseDown) S.mouse |= bit;
    if (type == EventType::MouseUp) S.mouse &= ~bit;
    PlatformEvent e;
    e.type = type;
    e.button = button;
    e.x = x;
    e.y = y;
    e.buttons = S.mouse | Modifier_bits();
    S.events.push_back(e);
    S.mouse_x = x;
    S.mouse_y = y;
}

void Push_key(EventType type, int key) {
    PlatformEvent e;
    e.type = type;
    e.key = key;
    S.events.push_back(e);
}

std::string Relative_to_base(const std::string& path) {
    return path.empty() || path[0] == '/' ? path : S.base_dir + "/" + path;
}

// Writes a shot; one that cannot be written ends the run as a bad scenario would (code 2), so a
// check of the pictures never passes on pictures that were never made. `line` is the scenario line
// that asked for it (0 for the shots the runner takes by itself).
bool Write_shot(const std::string& path, int line = 0) {
    std::vector<uint32_t> black;
    const uint32_t* picture = S.picture.data();
    if (S.picture.empty()) {
        black.assign(size_t(WINDOW_WIDTH) * WINDOW_HEIGHT, 0);
        picture = black.data();
    }
    if (Png_write(path.c_str(), picture, WINDOW_WIDTH, WINDOW_HEIGHT)) return true;
    if (line > 0) {
        std::fprintf(stderr, "kotoyumi: %s: line %d: cannot write the shot %s\n", S.events_name.c_str(), line,
                     path.c_str());
    } else {
        std::fprintf(stderr, "kotoyumi: cannot write the shot %s\n", path.c_str());
    }
    if (!S.quitting) Quit(2);
    return false;
}

// Carries out scenario commands until one needs time to pass (or events to be taken first).
void Step_scenario() {
    while (S.budget == 0 && !S.until && S.events.empty() && !S.quitting) {
        if (S.next >= S.commands.size()) {
            Quit(0); // the scenario ended before the program did
            return;
        }
        const ScenarioCommand& c = S.commands[S.next++];
        switch (c.kind) {
        case ScenarioCommand::Run:
            S.budget = c.ms;
            break;
        case ScenarioCommand::Move:
            Push_mouse(EventType::MouseMove, 0, c.x, c.y);
            break;
        case ScenarioCommand::Down:
            Push_mouse(EventType::MouseDown, c.button, c.x, c.y);
            break;
        case ScenarioCommand::Up:
            Push_mouse(EventType::MouseUp, c.button, c.x, c.y);
            break;
        case ScenarioCommand::Key:
            Push_key(EventType::KeyDown, c.key);
            Push_key(EventType::KeyUp, c.key);
            break;
        case ScenarioCommand::Hold:
            S.keys.insert(c.key);
            break;
        case ScenarioCommand::Release:
            S.keys.erase(c.key);
            break;
        case ScenarioCommand::Answer:
            S.answers.push_back(c.text == "yes"  ? BoxAnswer::Yes
                                : c.text == "no" ? BoxAnswer::No
                                                 : BoxAnswer::Ok);
            break;
        case ScenarioCommand::Input:
            S.inputs.push_back({c.text, false});
            break;
        case ScenarioCommand::InputCancel:
            S.inputs.push_back({"", true});
            break;
        case ScenarioCommand::Comfort:
            if (S.probe.comfort) S.probe.comfort(c.text.c_str(), c.x != 0);
            break;
        case ScenarioCommand::Set:
            if (S.probe.setting) S.probe.setting(c.text.c_str(), c.value.c_str());
            break;
        case ScenarioCommand::Wheel: {
            PlatformEvent e;
            e.type = EventType::MouseWheel;
            e.wheel = c.y;
            e.x = S.mouse_x;
            e.y = S.mouse_y;
            e.buttons = S.mouse | Modifier_bits();
            S.events.push_back(e);
            break;
        }
        case ScenarioCommand::MusicEnd: {
            PlatformEvent e;
            e.type = EventType::MusicNotify;
            S.events.push_back(e);
            break;
        }
        case ScenarioCommand::Shot:
            Write_shot(Relative_to_base(c.text), c.line);
            break;
        case ScenarioCommand::Until:
            S.until = &c;
            S.budget = c.ms;
            break;
        }
    }
}

// What an `until` condition waits for, in words.
std::string Until_waited_for(const std::string& condition) {
    static const std::pair<const char*, const char*> WORDS[] = {{"halt", "the story's halt (#halt)"},
                                                                {"wait", "a click wait (#wait)"},
                                                                {"page", "a page end"},
                                                                {"select", "a choice (#select3)"},
                                                                {"keywait", "a key wait (#wait_kbhit)"},
                                                                {"menu", "the system menu"},
                                                                {"title", "the title menu"},
                                                                {"exit", "the program's end"}};
    for (const auto& [word, text] : WORDS)
        if (condition == word) return text;
    return condition;
}

// An `until` is over when its condition holds (checked between frames), or times out.
void Check_until() {
    if (!S.until) return;
    const char* cond = S.until->text.c_str();
    if (S.probe.condition && S.probe.condition(cond)) {
        S.until = nullptr;
        S.budget = 0;
    } else if (S.budget == 0) {
        // The author learns which line of the scenario gave up and on what.
        const std::string told = "timeout until " + S.until->text + " (scenario line " +
                                 std::to_string(S.until->line) + ": " + std::to_string(S.until->ms) +
                                 " ms without " + Until_waited_for(S.until->text) + ")";
        Log(told);
        std::fprintf(stderr, "kotoyumi: %s\n", told.c_str());
        S.until = nullptr;
        Quit(3);
    }
}

// Playing on its own: a left click 300 ms into every wait for a click.
void Step_autoplay() {
    if (S.release_pending && S.clock >= S.release_at) {
        S.release_pending = false;
        Push_mouse(EventType::MouseUp, 1, S.release_x, S.release_y);
        return;
    }
    if (S.clock >= S.max_ms) {
        Log("timeout max-ms " + std::to_string(S.max_ms));
        Quit(3);
        return;
    }
    int x = 0, y = 0;
    if (S.release_pending || !S.probe.click_target || !S.probe.click_target(&x, &y)) {
        S.waiting_seen = false;
        return;
    }
    if (!S.waiting_seen) {
        S.waiting_seen = true;
        S.waiting_since = S.clock;
    }
    if (S.clock - S.waiting_since < 300) return;
    S.waiting_seen = false;
    if (!S.shots_dir.empty()) {
        char name[32];
        std::snprintf(name, sizeof name, "/click-%04d.png", ++S.shots);
        Write_shot(S.shots_dir + name);
    }
    Push_mouse(EventType::MouseDown, 1, x, y);
    S.release_pending = true;
    S.release_at = S.clock + 50;
    S.release_x = x;
    S.release_y = y;
}

// How far the clock may move now: up to the end of the current run, the next autoplay moment, or
// the autoplay limit.
uint32_t Allowed_advance(uint32_t timeout) {
    uint32_t step = timeout;
    if (S.scripted) step = std::min(step, S.budget);
    if (S.autoplay || !S.scripted) step = std::min(step, S.max_ms > S.clock ? S.max_ms - S.clock : 0u);
    if (S.release_pending) step = std::min(step, S.release_at > S.clock ? S.release_at - S.clock : 0u);
    if (S.waiting_seen) {
        uint32_t due = S.waiting_since + 300;
        step = std::min(step, due > S.clock ? due - S.clock : 0u);
    }
    return step;
}

bool Wait_event(PlatformEvent* event, uint32_t timeout) {
    for (;;) {
        if (S.scripted) {
            Check_until();
            Step_scenario();
        } else if (S.autoplay) {
            Step_autoplay();
        } else if (S.clock >= S.max_ms) {
            Quit(3);
        }
        if (S.quitting) {
            *event = PlatformEvent{};
            event->type = EventType::Quit;
            event->code = S.quit_code;
            S.quitting = false;
            return true;
        }
        if (!S.events.empty()) {
            *event = S.events.front();
            S.events.pop_front();
            return true;
        }
        if (timeout == 0) return false;
        uint32_t step = Allowed_advance(timeout);
        if (step == 0) continue; // something is due now: take it on the next turn
        S.clock += step;
        if (S.scripted) S.budget -= step;
        return false;
    }
}

bool Open_window(const char* title) {
    S.window = true;
    Log("title \"" + Platform_log_escape(title) + "\"");
    return true;
}

bool Has_window() {
    return S.window;
}

void Close(int code) {
    // The last picture of a run tells an author where the story stopped.
    if (!S.shots_dir.empty()) Write_shot(S.shots_dir + "/final.png");
    Log("exit " + std::to_string(code));
    S.window = false;
    if (S.log_file && S.log_file != stdout && std::fclose(S.log_file) != 0) Log_failed();
    S.log_file = nullptr;
}

uint32_t Time_ms() {
    return S.clock;
}

void Present(const uint32_t* picture) {
    S.picture_current = S.recording || S.keep_picture;
    if (S.picture_current) S.picture.assign(picture, picture + size_t(WINDOW_WIDTH) * WINDOW_HEIGHT);
    ++S.presents;
}

// Like the window, the runner takes only the part that changed into the picture it keeps, so its
// pictures show a part that was left out.
void Present_part(const uint32_t* picture, int x, int y, int w, int h) {
    if (!S.picture_current || !(S.recording || S.keep_picture)) return Present(picture);
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = int(std::min<long long>(static_cast<long long>(x) + w, WINDOW_WIDTH));
    const int y1 = int(std::min<long long>(static_cast<long long>(y) + h, WINDOW_HEIGHT));
    for (int row = y0; row < y1 && x0 < x1; ++row)
        std::copy(picture + size_t(row) * WINDOW_WIDTH + x0, picture + size_t(row) * WINDOW_WIDTH + x1,
                  S.picture.begin() + ptrdiff_t(row) * WINDOW_WIDTH + x0);
    ++S.presents;
}

void Set_title(const char* title) {
    Log("title \"" + Platform_log_escape(title) + "\"");
}

bool Key_down(int key) {
    if (key < 0) return (S.mouse & uint32_t(-key)) != 0;
    return S.keys.count(key) != 0;
}

void Text_input(bool on) {
    S.text_input = on;
}

// The null sound driver: there is no device. The engine logs every media string and effect call
// itself; a piece ends only when the scenario says `music-end`.
bool Effect_play(const uint8_t*, size_t, bool) {
    return true;
}
void Effect_stop() {}
bool Music_open(int, const uint8_t*, size_t, MusicKind, char*, size_t) {
    return true;
}
void Music_slot(int) {}
void Audio_volume(int music, int effects) {
    Log("volume music " + std::to_string(music) + " effects " + std::to_string(effects));
}
// The runner has no window: it keeps the mode asked for (the start-up one until then).
void Window_mode(int* scale, bool* fullscreen) {
    *scale = S.scale;
    *fullscreen = S.fullscreen;
}
void Set_window_mode(int scale, bool fullscreen) {
    S.scale = scale;
    S.fullscreen = fullscreen;
}

const PlatformVideo VIDEO = {Open_window, Has_window,  Present,         Present_part,
                             Set_title,   Window_mode, Set_window_mode, Close};
const PlatformInput INPUT = {Time_ms, Wait_event, Key_down, Text_input};
// No device to prepare: the runner's sound is lines of its log.
const PlatformAudio AUDIO = {Effect_play, Effect_stop, Music_open,   Music_slot,
                             Music_slot,  Music_slot,  Audio_volume, nullptr};
const PlatformBackend BACKEND = {&VIDEO, &INPUT, &AUDIO};

} // namespace

const PlatformBackend* Headless_backend() {
    return &BACKEND;
}

BoxAnswer Headless_answer_box(const char* caption, const char* text, BoxKind kind) {
    BoxAnswer a = kind == BoxKind::Ok ? BoxAnswer::Ok : S.unqueued_answer;
    if (!S.answers.empty()) {
        BoxAnswer queued = S.answers.front();
        S.answers.pop_front();
        if (kind == BoxKind::YesNo) a = queued == BoxAnswer::No ? BoxAnswer::No : BoxAnswer::Yes;
    }
    const char* word = a == BoxAnswer::Ok ? "ok" : a == BoxAnswer::Yes ? "yes" : "no";
    Log("box \"" + Platform_log_escape(caption) + "\" \"" + Platform_log_escape(text) + "\" -> " + word);
    if (S.recording) S.boxes.push_back(RecordedBox{S.clock, caption, text, a});
    return a;
}

// The name prompt: the queued answer, as if typed over the preselected default and confirmed.
// With nothing queued the player is taken to accept the default with Enter; `input-cancel` and an
// empty answer give the default as well, as the dialog itself does.
bool Headless_answer_input(const char* default_text, char* result, size_t size) {
    if (S.input_in_window || size == 0) return false;
    std::string answer = default_text;
    if (!S.inputs.empty()) {
        if (!S.inputs.front().cancelled && !S.inputs.front().text.empty()) answer = S.inputs.front().text;
        S.inputs.pop_front();
    }
    Event_copy_text(result, size, answer.c_str());
    Log("input \"" + Platform_log_escape(default_text) + "\" -> \"" + Platform_log_escape(result) + "\"");
    return true;
}

void Headless_log(const char* line_utf8) {
    Log(line_utf8);
}

bool Headless_configure(const HeadlessOptions& options, std::string* error) {
    char cwd[4096];
    S.base_dir = ::getcwd(cwd, sizeof cwd) ? cwd : ".";
    S.max_ms = options.max_ms;
    S.shots_dir = options.shots_dir.empty() ? std::string() : Relative_to_base(options.shots_dir);
    S.keep_picture = !S.shots_dir.empty();
    if (!S.shots_dir.empty()) {
        std::error_code failed;
        std::filesystem::create_directories(S.shots_dir, failed);
        if (failed) {
            *error = "cannot make the shots folder " + options.shots_dir + ": " + failed.message();
            return false;
        }
    }
    S.events_name = options.events_path;
    if (!options.events_path.empty()) {
        std::ifstream in(options.events_path, std::ios::binary);
        if (!in || !std::filesystem::is_regular_file(options.events_path)) {
            *error = "cannot read the scenario " + options.events_path;
            return false;
        }
        std::stringstream source;
        source << in.rdbuf();
        if (!Scenario_parse(source.str(), &S.commands, error)) {
            *error = options.events_path + ": " + *error;
            return false;
        }
        S.scripted = true;
        for (const ScenarioCommand& c : S.commands)
            S.keep_picture |= c.kind == ScenarioCommand::Shot;
    } else {
        S.autoplay = true;
    }
    S.log_name = options.log_path.empty() ? "(standard output)" : options.log_path;
    if (options.log_path.empty()) {
        S.log_file = stdout; // without --log the run is told on standard output
    } else {
        S.log_file = std::fopen(Relative_to_base(options.log_path).c_str(), "w");
        if (!S.log_file) {
            *error = "cannot write the log " + options.log_path;
            return false;
        }
    }
    return true;
}

bool Headless_log_failed() {
    return S.log_failed;
}

void Headless_set_probe(const HeadlessProbe& probe) {
    S.probe = probe;
}

void Headless_reset() {
    if (S.log_file && S.log_file != stdout) std::fclose(S.log_file);
    S = State{};
}

void Headless_set_time(uint32_t ms) {
    S.clock = ms;
}
void Headless_advance(uint32_t ms) {
    S.clock += ms;
}
void Headless_push_event(const PlatformEvent& event) {
    S.events.push_back(event);
}
void Headless_queue_answer(BoxAnswer answer) {
    S.answers.push_back(answer);
}

void Headless_set_key(int key, bool down) {
    if (key < 0) {
        S.mouse = down ? (S.mouse | uint32_t(-key)) : (S.mouse & ~uint32_t(-key));
    } else if (down) {
        S.keys.insert(key);
    } else {
        S.keys.erase(key);
    }
}

const std::vector<RecordedBox>& Headless_boxes() {
    return S.boxes;
}
const std::vector<std::string>& Headless_log_lines() {
    return S.log_lines;
}
const uint32_t* Headless_window_picture() {
    return S.picture.empty() ? nullptr : S.picture.data();
}
int Headless_present_count() {
    return S.presents;
}

void Headless_set_unqueued_answer(BoxAnswer answer) {
    S.unqueued_answer = answer;
}

void Headless_set_recording(bool on) {
    S.recording = on;
}

void Headless_set_input_in_window(bool on) {
    S.input_in_window = on;
}
bool Headless_text_input_on() {
    return S.text_input;
}
