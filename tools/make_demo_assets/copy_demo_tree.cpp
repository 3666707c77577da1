// Copies the demo's source folder into the game folder. Story scripts are written in UTF-8 in the
// repository, but the engine reads Shift-JIS with CR LF line ends, as the scripts of the games it
// plays have always been; they are converted on the way.
#include "check/source_convert.h"
#include "demo_assets.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

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
    std::string converted;
    std::vector<SourceProblem> problems;
    if (!Source_convert_text(utf8, &converted, &problems)) {
        const SourceProblem& p = problems.front();
        *error = name + ":" + std::to_string(p.line) + ":" + std::to_string(p.column) + ": error: " + p.what;
        return false;
    }
    *sjis = std::move(converted);
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
