#include "core/file_io.h"

#include "core/dialogs.h"
#include "core/path.h"
#include "core/sjis.h"
#include "platform/host_files.h"

bool File_read_all(const char* path, void* dest, size_t capacity, size_t* file_size) {
    std::string host;
    return Game_path(path, &host) && Host_read_prefix(host, dest, capacity, file_size);
}

bool File_exists(const char* path) {
    std::string host;
    return Game_path(path, &host) && Host_is_file(host);
}

FileRead File_read_bytes(const char* path, std::vector<uint8_t>* out, size_t limit) {
    out->clear();
    std::string host;
    if (!Game_path(path, &host)) return FileRead::Outside;
    switch (Host_read_file(host, out, limit)) {
    case HostRead::Ok:
        return FileRead::Ok;
    case HostRead::TooLarge:
        return FileRead::TooLarge;
    case HostRead::CannotOpen:
        break;
    }
    return FileRead::CannotOpen;
}

void File_report_outside(const char* path, const char* caption) {
    const std::string text =
        "ファイル【 " + Sjis_to_utf8(path) + " 】はゲームのフォルダの外を指しているので、開きません。";
    Msg_box(text.c_str(), caption);
}
