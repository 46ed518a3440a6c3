#pragma once

#include "league/TolvikExport.h"

#include <cstddef>
#include <memory>
#include <vector>

struct StatListNode;

// A source of list nodes for many lists at once. Nodes are carved from large blocks and
// recycled through a free list, so filling thousands of lists costs a handful of heap
// allocations instead of one per node. Every node goes away with the pool, so the pool
// must outlive the lists that use it.
class TOLVIK_EXPORT StatNodePool {
  public:
    StatNodePool();
    ~StatNodePool();
    StatNodePool(const StatNodePool&) = delete;
    StatNodePool& operator=(const StatNodePool&) = delete;

    // A node with all three pointers null.
    StatListNode* Allocate();
    // Hands a node back for reuse.
    void Release(StatListNode* node);
    // count contiguous nodes, their fields unset, for a caller that links a whole list at
    // once. They belong to the pool like any other node (and may be released one by one).
    StatListNode* AllocateRun(std::size_t count);

    // Called by the owner just before the pool's lists go all at once (with the pool, or
    // before Rewind): the lists then need not hand their nodes back one by one.
    void Discard() { discarding_ = true; }
    bool Discarding() const { return discarding_; }
    // Takes every node back, keeping the blocks for the nodes to come; the lists that used
    // them must be gone (after Discard).
    void Rewind();

  private:
    // Makes at least count fresh nodes ready, in a kept block or a new one.
    void NextBlock(std::size_t count);

    struct Block {
        std::unique_ptr<StatListNode[]> nodes;
        std::size_t size;
    };
    std::vector<Block> blocks_;
    std::size_t nextBlock_ = 0; // the first block not yet handed out since the last Rewind
    StatListNode* freeList_ = nullptr;
    StatListNode* nextFresh_ = nullptr; // untouched nodes of the block being handed out
    std::size_t freshLeft_ = 0;
    std::size_t nextBlockSize_ = 256;
    bool discarding_ = false;
};
