#include "platform/headless/scenario.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "platform/platform.h"

namespace {

const char* const CONDITIONS[] = {"halt", "wait", "page", "select", "keywait", "menu", "title", "exit"};

bool Parse_number(const std::string& word, long long low, long long high, long long* value) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high) return false;
    *value = v;
    return true;
}

// The player settings `set` knows, with what each takes.
bool Setting_valid(const std::string& name, const std::string& value) {
    long long v = 0;
    if (name == "text-click") return value == "on" || value == "off";
    if (name == "skip-mode") return value == "read" || value == "all";
    if (name == "text-speed") return value == "instant" || Parse_number(value, 25, 200, &v);
    if (name == "auto-pace") return Parse_number(value, 25, 400, &v);
    return false;
}

bool Parse_point(std::istringstream& in, ScenarioCommand* c) {
    std::string xs, ys;
    long long x, y;
    if (!(in >> xs >> ys) || !Parse_number(xs, 0, WINDOW_WIDTH - 1, &x) ||
        !Parse_number(ys, 0, WINDOW_HEIGHT - 1, &y))
        return false;
    c->x = int(x);
    c->y = int(y);
    return true;
}

// The rest of the line after the command word, without surrounding blanks.
std::string Rest(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    size_t a = rest.find_first_not_of(" \t");
    size_t b = rest.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : rest.substr(a, b - a + 1);
}

} // namespace

int Scenario_key_code(const std::string& name) {
    if (name == "Return") return KEY_RETURN;
    if (name == "space") return KEY_SPACE;
    if (name == "Escape") return KEY_ESCAPE;
    if (name == "shift") return KEY_SHIFT;
    if (name == "ctrl") return KEY_CONTROL;
    static const struct {
        const char* name;
        int key;
    } NAMED[] = {{"Up", KEY_UP},
                 {"Down", KEY_DOWN},
                 {"Left", KEY_LEFT},
                 {"Right", KEY_RIGHT},
                 {"F1", KEY_F1},
                 {"PageUp", KEY_PAGEUP},
                 {"PageDown", KEY_PAGEDOWN},
                 {"plus", KEY_PLUS},
                 {"minus", KEY_MINUS},
                 {"F2", KEY_F2},
                 {"F3", KEY_F3},
                 {"F4", KEY_F4},
                 {"F5", KEY_F5},
                 {"F12", KEY_F12}};
    for (const auto& n : NAMED)
        if (name == n.name) return n.key;
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
        return std::tolower(static_cast<unsigned char>(name[0]));
    return 0;
}

bool Scenario_parse(const std::string& source, std::vector<ScenarioCommand>* out, std::string* error) {
    std::istringstream lines(source);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream in(line);
        std::string word;
        if (!(in >> word)) continue;
        ScenarioCommand c;
        c.line = number;
        bool ok = true;
        std::string extra;
        long long v = 0;
        if (word == "run") {
            std::string ms;
            ok = (in >> ms) && Parse_number(ms, 0, UINT32_MAX, &v);
            c.kind = ScenarioCommand::Run;
            c.ms = uint32_t(v);
        } else if (word == "move") {
            c.kind = ScenarioCommand::Move;
            ok = Parse_point(in, &c);
        } else if (word == "down" || word == "up" || word == "rdown" || word == "rup") {
            c.kind = (word == "down" || word == "rdown") ? ScenarioCommand::Down : ScenarioCommand::Up;
            c.button = word[0] == 'r' ? 2 : 1;
            ok = Parse_point(in, &c);
        } else if (word == "click" || word == "rclick" || word == "middle") {
            c.button = word[0] == 'r' ? 2 : word[0] == 'm' ? 3 : 1;
            if (!Parse_point(in, &c)) {
                ok = false;
            } else {
                c.kind = ScenarioCommand::Down;
                out->push_back(c);
                ScenarioCommand wait = c;
                wait.kind = ScenarioCommand::Run;
                wait.ms = 50;
                out->push_back(wait);
                c.kind = ScenarioCommand::Up;
            }
        } else if (word == "key" || word == "hold" || word == "release") {
            std::string name;
            c.kind = word == "key"    ? ScenarioCommand::Key
                     : word == "hold" ? ScenarioCommand::Hold
                                      : ScenarioCommand::Release;
            ok = (in >> name) && (c.key = Scenario_key_code(name)) != 0;
        } else if (word == "answer") {
            c.kind = ScenarioCommand::Answer;
            ok = (in >> c.text) && (c.text == "ok" || c.text == "yes" || c.text == "no");
        } else if (word == "input") {
            c.kind = ScenarioCommand::Input;
            c.text = Rest(in);
        } else if (word == "input-cancel") {
            c.kind = ScenarioCommand::InputCancel;
        } else if (word == "skip" || word == "auto") {
            std::string state;
            c.kind = ScenarioCommand::Comfort;
            c.text = word;
            ok = (in >> state) && (state == "on" || state == "off");
            c.x = state == "on";
        } else if (word == "reload") {
            c.kind = ScenarioCommand::Comfort;
            c.text = word;
            c.x = 1;
        } else if (word == "set") {
            c.kind = ScenarioCommand::Set;
            ok = (in >> c.text >> c.value) && Setting_valid(c.text, c.value);
        } else if (word == "wheel") {
            std::string n;
            c.kind = ScenarioCommand::Wheel;
            ok = (in >> n) && Parse_number(n, -100, 100, &v) && v != 0;
            c.y = int(v);
        } else if (word == "music-end") {
            c.kind = ScenarioCommand::MusicEnd;
        } else if (word == "shot") {
            c.kind = ScenarioCommand::Shot;
            c.text = Rest(in);
            ok = !c.text.empty();
        } else if (word == "until") {
            c.kind = ScenarioCommand::Until;
            c.ms = 60000;
            ok = false;
            if (in >> c.text)
                for (const char* known : CONDITIONS)
                    ok = ok || c.text == known;
            std::string ms;
            if (ok && (in >> ms)) {
                ok = Parse_number(ms, 0, UINT32_MAX, &v);
                c.ms = uint32_t(v);
            }
        } else {
            *error = "line " + std::to_string(number) + ": unknown command \"" + word + "\"";
            return false;
        }
        // Anything left on the line is a mistake, except for the commands that take the rest whole.
        if (ok && c.kind != ScenarioCommand::Input && c.kind != ScenarioCommand::Shot && (in >> extra))
            ok = false;
        if (!ok) {
            *error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
        out->push_back(c);
    }
    return true;
}
