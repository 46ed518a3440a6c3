#include "stats/StatLineArena.h"

#include <algorithm>

void StatLineArena::Reserve(std::size_t bytes) {
    if (capacity_ - used_ < bytes)
        AddBlock(bytes);
}

void StatLineArena::AddBlock(std::size_t atLeast) {
    // Blocks come from operator new[], aligned for every fundamental type.
    std::size_t size = std::max(atLeast, nextBlockSize_);
    blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
    used_ = 0;
    capacity_ = size;
    nextBlockSize_ = std::min<std::size_t>(size * 2, std::size_t{16} << 20);
}
