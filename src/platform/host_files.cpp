#include "platform/host_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

// Opens a regular file for reading; -1 for anything else (a folder opens on Linux but cannot be read),
// with errno telling why (EINVAL for something that is not a regular file).
// Opened without waiting: a FIFO or a device would otherwise block open() until a writer came.
int Open_regular(const std::string& path, struct stat* st) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Reads up to n bytes, riding over interrupted calls; returns how many arrived.
size_t Read_fully(int fd, void* dest, size_t n) {
    size_t done = 0;
    while (done < n) {
        ssize_t got = ::read(fd, static_cast<char*>(dest) + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

// Writes n bytes, riding over interrupted calls. False (errno telling why) if not all went.
bool Write_fully(int fd, const void* src, size_t n) {
    size_t done = 0;
    while (done < n) {
        ssize_t put = ::write(fd, static_cast<const char*>(src) + done, n - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

bool Same_ignoring_ascii_case(const char* a, const std::string& b) {
    size_t n = std::strlen(a);
    if (n != b.size()) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        if (x != y) return false;
    }
    return true;
}

} // namespace

HostRead Host_read_file(const std::string& path, std::vector<uint8_t>* out, size_t limit) {
    struct stat st;
    int fd = Open_regular(path, &st);
    out->clear();
    if (fd < 0) return HostRead::CannotOpen;
    if (static_cast<unsigned long long>(st.st_size) > limit) {
        ::close(fd);
        return HostRead::TooLarge;
    }
    out->resize(static_cast<size_t>(st.st_size));
    out->resize(Read_fully(fd, out->data(), out->size())); // a file that shrank gives what it had
    ::close(fd);
    return HostRead::Ok;
}

bool Host_read_prefix(const std::string& path, void* dest, size_t capacity, size_t* file_size) {
    struct stat st;
    int fd = Open_regular(path, &st);
    if (fd < 0) return false;
    const size_t size = static_cast<size_t>(st.st_size);
    Read_fully(fd, dest, size < capacity ? size : capacity);
    ::close(fd);
    if (file_size) *file_size = size;
    return true;
}

bool Host_write_file(const std::string& path, const void* src, size_t n, std::string* error) {
    const std::string temp = path + ".tmp";
    auto fail = [&](int fd) {
        const int cause = errno != 0 ? errno : EIO;
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        if (error) *error = std::strerror(cause);
        return false;
    };
    // A temporary file left by a crash is removed (if it is a link, the link goes, not what it
    // names), and the new one must be made here: an existing file or a link is never written through.
    errno = 0;
    if (::unlink(temp.c_str()) != 0 && errno != ENOENT) return fail(-1);
    errno = 0;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return fail(-1);
    if (!Write_fully(fd, src, n) || ::fsync(fd) != 0) return fail(fd);
    if (::close(fd) != 0) return fail(-1);
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(-1);
    // The rename itself is made lasting by flushing the folder that holds it.
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool Host_write_new_file(const std::string& path, const void* src, size_t n, std::string* error) {
    errno = 0;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && Write_fully(fd, src, n);
    const int cause = errno != 0 ? errno : EIO;
    if (fd >= 0 && ::close(fd) != 0 && written) {
        if (error) *error = std::strerror(errno);
        return false;
    }
    if (!written && error) *error = std::strerror(cause);
    return written;
}

bool Host_make_folder(const std::string& path) {
    struct stat st;
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Host_modified_time(const std::string& path, HostLocalTime* out) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    struct tm local;
    if (::localtime_r(&st.st_mtime, &local) == nullptr) return false;
    *out = HostLocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                         local.tm_hour,        local.tm_min,     local.tm_sec};
    return true;
}

bool Host_is_file(const std::string& path, std::string* why) {
    struct stat st;
    int fd = Open_regular(path, &st);
    if (fd < 0) {
        if (why) *why = errno == EINVAL ? "not a regular file" : std::strerror(errno);
        return false;
    }
    ::close(fd);
    return true;
}

bool Host_inside_current_folder(const std::string& path) {
    char root[PATH_MAX], real[PATH_MAX];
    if (::realpath(".", root) == nullptr) return false;
    std::string probe = path.empty() ? "." : path;
    while (::realpath(probe.c_str(), real) == nullptr) {
        // Something that is there but leads nowhere is a link whose target is unknown until made.
        struct stat st;
        if ((errno != ENOENT && errno != ENOTDIR) || ::lstat(probe.c_str(), &st) == 0) return false;
        const size_t slash = probe.find_last_of('/');
        probe = slash == std::string::npos ? std::string(".") : probe.substr(0, slash == 0 ? 1 : slash);
    }
    const size_t n = std::strlen(root);
    if (n == 1) return true; // the game is the whole file system
    return std::strncmp(real, root, n) == 0 && (real[n] == '\0' || real[n] == '/');
}

bool Host_exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool Host_find_ignoring_case(const std::string& folder, const std::string& name, std::string* entry) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return false;
    std::string best;
    while (const dirent* e = ::readdir(dir)) {
        if (Same_ignoring_ascii_case(e->d_name, name) && (best.empty() || best > e->d_name)) best = e->d_name;
    }
    ::closedir(dir);
    if (best.empty()) return false;
    *entry = best;
    return true;
}

std::vector<std::string> Host_folder_entries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool Host_change_folder(const std::string& path, std::string* error) {
    if (::chdir(path.c_str()) == 0) return true;
    *error = std::strerror(errno);
    return false;
}

std::string Host_current_folder() {
    char folder[PATH_MAX];
    return ::getcwd(folder, sizeof folder) ? folder : "?";
}

std::string Host_config_folder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config";
    return "";
}

std::string Host_data_home() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share";
    return "";
}

std::string Host_shipped_folder(const std::string& name) {
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        std::string bin(exe, static_cast<size_t>(n));
        bin.erase(bin.find_last_of('/'));
        std::string installed = bin + "/../share/kotoyumi/" + name;
        struct stat st;
        if (stat(installed.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return installed;
    }
#ifdef KOTOYUMI_BUILD_TREE
    std::string built = std::string(KOTOYUMI_BUILD_TREE) + "/" + name;
    struct stat st;
    if (stat(built.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return built;
#endif
    return "";
}

bool Host_is_folder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
