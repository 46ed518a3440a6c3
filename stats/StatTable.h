#pragma once

#include "stats/StatLineArena.h"
#include "stats/StatList.h"
#include "stats/StatNodePool.h"

#include <cstddef>
#include <deque>

// A list of the table. Nothing derives from it, so the table may destroy its lists as
// what they are.
struct TableList final : StatList {
    explicit TableList(StatNodePool* pool) : StatList(pool) {}
};

// The statistics of one reading of a league's statistics file: one list per identifier
// 0..N-1 (players and teams), the line objects and the list nodes. The lines and nodes
// live in the arena and the pool, which are declared first so they outlive the lists.
struct StatTable {
    StatNodePool nodes;
    StatLineArena lines;
    std::deque<TableList> lists; // never resized after the reading, so pointers stay valid

    StatTable() = default;
    StatTable(const StatTable&) = delete;
    StatTable& operator=(const StatTable&) = delete;
    ~StatTable() { nodes.Discard(); }

    std::size_t Size() const { return lists.size(); }
    // Hands the linked nodes first..last (from `nodes`) to the empty list of the id.
    void Fill(std::size_t id, StatListNode* first, StatListNode* last, StatListNode* cursor) {
        static_cast<StatList&>(lists[id]).Adopt(first, last, cursor);
    }
};
