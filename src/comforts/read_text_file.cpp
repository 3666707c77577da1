#include "comforts/read_text_file.h"

#include <cstdio>
#include <vector>

#include "comforts/settings_file.h"
#include "platform/host_files.h"
#include "platform/platform.h"
#include "script/read_text.h"

namespace {

constexpr uint32_t WRITE_EVERY_MS = 60000;
// A 1 MiB script's record takes at most 44 KiB; a game has a few dozen scripts.
constexpr size_t FILE_LIMIT = 16u << 20;

std::string file_path;
uint32_t last_write = 0;

} // namespace

std::string Read_text_path(const std::string& data_home, const std::string& game_folder) {
    std::string path = Settings_path(data_home, game_folder);
    return path.substr(0, path.size() - 5) + ".read";
}

void Read_text_file_use(const std::string& path) {
    file_path = path;
    last_write = Platform_time_ms();
    if (path.empty()) return;
    std::vector<uint8_t> bytes;
    const HostRead read = Host_read_file(path, &bytes, FILE_LIMIT);
    if (read == HostRead::CannotOpen && !Host_exists(path)) return;
    std::string error = read == HostRead::CannotOpen ? "cannot be read" : "is too large";
    if (read == HostRead::Ok && Read_text_decode(std::string(bytes.begin(), bytes.end()), &error)) return;
    std::fprintf(stderr, "kotoyumi: all text counts as unread: the read-text file %s %s\n", path.c_str(),
                 error.c_str());
}

void Read_text_file_tick() {
    if (Platform_time_ms() - last_write >= WRITE_EVERY_MS) Read_text_file_write();
}

void Read_text_file_write() {
    last_write = Platform_time_ms();
    if (file_path.empty() || !Read_text_changed()) return;
    const std::string folder = file_path.substr(0, file_path.find_last_of('/'));
    const std::string bytes = Read_text_encode();
    std::string error = "cannot make its folder";
    if (Host_make_folder(folder.substr(0, folder.find_last_of('/'))) && Host_make_folder(folder) &&
        Host_write_file(file_path, bytes.data(), bytes.size(), &error)) {
        Read_text_mark_kept();
        return;
    }
    std::fprintf(stderr, "kotoyumi: cannot write the read-text file %s: %s\n", file_path.c_str(),
                 error.c_str());
}
