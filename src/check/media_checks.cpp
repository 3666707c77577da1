#include "check/media_checks.h"

#include <cstring>
#include <map>
#include <vector>

#include "check/check_state.h"
#include "check/source_convert.h"
#include "core/file_io.h"
#include "core/path.h"
#include "core/sjis.h"
#include "formats/image_decode.h"
#include "formats/midi_check.h"
#include "formats/wav_check.h"
#include "gfx/picture_load.h"
#include "platform/platform.h"
#include "script/script_file.h"
#include "sound/effects.h"
#include "sound/media_strings.h"
#include "system/menu_window.h"

namespace {

// What became of reading one file: empty `problem` if it is usable.
struct FileVerdict {
    std::string problem;
    int width = 0, height = 0;
};
std::map<std::string, FileVerdict> verdicts;   // by "kind|host path": each file is read once
std::map<std::string, std::string> host_paths; // by path as scripts write it
std::map<std::string, FileRead> script_reads;  // by host path

std::string Shown(const std::string& path) {
    return Sjis_to_utf8(path.c_str());
}

// Reads the file at `path` (as scripts write it), refused above the size its loader refuses; a
// problem if it cannot be read.
bool Read(const std::string& path, size_t limit, std::vector<uint8_t>* bytes, FileVerdict* v) {
    switch (File_read_bytes(path.c_str(), bytes, limit)) {
    case FileRead::Ok:
        return true;
    case FileRead::CannotOpen:
        v->problem = "is not there (names are matched without regard to case)";
        return false;
    case FileRead::TooLarge:
        v->problem = "is too large to read";
        return false;
    case FileRead::Outside:
        v->problem = "lies outside the game folder";
        return false;
    }
    return false;
}

// Path_resolve, once for each path: a name spelt in another case needs a folder listing.
const std::string& Host(const std::string& path) {
    auto [it, fresh] = host_paths.try_emplace(path);
    if (fresh) it->second = Path_resolve(path.c_str());
    return it->second;
}

const FileVerdict& Picture_verdict(const std::string& path, bool bmp_only) {
    auto [it, fresh] = verdicts.try_emplace((bmp_only ? "bmp|" : "picture|") + Host(path));
    FileVerdict& v = it->second;
    if (!fresh) return v;
    std::vector<uint8_t> bytes;
    if (!Read(path, PICTURE_FILE_LIMIT, &bytes, &v)) return v;
    DecodedImage image;
    std::string why;
    if (!(bmp_only ? Bmp_decode : Image_decode)(bytes.data(), bytes.size(), &image, &why)) {
        v.problem = "cannot be decoded as a picture (" + why + ")";
        return v;
    }
    v.width = image.width;
    v.height = image.height;
    return v;
}

const FileVerdict& Sound_verdict(const std::string& path, const char* kind) {
    auto [it, fresh] = verdicts.try_emplace(std::string(kind) + "|" + Host(path));
    FileVerdict& v = it->second;
    if (!fresh) return v;
    std::vector<uint8_t> bytes;
    const size_t limit = !std::strcmp(kind, "wav")    ? WAV_FILE_LIMIT
                         : !std::strcmp(kind, "midi") ? MIDI_FILE_LIMIT
                                                      : MP3_FILE_LIMIT;
    if (!Read(path, limit, &bytes, &v)) return v;
    if (!std::strcmp(kind, "wav")) {
        if (const char* why = Wav_problem(bytes.data(), bytes.size()))
            v.problem = std::string("cannot play: ") + why;
    } else if (!Media_starts_like(!std::strcmp(kind, "midi") ? MusicKind::Midi : MusicKind::Mp3, bytes.data(),
                                  bytes.size())) {
        v.problem = !std::strcmp(kind, "midi")
                        ? "is not a MIDI file (it does not start with MThd)"
                        : "is not an MP3 file (no ID3 tag or frame header at its start)";
    } else if (!std::strcmp(kind, "midi")) {
        if (const char* why = Midi_problem(bytes.data(), bytes.size()))
            v.problem = std::string("cannot play: ") + why;
    }
    return v;
}

// The picture's problem, or one with its size; empty if it is fine.
std::string Picture_problem(const std::string& path, int need_w, int need_h, const char* why, bool bmp_only) {
    Check.pictures.insert(Host(path));
    const FileVerdict& v = Picture_verdict(path, bmp_only);
    if (!v.problem.empty()) return v.problem;
    if (v.width < need_w || v.height < need_h)
        return "is " + std::to_string(v.width) + "x" + std::to_string(v.height) + "; " + why +
               " needs at least " + std::to_string(need_w) + "x" + std::to_string(need_h);
    return "";
}

} // namespace

