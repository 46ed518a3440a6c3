#pragma once

#include "league/TolvikExport.h"

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Storage for the statistic lines of one reading: large chunks of bytes that the reader fills
// with line objects, all released together with the arena. Only trivially destructible types
// go in, so nothing needs to run when the chunks go.
class TOLVIK_EXPORT StatLineArena {
  public:
    StatLineArena() = default;
    StatLineArena(const StatLineArena&) = delete;
    StatLineArena& operator=(const StatLineArena&) = delete;

    // Room for `bytes` bytes, aligned for any fundamental type.
    std::byte* Allocate(std::size_t bytes);
    // Lets every line go, keeping the chunks for the lines to come: reading a file again
    // then writes over memory already in use instead of having the system clear fresh pages.
    void Rewind();

    // Builds a T at place, inside a run of this arena.
    template <typename T, typename... Args> static T* MakeAt(std::byte* place, Args&&... args) {
        static_assert(std::is_trivially_destructible_v<T>, "the arena never runs destructors");
        static_assert(alignof(T) <= alignof(std::max_align_t), "room is aligned for fundamental types");
        return ::new (static_cast<void*>(place)) T(std::forward<Args>(args)...);
    }

  private:
    struct Chunk {
        std::unique_ptr<std::byte[]> bytes;
        std::size_t size;
    };
    std::vector<Chunk> chunks_;
    std::size_t nextChunk_ = 0; // the first chunk not yet handed out since the last Rewind
    std::byte* free_ = nullptr; // the unused end of the chunk being filled
    std::size_t freeBytes_ = 0;
};
