#include "comforts/settings_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/host_files.h"

namespace {

constexpr size_t FILE_LIMIT = 4096;

struct Field {
    const char* name;
    int low, high;
    int (*get)(const PlayerSettings&);
    void (*set)(PlayerSettings*, int);
    bool optional = false; // files written before it existed lack it
};

const Field FIELDS[] = {
    {"scale", 1, 8, [](const PlayerSettings& s) { return s.scale; },
     [](PlayerSettings* s, int v) { s->scale = v; }},
    {"fullscreen", 0, 1, [](const PlayerSettings& s) { return int(s.fullscreen); },
     [](PlayerSettings* s, int v) { s->fullscreen = v != 0; }},
    {"music", 0, 100, [](const PlayerSettings& s) { return s.volume.music; },
     [](PlayerSettings* s, int v) { s->volume.music = v; }},
    {"effects", 0, 100, [](const PlayerSettings& s) { return s.volume.effects; },
     [](PlayerSettings* s, int v) { s->volume.effects = v; }},
    {"mute", 0, 1, [](const PlayerSettings& s) { return int(s.volume.muted); },
     [](PlayerSettings* s, int v) { s->volume.muted = v != 0; }},
    {"text_click", 0, 1, [](const PlayerSettings& s) { return int(s.text_click); },
     [](PlayerSettings* s, int v) { s->text_click = v != 0; }, true},
    {"text_speed", 0, 200, [](const PlayerSettings& s) { return s.text_speed; },
     [](PlayerSettings* s, int v) { s->text_speed = v; }, true},
    {"auto_pace", 25, 400, [](const PlayerSettings& s) { return s.auto_pace; },
     [](PlayerSettings* s, int v) { s->auto_pace = v; }, true},
    {"skip_read", 0, 1, [](const PlayerSettings& s) { return int(s.skip_read_only); },
     [](PlayerSettings* s, int v) { s->skip_read_only = v != 0; }, true},
    {"reverb", 0, 1, [](const PlayerSettings& s) { return int(s.reverb); },
     [](PlayerSettings* s, int v) { s->reverb = v != 0; }, true},
};
constexpr size_t FIELD_COUNT = sizeof FIELDS / sizeof FIELDS[0];

bool Whole_number(const std::string& text, int low, int high, int* value) {
    if (text.empty() || text.size() > 3) return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < low || v > high) return false;
    *value = v;
    return true;
}

// The last component of an absolute path ("game" for "/" itself).
std::string Folder_name(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const size_t slash = p.find_last_of('/');
    std::string name = slash == std::string::npos ? p : p.substr(slash + 1);
    if (name.empty() || name == "/") return "game";
    if (name[0] == '.') name[0] = '_'; // never a hidden file
    return name;
}

} // namespace

std::string Settings_format(const PlayerSettings& settings) {
    std::string text;
    for (const Field& f : FIELDS)
        text += std::string(f.name) + "=" + std::to_string(f.get(settings)) + "\n";
    return text;
}

bool Settings_parse(const std::string& text, PlayerSettings* out, std::string* error) {
    PlayerSettings read;
    bool seen[FIELD_COUNT] = {};
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const size_t eq = line.find('=');
        size_t i = 0;
        while (i < FIELD_COUNT && (eq == std::string::npos || line.compare(0, eq, FIELDS[i].name) != 0))
            ++i;
        int value = 0;
        if (i == FIELD_COUNT || seen[i] ||
            !Whole_number(line.substr(eq + 1), FIELDS[i].low, FIELDS[i].high, &value)) {
            *error = "line " + std::to_string(number) + " cannot be read";
            return false;
        }
        FIELDS[i].set(&read, value);
        seen[i] = true;
    }
    for (size_t i = 0; i < FIELD_COUNT; ++i)
        if (!seen[i] && !FIELDS[i].optional) {
            *error = std::string("no ") + FIELDS[i].name + " line";
            return false;
        }
    *out = read;
    return true;
}

std::string Settings_path(const std::string& config_folder, const std::string& game_folder) {
    uint32_t hash = 2166136261u; // FNV-1a
    for (unsigned char c : game_folder)
        hash = (hash ^ c) * 16777619u;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", hash);
    return config_folder + "/kotoyumi/" + Folder_name(game_folder) + "-" + hex + ".conf";
}

bool Settings_load(const std::string& path, PlayerSettings* out, std::string* ignored) {
    std::vector<uint8_t> bytes;
    const HostRead read = Host_read_file(path, &bytes, FILE_LIMIT);
    if (read == HostRead::CannotOpen && !Host_exists(path)) return false;
    std::string error = read == HostRead::CannotOpen ? "cannot be read" : "is too large";
    if (read == HostRead::Ok && Settings_parse(std::string(bytes.begin(), bytes.end()), out, &error))
        return true;
    std::fprintf(stderr, "kotoyumi: ignoring the settings file %s: %s\n", path.c_str(), error.c_str());
    if (ignored) *ignored = error;
    return false;
}

void Settings_save(const std::string& path, const PlayerSettings& settings) {
    const std::string folder = path.substr(0, path.find_last_of('/'));
    const std::string text = Settings_format(settings);
    std::string error = "cannot make its folder";
    const std::string config = folder.substr(0, folder.find_last_of('/'));
    if (Host_make_folder(config) && Host_make_folder(folder) &&
        Host_write_file(path, text.data(), text.size(), &error))
        return;
    std::fprintf(stderr, "kotoyumi: cannot write the settings file %s: %s\n", path.c_str(), error.c_str());
}
