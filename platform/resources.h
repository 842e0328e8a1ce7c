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

// Reads a whole file into `buffer` (at most `capacity` bytes). Returns the
// number of bytes read, or -1 when the file cannot be opened or is larger
// than `capacity`.
long readFile(const char* path, uint8_t* buffer, size_t capacity);
// Reads `count` bytes from `offset` of a file into `buffer`. Returns the
// number of bytes read (fewer at the end of the file), or -1 when the file
// cannot be opened or read.
long readFileRange(const char* path, uint64_t offset, uint8_t* buffer, size_t count);
// Size of a file in bytes, or -1.
long fileSize(const char* path);

}  // namespace plat
