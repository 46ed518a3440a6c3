#pragma once

#include "stats/StatLineArena.h"
#include "stats/StatList.h"
#include "stats/StatNodePool.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

// A list of the table. Nothing derives from it, so the table may destroy its lists as
// what they are.
struct TableList final : StatList {
    explicit TableList(StatNodePool* pool) : StatList(pool) {}
};

// The statistics of a league's statistics file: a list for each identifier 0..N-1 (players
// and teams) that has lines.
//
// Reading the file costs one pass over its records, which sorts the numbers of the usable
// records into groups of neighbouring owners. The lists of a group are made the first time
// one of them is asked for, each exactly as inserting its lines one by one in file order
// would leave it, order and cursor alike: the window shows one player's lines at a time,
// and only the statistics CGS asks for every list.
//
// Reading again keeps the memory of the reading before (the file's bytes, the lines and the
// nodes) and writes over it. The lines and nodes live in the arena and the pool, which are
// declared first so they outlive the lists.
class StatTable {
  public:
    StatTable() = default;
    StatTable(const StatTable&) = delete;
    StatTable& operator=(const StatTable&) = delete;
    ~StatTable() { nodes_.Discard(); }

    // Reads the statistics file behind the handle (nothing when it is 0) for identifiers
    // 0..ids-1, in place of the reading before, whose lists must not be used any more. A
    // read that fails half-way leaves the records that arrived before it; a trailing
    // partial record is left out.
    void Read(int handle, std::size_t ids);

    // The identifiers the table was read for.
    std::size_t Size() const { return listOf_.size(); }
    // The list of the identifier, made now if this is the first time; null when he has no
    // lines.
    StatList* Find(std::size_t id);

  private:
    void MakeGroup(std::size_t group);
    StatListNode* LinkOwner(StatListNode* nodes, Statistic* const* items, const std::uint8_t* rank,
                            std::size_t count);

    StatNodePool nodes_;
    StatLineArena lines_;
    std::deque<TableList> lists_;      // pointers stay valid as lists are added
    std::vector<std::int32_t> listOf_; // identifier -> index into lists_, or -1 without lines

    std::unique_ptr<std::uint8_t[]> file_; // the statistics file's bytes
    std::size_t fileRoom_ = 0;
    std::size_t bytes_ = 0; // of them read
    int shift_ = 0;         // an owner's group is his identifier >> shift_

    // Each group's record numbers in file order, in a chain of blocks of numbers_.
    std::vector<bool> groupMade_; // the group's lists are made
    std::vector<std::size_t> groupCount_;
    std::vector<std::uint32_t> groupFirst_;
    std::vector<std::uint32_t> groupLast_;
    std::unique_ptr<std::uint32_t[]> numbers_;
    std::unique_ptr<std::uint32_t[]> nextBlock_; // block -> the group's next block
    std::size_t blockRoom_ = 0;
    std::size_t blocksUsed_ = 0;

    // Scratch space for making a group's lists, kept between groups.
    struct Scratch {
        std::vector<std::uint8_t> records;  // the group's records in file order
        std::vector<std::size_t> nodeStart; // owner of the group -> his first node; one more
        std::vector<std::size_t> lineStart; // owner of the group -> his first line byte; one more
        std::vector<std::size_t> nodeFill;
        std::vector<std::size_t> lineFill;
        std::vector<Statistic*> items;       // the group's lines, each owner's in file order
        std::vector<std::uint8_t> rank;      // their ranks
        std::vector<std::uint32_t> position; // one owner's file positions in list order
        std::vector<std::uint8_t> listRank;  // their ranks in list order
    } scratch_;
};
