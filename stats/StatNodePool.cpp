#include "stats/StatNodePool.h"

#include "stats/StatList.h"

#include <algorithm>

StatNodePool::StatNodePool() = default;
StatNodePool::~StatNodePool() = default;

StatListNode* StatNodePool::Allocate() {
    StatListNode* node;
    if (freeList_) {
        node = freeList_;
        freeList_ = node->next;
    } else {
        if (freshLeft_ == 0)
            NextBlock(1);
        node = nextFresh_++;
        --freshLeft_;
    }
    node->item = nullptr;
    node->prev = nullptr;
    node->next = nullptr;
    return node;
}

void StatNodePool::Release(StatListNode* node) {
    if (discarding_)
        return;
    // Only the next pointer matters on the free list.
    node->next = freeList_;
    freeList_ = node;
}

StatListNode* StatNodePool::AllocateRun(std::size_t count) {
    if (count > freshLeft_)
        NextBlock(count);
    StatListNode* run = nextFresh_;
    nextFresh_ += count;
    freshLeft_ -= count;
    return run;
}

void StatNodePool::Rewind() {
    nextBlock_ = 0;
    freeList_ = nullptr;
    nextFresh_ = nullptr;
    freshLeft_ = 0;
    discarding_ = false;
}

void StatNodePool::NextBlock(std::size_t count) {
    // A kept block too small for the run stays unused until the next Rewind.
    while (nextBlock_ < blocks_.size() && blocks_[nextBlock_].size < count)
        ++nextBlock_;
    if (nextBlock_ == blocks_.size()) {
        const std::size_t size = std::max(count, nextBlockSize_);
        blocks_.push_back({std::make_unique_for_overwrite<StatListNode[]>(size), size});
        nextBlockSize_ = std::min<std::size_t>(size * 2, std::size_t{1} << 16);
    }
    nextFresh_ = blocks_[nextBlock_].nodes.get();
    freshLeft_ = blocks_[nextBlock_].size;
    ++nextBlock_;
}
