#include "platform/resources.h"

#include <cstdint>
#include <cstdio>
#include <sys/stat.h>

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

long fileSize(const char* path) {
    struct stat st;
    if (path == nullptr || stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long>(st.st_size);
}

long readFile(const char* path, uint8_t* buffer, size_t capacity) {
    long size = fileSize(path);
    if (size < 0 || static_cast<size_t>(size) > capacity) return -1;
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return -1;
    size_t got = std::fread(buffer, 1, static_cast<size_t>(size), f);
    std::fclose(f);
    return static_cast<long>(got);
}

long readFileRange(const char* path, uint64_t offset, uint8_t* buffer, size_t count) {
    if (path == nullptr || (buffer == nullptr && count > 0) || offset > static_cast<uint64_t>(INT64_MAX)) return -1;
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return -1;
    long got = -1;
    if (fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0) {
        got = static_cast<long>(std::fread(buffer, 1, count, f));
        if (std::ferror(f)) got = -1;
    }
    std::fclose(f);
    return got;
}

}  // namespace plat
