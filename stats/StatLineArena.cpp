#include "stats/StatLineArena.h"

#include <algorithm>

namespace {
// Lines of a few hundred owners fit a chunk; an owner with more lines gets one of his own.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
constexpr std::size_t kAlign = alignof(std::max_align_t);
} // namespace

std::byte* StatLineArena::Allocate(std::size_t bytes) {
    bytes = (bytes + kAlign - 1) / kAlign * kAlign;
    if (bytes > freeBytes_) {
        // A kept chunk too small for the request stays unused until the next Rewind.
        while (nextChunk_ < chunks_.size() && chunks_[nextChunk_].size < bytes)
            ++nextChunk_;
        if (nextChunk_ == chunks_.size()) {
            // operator new[] aligns for every fundamental type.
            const std::size_t size = std::max(bytes, kChunkBytes);
            chunks_.push_back({std::make_unique_for_overwrite<std::byte[]>(size), size});
        }
        free_ = chunks_[nextChunk_].bytes.get();
        freeBytes_ = chunks_[nextChunk_].size;
        ++nextChunk_;
    }
    std::byte* room = free_;
    free_ += bytes;
    freeBytes_ -= bytes;
    return room;
}

void StatLineArena::Rewind() {
    nextChunk_ = 0;
    free_ = nullptr;
    freeBytes_ = 0;
}
