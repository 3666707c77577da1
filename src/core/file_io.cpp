#include "core/file_io.h"

#include "core/dialogs.h"
#include "core/path.h"
#include "core/sjis.h"
#include "platform/host_files.h"

bool File_read_all(const char* path, void* dest, size_t capacity, size_t* file_size) {
    if (!Path_stays_inside(path)) return false;
    return Host_read_prefix(Path_resolve(path), dest, capacity, file_size);
}

bool File_exists(const char* path) {
    return Host_is_file(Path_resolve(path));
}

FileRead File_read_bytes(const char* path, std::vector<uint8_t>* out, size_t limit) {
    out->clear();
    if (!Path_stays_inside(path)) return FileRead::Outside;
    switch (Host_read_file(Path_resolve(path), out, limit)) {
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
