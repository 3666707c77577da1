#include "app/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "app/path.h"

namespace {

// Opens a regular file for reading; -1 for anything else (a folder opens on Linux but cannot be read).
int Open_regular(const std::string& host, struct stat* st) {
    int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

bool File_read_all(const char* path, void* dest, size_t capacity, size_t* file_size) {
    struct stat st;
    int fd = Open_regular(Path_resolve(path), &st);
    if (fd < 0) return false;
    size_t want = static_cast<size_t>(st.st_size) < capacity ? static_cast<size_t>(st.st_size) : capacity;
    size_t done = 0;
    while (done < want) {
        ssize_t got = ::read(fd, static_cast<char*>(dest) + done, want - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    ::close(fd);
    if (file_size) *file_size = static_cast<size_t>(st.st_size);
    return true;
}

bool File_write_all(const char* path, const void* src, size_t n) {
    std::string host = Path_resolve(path);
    std::string temp = host + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < n) {
        ssize_t put = ::write(fd, static_cast<const char*>(src) + done, n - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) break;
        done += static_cast<size_t>(put);
    }
    bool ok = done == n && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), host.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool File_exists(const char* path) {
    struct stat st;
    int fd = Open_regular(Path_resolve(path), &st);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

FileRead File_read_bytes(const char* path, std::vector<uint8_t>* out, size_t limit) {
    struct stat st;
    int fd = Open_regular(Path_resolve(path), &st);
    out->clear();
    if (fd < 0) return FileRead::CannotOpen;
    if (static_cast<unsigned long long>(st.st_size) > limit) {
        ::close(fd);
        return FileRead::TooLarge;
    }
    out->resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < out->size()) {
        ssize_t got = ::read(fd, out->data() + done, out->size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    out->resize(done);  // a file that shrank while being read gives what it had
    ::close(fd);
    return FileRead::Ok;
}
