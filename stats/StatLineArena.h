#pragma once

#include "league/TolvikExport.h"

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Storage for the statistic lines of one reading: lines are placed one after another in
// large blocks and all released together with the arena. Only trivially destructible
// types go in, so nothing needs to run when the blocks go.
class TOLVIK_EXPORT StatLineArena {
  public:
    StatLineArena() = default;
    StatLineArena(const StatLineArena&) = delete;
    StatLineArena& operator=(const StatLineArena&) = delete;

    template <typename T, typename... Args> T* Make(Args&&... args) {
        static_assert(std::is_trivially_destructible_v<T>, "the arena never runs destructors");
        void* place = Allocate(sizeof(T), alignof(T));
        return ::new (place) T(std::forward<Args>(args)...);
    }

    // Makes sure that `bytes` more bytes need no further block.
    void Reserve(std::size_t bytes);

  private:
    void* Allocate(std::size_t size, std::size_t align) {
        std::size_t start = (used_ + align - 1) & ~(align - 1);
        if (start + size > capacity_) {
            AddBlock(size + align);
            start = (used_ + align - 1) & ~(align - 1);
        }
        used_ = start + size;
        return blocks_.back().get() + start;
    }
    void AddBlock(std::size_t atLeast);

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::size_t used_ = 0;
    std::size_t capacity_ = 0;
    std::size_t nextBlockSize_ = 64 * 1024;
};
