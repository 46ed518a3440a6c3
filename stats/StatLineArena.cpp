#include "stats/StatLineArena.h"

std::byte* StatLineArena::AllocateRun(std::size_t bytes) {
    if (bytes == 0)
        return nullptr;
    // operator new[] aligns for every fundamental type.
    runs_.push_back(std::make_unique_for_overwrite<std::byte[]>(bytes));
    return runs_.back().get();
}
