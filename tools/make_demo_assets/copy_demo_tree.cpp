// Copies the demo's source folder into the game folder. Story scripts are written in UTF-8 in the
// repository, but the engine reads Shift-JIS with CR LF line ends, as the scripts of the games it
// plays have always been; they are converted on the way.
#include "core/sjis.h"
#include "demo_assets.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

// Describes the first character of `line` that has no Shift-JIS form.
std::string Describe_unconvertible(const std::string& line) {
    size_t pos = 0;
    int column = 1;
    while (pos < line.size()) {
        const size_t start = pos;
        const uint32_t cp = Utf8_next(line, &pos);
        if (!Utf8_to_sjis(line.substr(start, pos - start), nullptr)) {
            char text[96];
            if (cp == 0xFFFD)
                std::snprintf(text, sizeof text, "column %d: bad UTF-8 or U+FFFD", column);
            else
                std::snprintf(text, sizeof text, "column %d: U+%04X has no Shift-JIS form", column,
                              unsigned(cp));
            return text;
        }
        ++column;
    }
    return "text has no Shift-JIS form";
}

bool Read_file(const fs::path& path, std::string* data) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    data->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool Write_file(const fs::path& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), std::streamsize(data.size()));
    return bool(out.flush());
}

// True for the story scripts: files ending in .txt under the top-level txt folder.
bool Is_script(const fs::path& relative) {
    return relative.begin() != relative.end() && *relative.begin() == "txt" && relative.extension() == ".txt";
}

} // namespace

bool Convert_script_text(const std::string& utf8, const std::string& name, std::string* sjis,
                         std::string* error) {
    std::string text = utf8;
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    std::string result;
    size_t start = 0;
    int line_number = 1;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string converted;
        if (!Utf8_to_sjis(line, &converted)) {
            *error = name + ":" + std::to_string(line_number) + ": " + Describe_unconvertible(line);
            return false;
        }
        result += converted;
        if (end < text.size()) result += "\r\n";
        start = end + 1;
        ++line_number;
    }
    *sjis = std::move(result);
    return true;
}

bool Copy_demo_tree(const fs::path& src_dir, const fs::path& out_dir, std::string* error) {
    std::error_code ec;
    if (!fs::is_directory(src_dir, ec)) {
        *error = src_dir.string() + ": not a folder";
        return false;
    }
    // Sorted, so that a run with several faults always reports the same one first.
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(src_dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) files.push_back(it->path());
    if (ec) {
        *error = src_dir.string() + ": " + ec.message();
        return false;
    }
    std::sort(files.begin(), files.end());

    for (const fs::path& file : files) {
        const fs::path relative = file.lexically_relative(src_dir);
        const fs::path target = out_dir / relative;
        std::string data;
        if (!Read_file(file, &data)) {
            *error = file.string() + ": cannot read";
            return false;
        }
        if (Is_script(relative) && !Convert_script_text(data, relative.generic_string(), &data, error))
            return false;
        fs::create_directories(target.parent_path(), ec);
        if (ec || !Write_file(target, data)) {
            *error = target.string() + ": cannot write";
            return false;
        }
    }
    return true;
}
