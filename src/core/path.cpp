#include "core/path.h"

#include "core/sjis.h"
#include "platform/host_files.h"

namespace {

// The entry of `folder` that matches `name`: itself where it exists, else one that differs only in
// ASCII case, else `name` as written (so new files can be made).
std::string Match_component(const std::string& folder, const std::string& name) {
    std::string candidate = folder.empty() ? name : folder + "/" + name;
    std::string entry;
    if (name == "." || name == ".." || Host_exists(candidate)) return name;
    return Host_find_ignoring_case(folder, name, &entry) ? entry : name;
}

} // namespace

std::string Path_resolve(const char* script_path) {
    std::string path = Sjis_to_utf8(script_path);
    for (char& c : path)
        if (c == '\\') c = '/';

    const bool absolute = !path.empty() && path[0] == '/';
    std::string result = absolute ? "/" : "";
    size_t pos = 0;
    while (pos < path.size()) {
        size_t end = path.find('/', pos);
        if (end == std::string::npos) end = path.size();
        std::string name = path.substr(pos, end - pos);
        pos = end + 1;
        if (name.empty()) continue; // doubled or leading separators
        std::string folder = result;
        if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        std::string matched = Match_component(folder, name);
        if (!result.empty() && result.back() != '/') result += '/';
        result += matched;
    }
    return result.empty() ? "." : result;
}

bool Path_stays_inside(const char* script_path) {
    const std::string path = Sjis_to_utf8(script_path);
    if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return false;
    int depth = 0;
    size_t pos = 0;
    while (pos <= path.size()) {
        size_t end = path.find_first_of("/\\", pos);
        if (end == std::string::npos) end = path.size();
        const std::string name = path.substr(pos, end - pos);
        pos = end + 1;
        if (name == "..") {
            if (--depth < 0) return false;
        } else if (!name.empty() && name != ".") {
            ++depth;
        }
    }
    return true;
}

bool Game_path(const char* script_path, std::string* host) {
    if (!Path_stays_inside(script_path)) return false;
    *host = Path_resolve(script_path);
    return Host_inside_current_folder(*host);
}
