// Whole-file reading and the file-exists test. Paths are as scripts write them; they go through
// Game_path, so a name that leaves the game folder (by `..`, by being absolute or through a link)
// reads as a file that is not there. These show no messages: callers decide what a false result means.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Reads the file at `path` from its first byte into `dest`, at most `capacity` bytes; adds no
// terminator. *file_size (if given) receives the file's whole size, so a caller can tell that it
// was larger than the buffer. False, with `dest` untouched, if the file cannot be opened.
bool File_read_all(const char* path, void* dest, size_t capacity, size_t* file_size = nullptr);

// True if the file at `path` exists inside the game folder and can be opened for reading.
bool File_exists(const char* path);

// The box for a name that leaves the game folder, under `caption`.
void File_report_outside(const char* path, const char* caption);

// Reads the whole file at `path` into *out (resized to the file's size). Returns FileRead::Ok,
// CannotOpen if it cannot be opened, TooLarge (with *out emptied) if it holds more than `limit`
// bytes, or Outside if the name leaves the game folder.
enum class FileRead { Ok, CannotOpen, TooLarge, Outside };
FileRead File_read_bytes(const char* path, std::vector<uint8_t>* out, size_t limit);
