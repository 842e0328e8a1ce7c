#include "platform/resources.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace plat {

namespace {
ResourceProvider currentProvider = nullptr;
ResourceStateQuery currentStateQuery = nullptr;
}  // namespace

void setResourceProvider(ResourceProvider provider) {
    currentProvider = provider;
    currentStateQuery = nullptr;
}

void setResourceStateQuery(ResourceStateQuery query) { currentStateQuery = query; }

ResourceState resourceState(const char* name) {
    if (currentStateQuery == nullptr || name == nullptr) return ResourceState::Absent;
    return currentStateQuery(name);
}

bool findResource(const char* name, const uint8_t** data, size_t* size) {
    if (currentProvider == nullptr || name == nullptr) return false;
    return currentProvider(name, data, size);
}

bool pathExists(const char* path) {
    struct stat st;
    return path != nullptr && lstat(path, &st) == 0;
}

FileOpenResult openFile(const char* path, OpenedFile& file) {
    file = OpenedFile{};
    if (path == nullptr || *path == '\0') return FileOpenResult::Absent;
    // Non-blocking, so that opening a pipe with no writer or a device
    // returns at once; the kind is then told from the descriptor itself.
    int fd;
    do {
        fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        switch (errno) {
            case ENOENT:
            case ENOTDIR:
            case ENAMETOOLONG:
                return FileOpenResult::Absent;
            case ELOOP:
            case ENXIO:
            case ENODEV:
            case EISDIR:
                return FileOpenResult::NotRegular;
            case EMFILE:
            case ENFILE:
                // Only worth a word where there is something to open.
                return pathExists(path) ? FileOpenResult::NoDescriptors : FileOpenResult::Absent;
            default:
                return FileOpenResult::Unreadable;
        }
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return FileOpenResult::NotRegular;
    }
    file.fd = fd;
    file.size = static_cast<uint64_t>(st.st_size);
    return FileOpenResult::Opened;
}

bool readOpened(const OpenedFile& file, uint64_t offset, uint8_t* buffer, size_t count) {
    if (file.fd < 0 || (buffer == nullptr && count > 0) || offset > static_cast<uint64_t>(INT64_MAX) ||
        count > static_cast<uint64_t>(INT64_MAX) - offset)
        return false;
    size_t done = 0;
    while (done < count) {
        const ssize_t got = pread(file.fd, buffer + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;  // a failure, or the file is shorter than it was
        done += static_cast<size_t>(got);
    }
    return true;
}

void closeFile(OpenedFile& file) {
    if (file.fd >= 0) close(file.fd);
    file = OpenedFile{};
}

const char* fileOpenResultText(FileOpenResult result) {
    switch (result) {
        case FileOpenResult::Opened:
        case FileOpenResult::Absent:
            return "";
        case FileOpenResult::NotRegular:
            return "not a regular file";
        case FileOpenResult::NoDescriptors:
            return "no file descriptor left to open it";
        case FileOpenResult::Unreadable:
            break;
    }
    return "it cannot be opened";
}

bool haveFileDescriptors(long needed, long& limit) {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) != 0) {
        limit = -1;
        return true;  // nothing known: go ahead
    }
    if (files.rlim_cur != RLIM_INFINITY && files.rlim_cur < static_cast<rlim_t>(needed) &&
        files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max == RLIM_INFINITY || files.rlim_max > static_cast<rlim_t>(needed)
                             ? static_cast<rlim_t>(needed)
                             : files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
        getrlimit(RLIMIT_NOFILE, &files);
    }
    limit = files.rlim_cur == RLIM_INFINITY ? needed : static_cast<long>(files.rlim_cur);
    return limit >= needed;
}

long fileSize(const char* path) {
    struct stat st;
    if (path == nullptr || stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long>(st.st_size);
}

}  // namespace plat
