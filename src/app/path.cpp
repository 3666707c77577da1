#include "app/path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

#include "app/sjis.h"

namespace {

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool Same_ignoring_ascii_case(const char* a, const std::string& b) {
    size_t n = std::strlen(a);
    if (n != b.size()) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        if (x != y) return false;
    }
    return true;
}

// The entry of `folder` that matches `name` without regard to case, or `name` itself. When several
// match, the one that sorts first wins, so the choice does not depend on directory order.
std::string Match_component(const std::string& folder, const std::string& name) {
    std::string candidate = folder.empty() ? name : folder + "/" + name;
    if (name == "." || name == ".." || Exists(candidate)) return name;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return name;
    std::string best;
    while (const dirent* entry = ::readdir(dir)) {
        if (Same_ignoring_ascii_case(entry->d_name, name) && (best.empty() || best > entry->d_name))
            best = entry->d_name;
    }
    ::closedir(dir);
    return best.empty() ? name : best;
}

}  // namespace

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
        if (name.empty()) continue;  // doubled or leading separators
        std::string folder = result;
        if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        std::string matched = Match_component(folder, name);
        if (!result.empty() && result.back() != '/') result += '/';
        result += matched;
    }
    return result.empty() ? "." : result;
}
