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
            AddBlock(nextBlockSize_);
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
    // A block of its own, so the fresh nodes of the current block stay where they are.
    return runs_.Allocate(count);
}

void StatNodePool::AddBlock(std::size_t count) {
    blocks_.push_back(std::make_unique_for_overwrite<StatListNode[]>(count));
    nextFresh_ = blocks_.back().get();
    freshLeft_ = count;
    nextBlockSize_ = std::min<std::size_t>(count * 2, std::size_t{1} << 16);
}
