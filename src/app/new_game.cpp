#include "app/new_game.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/host_files.h"

namespace {

// Copies every file under `from` into `to` (which exists), folders made as met. False with the
// path that failed in *failed.
bool Copy_tree(const std::string& from, const std::string& to, std::string* failed) {
    for (const std::string& name : Host_folder_entries(from)) {
        const std::string source = from + "/" + name, target = to + "/" + name;
        if (Host_is_folder(source)) {
            if (!Host_make_folder(target) || !Copy_tree(source, target, failed)) {
                if (failed->empty()) *failed = target;
                return false;
            }
            continue;
        }
        std::vector<uint8_t> bytes;
        std::string why;
        if (Host_read_file(source, &bytes, SIZE_MAX) != HostRead::Ok) {
            *failed = source + ": cannot be read";
            return false;
        }
        // A new folder: nothing older to keep whole, so each file is written once, unflushed.
        if (!Host_write_new_file(target, bytes.data(), bytes.size(), &why)) {
            *failed = target + ": " + why;
            return false;
        }
    }
    return true;
}

} // namespace

int New_game_main(const std::string& dir) {
    if (Host_exists(dir) && (!Host_is_folder(dir) || !Host_folder_entries(dir).empty())) {
        std::fprintf(
            stderr,
            "kotoyumi: %s exists and is not an empty folder; --new writes only into a new or empty one\n",
            dir.c_str());
        return 2;
    }
    const std::string starter = Host_shipped_folder("starter");
    if (starter.empty()) {
        std::fprintf(stderr,
                     "kotoyumi: the starter game is not beside the engine (share/kotoyumi/starter)\n");
        return 1;
    }
    std::string failed;
    if (!Host_make_folder(dir)) failed = dir + ": cannot make the folder (does its parent exist?)";
    if (!failed.empty() || !Copy_tree(starter, dir, &failed)) {
        std::fprintf(stderr, "kotoyumi: %s\n", failed.c_str());
        return 1;
    }
    std::printf("A new game in %s. Play it:  kotoyumi %s\n"
                "Its scripts are written in UTF-8 in %s/src; after an edit:\n"
                "  kotoyumi --convert %s/src %s && kotoyumi --check --source %s/src %s\n",
                dir.c_str(), dir.c_str(), dir.c_str(), dir.c_str(), dir.c_str(), dir.c_str(), dir.c_str());
    return 0;
}
