// The platform layer: resources built into the program.
//
// When a file cannot be read, the engine asks for a resource of the same name
// (for example "IMAGE/BOSS/BOSS11.BMP"). A provider answers a name with the
// bytes of the whole file. The game installs the provider of its built-in
// asset set; tests install their own fixtures.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat {

// Answers `name` with the file's bytes (valid until the provider is changed)
// or returns false.
using ResourceProvider = bool (*)(const char* name, const uint8_t** data, size_t* size);

// Installing a provider also takes away any state query of the one before.
void setResourceProvider(ResourceProvider provider);
bool findResource(const char* name, const uint8_t** data, size_t* size);

// What a provider can tell of a name without making its bytes: it has none,
// they are ready, or they are being made (asking for them would wait).
enum class ResourceState { Absent, Ready, Coming };
using ResourceStateQuery = ResourceState (*)(const char* name);
// A provider that makes its resources in the background installs this
// beside itself; a loader may then put off what it can have later.
void setResourceStateQuery(ResourceStateQuery query);
// Absent when no query is installed: the provider is only asked for bytes.
ResourceState resourceState(const char* name);

// A file opened for reading, once and without blocking: only a regular file
// is kept open, and everything is read from that one descriptor, so a file
// swapped for another kind (a pipe, a device) while the program runs is
// refused rather than waited on, and one swapped between reads is never
// half one file and half the other.
struct OpenedFile {
    int fd = -1;
    uint64_t size = 0;  // as it was when opened
};
enum class FileOpenResult {
    Opened,
    Absent,         // nothing at the path (or a folder on the way is missing)
    NotRegular,     // a folder, pipe, device, socket or a loop of links
    NoDescriptors,  // the process or the system has no file descriptor left
    Unreadable,     // not permitted, or another failure of the system
};
FileOpenResult openFile(const char* path, OpenedFile& file);
// Reads exactly `count` bytes from `offset`; false when they are not there.
bool readOpened(const OpenedFile& file, uint64_t offset, uint8_t* buffer, size_t count);
void closeFile(OpenedFile& file);
// What a failed open says of the file, for a line on standard error.
const char* fileOpenResultText(FileOpenResult result);

// Whether anything is at the path (of any kind), without opening it.
bool pathExists(const char* path);

// Whether the process may have `needed` file descriptors open at once; the
// soft limit is raised towards the hard one first if need be. `limit` is
// the limit then in force.
bool haveFileDescriptors(long needed, long& limit);

// Size of a regular file in bytes, or -1.
long fileSize(const char* path);

}  // namespace plat
