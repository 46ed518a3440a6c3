#pragma once

#include "stats/StatLineArena.h"
#include "stats/StatList.h"
#include "stats/StatNodePool.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// A list of the table. Nothing derives from it, so the table may destroy its lists as
// what they are.
struct TableList final : StatList {
    explicit TableList(StatNodePool* pool) : StatList(pool) {}
};

// The statistics of one reading of a league's statistics file: a list for each identifier
// 0..N-1 (players and teams) that has lines, the line objects and the list nodes. Most
// identifiers of a league have no lines, and an empty list is never handed out, so only
// the lists with lines are made. The lines and nodes live in the arena and the pool, which
// are declared first so they outlive the lists.
struct StatTable {
    StatNodePool nodes;
    StatLineArena lines;
    std::deque<TableList> lists;      // grows only while the file is read, so pointers stay valid
    std::vector<std::int32_t> listOf; // identifier -> index into lists, -1 without lines

    explicit StatTable(std::size_t ids) : listOf(ids, -1) {}
    StatTable(const StatTable&) = delete;
    StatTable& operator=(const StatTable&) = delete;
    ~StatTable() { nodes.Discard(); }

    // Takes over the large runs of an earlier table for this table's lines and nodes; the
    // earlier table's lists must not be used any more (only destroyed).
    void TakeSpareRunsFrom(StatTable& earlier) {
        nodes.TakeSpareRunFrom(earlier.nodes);
        lines.TakeSpareRunFrom(earlier.lines);
    }

    // The identifiers the table was read for.
    std::size_t Size() const { return listOf.size(); }
    // The list of the identifier, or null when it has no lines.
    StatList* Find(std::size_t id) {
        if (id >= listOf.size() || listOf[id] < 0)
            return nullptr;
        return &lists[static_cast<std::size_t>(listOf[id])];
    }
    // Gives the identifier a list of the linked nodes first..last (from `nodes`).
    void Fill(std::size_t id, StatListNode* first, StatListNode* last, StatListNode* cursor) {
        lists.emplace_back(&nodes);
        listOf[id] = static_cast<std::int32_t>(lists.size() - 1);
        static_cast<StatList&>(lists.back()).Adopt(first, last, cursor);
    }
};
