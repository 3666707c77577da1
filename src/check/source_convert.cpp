#include "check/source_convert.h"

#include <cctype>
#include <cstdint>

#include "core/sjis.h"
#include "platform/host_files.h"

namespace {

const std::vector<SourceScript>* standing_in = nullptr;

std::string Lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(uint8_t(c)));
    return text;
}

// The largest source read: four times what the engine plays, whatever the characters.
constexpr size_t SOURCE_LIMIT = 4 * 1048576;

std::string Describe(uint32_t cp) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(cp));
    std::string shown;
    Utf8_append(&shown, cp);
    return std::string(code) + " (" + shown + ") has no Shift-JIS (CP932) form";
}

bool Is_txt(const std::string& name) {
    return name.size() > 4 && Lower(name.substr(name.size() - 4)) == ".txt";
}

// Every `*.txt` below `folder`, relative to it with `/`, sorted folder by folder.
void Find_sources(const std::string& folder, const std::string& relative, std::vector<std::string>* out) {
    const std::string here = relative.empty() ? folder : folder + "/" + relative;
    for (const std::string& name : Host_folder_entries(here)) {
        const std::string path = relative.empty() ? name : relative + "/" + name;
        if (Host_is_folder(folder + "/" + path))
            Find_sources(folder, path, out);
        else if (Is_txt(name))
            out->push_back(path);
    }
}

std::string Without_trailing_slash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// Makes every folder of `relative` (a file's path below `base`, with `/`) that is missing.
bool Make_folders(const std::string& base, const std::string& relative) {
    for (size_t slash = relative.find('/'); slash != std::string::npos; slash = relative.find('/', slash + 1))
        if (!Host_make_folder(base + "/" + relative.substr(0, slash))) return false;
    return true;
}

} // namespace

bool Source_convert_text(const std::string& utf8, std::string* sjis, std::vector<SourceProblem>* problems) {
    const size_t start = utf8.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    sjis->clear();
    sjis->reserve(utf8.size());
    int line = 1, column = 1;
    bool ok = true;
    for (size_t pos = start; pos < utf8.size();) {
        const char byte = utf8[pos];
        if (byte == '\n' || (byte == '\r' && pos + 1 < utf8.size() && utf8[pos + 1] == '\n')) {
            pos += byte == '\r' ? 2 : 1;
            sjis->append("\r\n");
            ++line;
            column = 1;
            continue;
        }
        const size_t at = pos;
        const uint32_t cp = Utf8_next(utf8, &pos);
        const uint16_t code = Cp932_encode_char(cp);
        if (code == 0 && cp != 0) {
            // U+FFFD written out is refused as well: the engine's decoder makes it of bad bytes.
            const bool bad = cp == 0xFFFD && utf8.compare(at, 3, "\xEF\xBF\xBD") != 0;
            problems->push_back({line, column, bad ? "bytes that are not UTF-8" : Describe(cp)});
            ok = false;
        } else {
            if (code > 0xFF) sjis->push_back(char(code >> 8));
            sjis->push_back(char(code & 0xFF));
        }
        ++column;
    }
    return ok;
}

bool Source_convert_folder(const std::string& folder, std::vector<SourceScript>* scripts,
                           std::vector<std::string>* errors) {
    const std::string base = Without_trailing_slash(folder);
    if (!Host_is_folder(base)) {
        errors->push_back(base + ": error: not a folder");
        return false;
    }
    std::vector<std::string> names;
    Find_sources(base, "", &names);
    scripts->clear();
    for (const std::string& name : names) {
        SourceScript script{base + "/" + name, name, ""};
        std::vector<uint8_t> bytes;
        const HostRead read = Host_read_file(script.shown, &bytes, SOURCE_LIMIT);
        if (read != HostRead::Ok) {
            errors->push_back(script.shown + ": error: " +
                              (read == HostRead::TooLarge ? "larger than 4 MiB" : "cannot be read"));
            continue;
        }
        std::vector<SourceProblem> problems;
        if (!Source_convert_text(std::string(bytes.begin(), bytes.end()), &script.sjis, &problems)) {
            for (const SourceProblem& p : problems)
                errors->push_back(script.shown + ":" + std::to_string(p.line) + ":" +
                                  std::to_string(p.column) + ": error: " + p.what);
            continue;
        }
        scripts->push_back(std::move(script));
    }
    if (names.empty()) errors->push_back(base + ": error: no .txt script in the folder");
    return errors->empty();
}

int Source_convert_main(const std::string& source_folder, const std::string& game_folder, FILE* out) {
    std::vector<SourceScript> scripts;
    std::vector<std::string> errors;
    const std::string game = Without_trailing_slash(game_folder);
    size_t written = 0;
    if (Source_convert_folder(source_folder, &scripts, &errors)) {
        // Everything is converted before the first file is written; a write that fails after
        // that leaves each script whole, old or new (each is replaced at once).
        const std::string txt = game + "/txt";
        if (!Host_make_folder(game) || !Host_make_folder(txt))
            errors.push_back(txt + ": error: cannot make the folder");
        for (const SourceScript& s : scripts) {
            std::string why;
            if (!errors.empty()) break;
            if (!Make_folders(txt, s.game) ||
                !Host_write_file(txt + "/" + s.game, s.sjis.data(), s.sjis.size(), &why))
                errors.push_back(txt + "/" + s.game + ": error: cannot write: " + why);
            else
                ++written;
        }
    }
    for (const std::string& line : errors)
        std::fprintf(out, "%s\n", line.c_str());
    if (!errors.empty()) {
        std::fprintf(out, "%zu error%s: %s\n", errors.size(), errors.size() == 1 ? "" : "s",
                     written > 0 ? "the scripts before it were written" : "nothing was written");
        return 1;
    }
    std::fprintf(out, "%zu script%s converted into %s/txt\n", scripts.size(), scripts.size() == 1 ? "" : "s",
                 game.c_str());
    return 0;
}

void Sources_stand_in(const std::vector<SourceScript>* scripts) {
    standing_in = scripts;
}

const SourceScript* Source_standing_in(const std::string& host_path) {
    if (!standing_in) return nullptr;
    const std::string name = Lower(host_path.rfind("./", 0) == 0 ? host_path.substr(2) : host_path);
    for (const SourceScript& s : *standing_in)
        if (name == Lower("txt/" + s.game)) return &s;
    return nullptr;
}