bool Check_picture(int32_t at, const std::string& path, int need_w, int need_h, const char* why) {
    const size_t n = path.size();
    const std::string ending = path.substr(n >= 4 ? n - 4 : 0);
    if (ending != ".jpg" && ending != ".JPG" && ending != ".bmp" && ending != ".BMP") {
        Check_error(at, Check.command + ": picture " + Shown(path) +
                            " must end in .bmp, .BMP, .jpg or .JPG (exactly)");
        return false;
    }
    const std::string problem = Picture_problem(path, need_w, need_h, why, false);
    if (!problem.empty()) Check_error(at, Check.command + ": picture " + Shown(path) + " " + problem);
    return problem.empty();
}

void Check_background_picture(int32_t at, const std::string& path) {
    if (!Check_picture(at, path)) return;
    const FileVerdict& v = Picture_verdict(path, false);
    if (v.width < WINDOW_WIDTH || v.height < WINDOW_HEIGHT)
        Check.small_background = {at, Check.command + ": picture " + Shown(path) + " is " +
                                          std::to_string(v.width) + "x" + std::to_string(v.height) +
                                          ", smaller than the 640x480 background: the picture before it "
                                          "still shows around it"};
}

void Check_engine_picture(const std::string& path, int need_w, int need_h, const char* why) {
    const std::string problem = Picture_problem(path, need_w, need_h, why, true);
    if (problem.empty()) return;
    Place p;
    p.file = -1; // before every script
    p.name = Host(path);
    if (p.name.rfind("./", 0) == 0) p.name.erase(0, 2);
    Findings_add(p, Severity::Error, "picture " + Shown(path) + " " + problem);
}

void Check_menu_picture(const MenuLayout& layout) {
    Check_engine_picture(std::string(".\\gdat\\") + layout.picture, layout.looks * layout.width,
                         layout.height, "its menu window");
}

void Check_effect(int32_t at, const std::string& path) {
    Check.sounds.insert(Host(path));
    const FileVerdict& v = Sound_verdict(path, "wav");
    if (!v.problem.empty()) Check_error(at, Check.command + ": sound " + Shown(path) + " " + v.problem);
}

void Check_music(int32_t at, const std::string& path, bool midi) {
    Check.sounds.insert(Host(path));
    const FileVerdict& v = Sound_verdict(path, midi ? "midi" : "mp3");
    if (!v.problem.empty()) Check_error(at, Check.command + ": music " + Shown(path) + " " + v.problem);
}

FileRead Check_script_file(const std::string& path, std::string* host) {
    *host = Host(path);
    if (const SourceScript* s = Source_standing_in(*host))
        return s->sjis.size() > size_t(SCRIPT_BUFFER_SIZE) ? FileRead::TooLarge : FileRead::Ok;
    auto [it, fresh] = script_reads.try_emplace(*host);
    if (fresh) {
        std::vector<uint8_t> bytes;
        it->second = File_read_bytes(path.c_str(), &bytes, SCRIPT_BUFFER_SIZE);
    }
    return it->second;
}

void Media_checks_reset() {
    verdicts.clear();
    host_paths.clear();
    script_reads.clear();
}
