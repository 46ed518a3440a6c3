#pragma once

#include "league/TolvikExport.h"
#include "stats/SpareRuns.h"

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
    // count contiguous nodes, their fields unset, for a caller that links whole lists at
    // once. They belong to the pool like any other node (and may be released one by one).
    StatListNode* AllocateRun(std::size_t count);
    // Keeps the largest run of an earlier pool for the next AllocateRun; the lists of that
    // pool must not be used any more (only destroyed, after Discard).
    void TakeSpareRunFrom(StatNodePool& earlier) { runs_.TakeSpareFrom(earlier.runs_); }

    // Called by the owner just before the pool and all its lists go: the lists then need
    // not hand their nodes back one by one.
    void Discard() { discarding_ = true; }
    bool Discarding() const { return discarding_; }

  private:
    void AddBlock(std::size_t count);

    std::vector<std::unique_ptr<StatListNode[]>> blocks_;
    SpareRuns<StatListNode> runs_; // whole lists' runs, each of its own
    StatListNode* freeList_ = nullptr;
    StatListNode* nextFresh_ = nullptr; // untouched nodes of the newest block
    std::size_t freshLeft_ = 0;
    std::size_t nextBlockSize_ = 256;
    bool discarding_ = false;
};
