// Files and folders of the host system, named by host paths (UTF-8, `/` separators). Only regular
// files are opened for reading; nothing here shows a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class HostRead { Ok, CannotOpen, TooLarge };

// Reads the whole regular file at `path` into *out. CannotOpen if it cannot be opened (or is not a
// regular file), TooLarge (with *out emptied) if it holds more than `limit` bytes.
HostRead Host_read_file(const std::string& path, std::vector<uint8_t>* out, size_t limit);

// Reads at most `capacity` bytes from the start of the regular file at `path` into `dest`;
// *file_size (if given) gets the file's whole size. False, `dest` untouched, if it cannot be opened.
bool Host_read_prefix(const std::string& path, void* dest, size_t capacity, size_t* file_size);

// Replaces the file at `path` with n bytes: written to a temporary file beside it (`path` + ".tmp",
// a stale one removed first, made afresh without following a link), flushed to disk and renamed
// over the old one, so a failure never leaves a half-written file and never touches the old one nor
// any file a planted link names. False on failure, with the system's reason in *error if given.
bool Host_write_file(const std::string& path, const void* src, size_t n, std::string* error = nullptr);

// Writes n bytes to a file made afresh at `path`: refused when anything is there already (a link
// included). Not flushed to disk: for files nothing older depends on. False with the reason.
bool Host_write_new_file(const std::string& path, const void* src, size_t n, std::string* error = nullptr);

// Makes the folder `path` (its parent must exist); true if it exists afterwards.
bool Host_make_folder(const std::string& path);

// A file's last-write time in the local time zone.
struct HostLocalTime {
    int year, month, day, hour, minute, second;
};

// The last-write time of whatever is at `path`; false if nothing is there.
bool Host_modified_time(const std::string& path, HostLocalTime* out);

// True if `path` is a regular file that can be opened for reading; otherwise the reason (the
// system's words, or that it is no regular file) in *why if given.
bool Host_is_file(const std::string& path, std::string* why = nullptr);

// True if `path`, with every link in it followed, lies inside the current folder. A name that does
// not exist (yet) is judged by the nearest folder above it that does.
bool Host_inside_current_folder(const std::string& path);

// True if anything exists at `path` (a dangling link included).
bool Host_exists(const std::string& path);

// The entry of `folder` ("" for the current folder) that equals `name` without regard to ASCII
// case; of several, the one that sorts first. False if none does.
bool Host_find_ignoring_case(const std::string& folder, const std::string& name, std::string* entry);

// The names of the entries of `folder` ("" for the current folder), sorted, without "." and "..";
// empty if it cannot be read.
std::vector<std::string> Host_folder_entries(const std::string& folder);

// Makes `path` the current folder. False with the system's reason in *error.
bool Host_change_folder(const std::string& path, std::string* error);

// The current folder's absolute path ("?" if it cannot be told).
std::string Host_current_folder();

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// $HOME/.config; "" when neither can be told. Not made here.
std::string Host_config_folder();

// The user's data folder for the engine's own records: $XDG_DATA_HOME when it is an absolute path,
// else $HOME/.local/share; "" when neither can be told. Not made here.
std::string Host_data_home();

// The folder `name` of the engine's shipped data (the demo, the starter game): beside an installed
// engine `<bin>/../share/kotoyumi/name`, else the build tree's `name` when the engine runs from
// where it was built. "" when neither exists.
std::string Host_shipped_folder(const std::string& name);

// True if `path` is a folder (a link to one counts).
bool Host_is_folder(const std::string& path);
