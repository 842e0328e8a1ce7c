// Large zero-filled blocks (screen-sized surfaces, the present's buffers),
// taken in huge pages where the system offers them. A fresh block is
// otherwise brought in 4 KB page by page on first touch, and on some
// machines (virtual ones above all) those faults cost more than the rest of
// the start-up together.
#pragma once

#include <cstddef>
#include <utility>

namespace plat {

// Blocks from this size on are worth huge pages.
constexpr size_t LargeBlockMinimum = size_t{1} << 20;

// A zero-filled block of at least `bytes`, or nullptr; give it back with
// freeLargeBlock and the same size.
void* allocateLargeBlock(size_t bytes);
void freeLargeBlock(void* block, size_t bytes);

// Brings in the pages of memory someone else allocated (a window's pixel
// buffer) in one call, rather than one fault at a time as they are first
// written. Nothing happens where the system cannot.
void bringInPages(void* memory, size_t bytes);

// An array of `count` zero-initialised elements in one large block.
template <class T>
class LargeArray {
public:
    LargeArray() = default;
    LargeArray(const LargeArray&) = delete;
    LargeArray& operator=(const LargeArray&) = delete;
    LargeArray(LargeArray&& other) noexcept { *this = std::move(other); }
    LargeArray& operator=(LargeArray&& other) noexcept {
        if (this != &other) {
            release();
            std::swap(data_, other.data_);
            std::swap(count_, other.count_);
        }
        return *this;
    }
    ~LargeArray() { release(); }

    // Replaces the contents with `count` zeros; false (and empty) when there
    // is no memory.
    bool assign(size_t count) {
        release();
        if (count == 0) return true;
        data_ = static_cast<T*>(allocateLargeBlock(count * sizeof(T)));
        count_ = data_ != nullptr ? count : 0;
        return data_ != nullptr;
    }
    T* data() { return data_; }
    const T* data() const { return data_; }
    size_t size() const { return count_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }

private:
    void release() {
        if (data_ != nullptr) freeLargeBlock(data_, count_ * sizeof(T));
        data_ = nullptr;
        count_ = 0;
    }
    T* data_ = nullptr;
    size_t count_ = 0;
};

}  // namespace plat
