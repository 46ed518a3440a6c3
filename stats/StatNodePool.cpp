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
    // Only the next pointer matters on the free list.
    node->next = freeList_;
    freeList_ = node;
}

void StatNodePool::Reserve(std::size_t count) {
    std::size_t available = freshLeft_;
    for (StatListNode* n = freeList_; n && available < count; n = n->next)
        ++available;
    if (available < count)
        AddBlock(count - available);
}

void StatNodePool::AddBlock(std::size_t count) {
    // The rest of the current block is not lost: it goes onto the free list.
    while (freshLeft_ > 0) {
        Release(nextFresh_++);
        --freshLeft_;
    }
    count = std::max<std::size_t>(count, 1);
    blocks_.push_back(std::make_unique_for_overwrite<StatListNode[]>(count));
    nextFresh_ = blocks_.back().get();
    freshLeft_ = count;
    nextBlockSize_ = std::min<std::size_t>(std::max(nextBlockSize_, count) * 2, std::size_t{1} << 20);
}
