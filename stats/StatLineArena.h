#pragma once

#include "league/TolvikExport.h"
#include "stats/SpareRuns.h"

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Storage for the statistic lines of one reading: runs of bytes that the reader fills with
// line objects, all released together with the arena. Only trivially destructible types
// go in, so nothing needs to run when the runs go.
class TOLVIK_EXPORT StatLineArena {
  public:
    StatLineArena() = default;
    StatLineArena(const StatLineArena&) = delete;
    StatLineArena& operator=(const StatLineArena&) = delete;

    // Room for `bytes` bytes, aligned for any line object.
    std::byte* AllocateRun(std::size_t bytes);
    // Keeps the largest run of an earlier arena for the next AllocateRun; nothing may use
    // the lines of that arena any more.
    void TakeSpareRunFrom(StatLineArena& earlier) { runs_.TakeSpareFrom(earlier.runs_); }

    // Builds a T at place, inside a run of this arena.
    template <typename T, typename... Args> static T* MakeAt(std::byte* place, Args&&... args) {
        static_assert(std::is_trivially_destructible_v<T>, "the arena never runs destructors");
        static_assert(alignof(T) <= alignof(std::max_align_t), "runs are aligned for fundamental types");
        return ::new (static_cast<void*>(place)) T(std::forward<Args>(args)...);
    }

  private:
    SpareRuns<std::byte> runs_;
};
