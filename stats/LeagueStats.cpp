// The statistics reading of League: the statistics file, the table of lists and the lookup.
#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "stats/StatCodes.h"
#include "stats/StatTable.h"
#include "stats/StatisticFG.h"
#include "stats/StatisticFumble.h"
#include "stats/StatisticFumbleRec.h"
#include "stats/StatisticInt.h"
#include "stats/StatisticKickRet.h"
#include "stats/StatisticPAT.h"
#include "stats/StatisticPass.h"
#include "stats/StatisticPassRec.h"
#include "stats/StatisticPunt.h"
#include "stats/StatisticPuntRet.h"
#include "stats/StatisticRush.h"
#include "stats/StatisticSack.h"
#include "stats/StatisticSafety.h"
#include "stats/StatisticTackle.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

constexpr int kHeaderSize = 140;
constexpr int kRecordSize = Statistic::kRecordSize;
static_assert(kRecordSize == 2 * Statistic::kRecordWords, "a statistics record is ten 16-bit words");

using namespace statcode;
constexpr int kNone = -1;

// The category of every type code: category + 32 * scope for the three scopes, and the
// two further codes 132 (rushing) and 209 (sacks). Codes of 256 and up are unknown.
constexpr std::array<std::int8_t, 256> MakeCategoryTable() {
    std::array<std::int8_t, 256> table{};
    for (auto& c : table)
        c = kNone;
    for (int scope = 0; scope < 3; ++scope)
        for (int category = 0; category < kCategories; ++category)
            table[static_cast<std::size_t>(category + 32 * scope)] = static_cast<std::int8_t>(category);
    table[kTeamRushing] = kRushing;
    table[kTeamSacks] = kSacks;
    return table;
}
constexpr std::array<std::int8_t, 256> kCategoryOf = MakeCategoryTable();

int CategoryOf(std::uint16_t code) {
    if (code >= kCategoryOf.size())
        return kNone;
    return kCategoryOf[code];
}

// The size of each category's line object; all are multiples of 8, so lines placed one
// after another stay aligned.
constexpr std::array<std::size_t, kCategories> kLineSize = {
    sizeof(StatisticPAT),     sizeof(StatisticFG),     sizeof(StatisticRush),      sizeof(StatisticPass),
    sizeof(StatisticPassRec), sizeof(StatisticInt),    sizeof(StatisticPunt),      sizeof(StatisticPuntRet),
    sizeof(StatisticKickRet), sizeof(StatisticFumble), sizeof(StatisticFumbleRec), sizeof(StatisticSack),
    sizeof(StatisticSafety),  sizeof(StatisticTackle)};
static_assert(std::all_of(kLineSize.begin(), kLineSize.end(),
                          [](std::size_t size) { return size % alignof(Statistic) == 0; }),
              "line objects placed back to back stay aligned");

// A record waiting for its line: where the line goes and the node that will hold it.
struct Pending {
    const std::uint8_t* record;
    StatListNode* node;
    std::byte* line;
};

template <typename Line> void MakeLines(const std::vector<Pending>& pending) {
    std::uint16_t words[Statistic::kRecordWords];
    for (const Pending& p : pending) {
        for (int w = 0; w < Statistic::kRecordWords; ++w)
            words[w] = tolvik::readU16le(p.record + 2 * w);
        p.node->item = StatLineArena::MakeAt<Line>(p.line, words);
    }
}

// Makes the waiting lines category by category: one class at a time keeps the processor's
// guesses about the next class right, which one switch per record in file order does not.
void MakeLines(const std::array<std::vector<Pending>, kCategories>& pending) {
    MakeLines<StatisticPAT>(pending[kExtraPoints]);
    MakeLines<StatisticFG>(pending[kFieldGoals]);
    MakeLines<StatisticRush>(pending[kRushing]);
    MakeLines<StatisticPass>(pending[kPassing]);
    MakeLines<StatisticPassRec>(pending[kReceiving]);
    MakeLines<StatisticInt>(pending[kInterceptions]);
    MakeLines<StatisticPunt>(pending[kPunting]);
    MakeLines<StatisticPuntRet>(pending[kPuntReturns]);
    MakeLines<StatisticKickRet>(pending[kKickReturns]);
    MakeLines<StatisticFumble>(pending[kFumbles]);
    MakeLines<StatisticFumbleRec>(pending[kFumbleRecoveries]);
    MakeLines<StatisticSack>(pending[kSacks]);
    MakeLines<StatisticSafety>(pending[kSafeties]);
    MakeLines<StatisticTackle>(pending[kTackles]);
}

// The known codes in ascending order get the ranks 0..43, so ranks sort as codes do.
constexpr int kRanks = 3 * kCategories + 2;
constexpr std::array<std::uint8_t, 256> MakeRankTable() {
    std::array<std::uint8_t, 256> table{};
    int rank = 0;
    for (std::size_t code = 0; code < table.size(); ++code)
        if (kCategoryOf[code] != kNone)
            table[code] = static_cast<std::uint8_t>(rank++);
    return table;
}
constexpr std::array<std::uint8_t, 256> kRankOf = MakeRankTable();

// The statistics file, read once for both passes over its records.
tolvik::FileBytes ReadStatisticsFile(int handle) {
    tolvik::FileBytes bytes;
    // A read that fails half-way leaves the records that arrived before it.
    if (handle > 0)
        tolvik::ReadFromStart(handle, bytes);
    return bytes;
}

// Calls record(bytes) for every whole record after the header; a trailing partial record
// (or a file shorter than its header) hands out nothing.
template <typename F> void ForEachRecord(const tolvik::FileBytes& file, F&& record) {
    for (std::size_t at = kHeaderSize; at + kRecordSize <= file.size; at += kRecordSize)
        record(file.data.get() + at);
}

// Owners with at most this many lines are sorted by insertion, others by counting.
constexpr std::size_t kShortList = 24;

// Scratch space for ordering one owner's lines, kept between owners.
struct OwnerScratch {
    std::vector<Statistic*> items;       // by file position
    std::vector<std::uint8_t> rank;      // by file position
    std::vector<std::uint32_t> position; // file positions in list order (an owner never has 2^32 lines)
    std::vector<std::uint8_t> listRank;  // ranks in list order
};

// Where inserting the lines one by one in file order (StatList::insert with
// Statistic::Compare) leaves the cursor, as an index into the finished list, given the
// file position and rank of each line of it (ascending rank, equal ranks in file order).
//
// An insertion ahead of every line leaves the cursor alone; every other one moves it: the
// first insertion and an append onto the new line, an insertion in between onto the line
// after it, which is the first line (lowest code, then earliest) of a higher code among
// those read before it. So the last insertion that did not go ahead of every line decides.
std::size_t CursorIndex(const std::uint32_t* position, const std::uint8_t* rank, std::size_t count) {
    std::size_t last = 0;
    std::uint32_t lastPosition = 0;
    std::uint32_t earliestBelow = UINT32_MAX; // earliest line of a lower code
    for (std::size_t s = 0; s < count;) {
        std::size_t e = s;
        for (; e < count && rank[e] == rank[s]; ++e) {
            // The earliest line of a code went ahead of every line when it came after some
            // line (it is not the very first) but after none of a lower or equal code.
            const bool aheadOfAll = e == s && position[e] != 0 && position[e] < earliestBelow;
            if (!aheadOfAll && position[e] >= lastPosition) {
                last = e;
                lastPosition = position[e];
            }
        }
        earliestBelow = std::min(earliestBelow, position[s]);
        s = e;
    }
    for (std::size_t t = last + 1; t < count; ++t)
        if (rank[t] > rank[last] && position[t] < lastPosition)
            return t;
    return last;
}

// Orders an owner's nodes (whose items are in file order) as insertion by code would, links
// them and returns the node under the cursor.
StatListNode* LinkOwner(StatListNode* nodes, std::size_t count, OwnerScratch& scratch) {
    if (scratch.items.size() < count) {
        scratch.items.resize(count);
        scratch.rank.resize(count);
        scratch.position.resize(count);
        scratch.listRank.resize(count);
    }
    Statistic** items = scratch.items.data();
    std::uint8_t* rank = scratch.rank.data();
    std::uint32_t* position = scratch.position.data();
    std::uint8_t* listRank = scratch.listRank.data();

    for (std::size_t s = 0; s < count; ++s) {
        items[s] = nodes[s].item;
        rank[s] = kRankOf[items[s]->type];
    }
    if (count <= kShortList) {
        // A stable insertion sort by code: cheaper than counting on a few lines.
        for (std::size_t s = 0; s < count; ++s) {
            std::size_t t = s;
            for (; t > 0 && listRank[t - 1] > rank[s]; --t) {
                listRank[t] = listRank[t - 1];
                position[t] = position[t - 1];
            }
            listRank[t] = rank[s];
            position[t] = static_cast<std::uint32_t>(s);
        }
    } else {
        // A stable counting sort by code.
        std::array<std::uint32_t, kRanks + 1> start{};
        for (std::size_t s = 0; s < count; ++s)
            ++start[rank[s] + 1u];
        for (std::size_t r = 0; r < kRanks; ++r)
            start[r + 1] += start[r];
        for (std::size_t s = 0; s < count; ++s) {
            const std::uint32_t t = start[rank[s]]++;
            position[t] = static_cast<std::uint32_t>(s);
            listRank[t] = rank[s];
        }
    }
    for (std::size_t t = 0; t < count; ++t) {
        nodes[t].item = items[position[t]];
        nodes[t].prev = t > 0 ? &nodes[t - 1] : nullptr;
        nodes[t].next = t + 1 < count ? &nodes[t + 1] : nullptr;
    }
    return nodes + CursorIndex(position, listRank, count);
}

void DeleteStatTable(StatTable* table) {
    std::unique_ptr<StatTable> owned(table);
}

} // namespace

void League::LoadStatData() {
    statsPending_ = false;
    const std::size_t tableSize = static_cast<std::size_t>(std::max<int>(GetNextPlayerID(), 0));
    auto table = std::make_unique<StatTable>(tableSize);
    // Whatever this reading does not reuse of the earlier one goes when it ends.
    auto earlier = std::move(earlierStats_);

    // The lists come out as inserting the records one by one in file order would leave
    // them, order and cursor alike, but each is built in one go in a stretch of its own:
    // inserting one line at a time walks lists from their front all over the table.
    //
    // First pass: how many lines, and how many bytes of lines, each owner gets.
    std::vector<std::size_t> nodeStart(tableSize + 1, 0);
    std::vector<std::size_t> byteStart(tableSize + 1, 0);
    auto usable = [&](const std::uint8_t* record, int& category, std::size_t& owner) {
        category = CategoryOf(tolvik::readU16le(record));
        owner = tolvik::readU16le(record + 2);
        return category != kNone && owner < tableSize;
    };
    const tolvik::FileBytes file = ReadStatisticsFile(datHandle_);
    ForEachRecord(file, [&](const std::uint8_t* record) {
        int category;
        std::size_t owner;
        if (!usable(record, category, owner))
            return;
        ++nodeStart[owner + 1];
        byteStart[owner + 1] += kLineSize[static_cast<std::size_t>(category)];
    });
    for (std::size_t id = 0; id < tableSize; ++id) {
        nodeStart[id + 1] += nodeStart[id];
        byteStart[id + 1] += byteStart[id];
    }
    const std::size_t lineCount = tableSize > 0 ? nodeStart[tableSize] : 0;
    if (lineCount == 0) {
        stats_ = {table.release(), &DeleteStatTable};
        return;
    }

    // The earlier reading's lines and nodes are written over: reusing its memory spares the
    // system clearing tens of megabytes of fresh pages for every reading.
    if (earlier) {
        table->TakeSpareRunsFrom(*earlier);
        earlier.reset();
    }

    // Second pass: the usable records, sorted into a few dozen groups of neighbouring
    // owners. Lines are then made group by group, so that the stretches being filled at
    // any time are few enough to stay in the cache. The records wait in the upper part of
    // the node run (20 of every 24 bytes): a group is copied out before its nodes are
    // written, and a group's nodes never reach the records of a later group (node k ends
    // at byte 24 (k + 1), record k starts at byte 4 n + 20 k for n nodes, k < n).
    StatListNode* nodes = table->nodes.AllocateRun(lineCount);
    std::byte* bytes = table->lines.AllocateRun(byteStart[tableSize]);
    static_assert(std::is_trivially_copyable_v<StatListNode> && sizeof(StatListNode) >= kRecordSize,
                  "records wait in the node run");
    auto* staged = reinterpret_cast<unsigned char*>(nodes) + lineCount * (sizeof(StatListNode) - kRecordSize);

    const int shift = std::max(0, static_cast<int>(std::bit_width(tableSize)) - 6);
    const std::size_t groups = ((tableSize - 1) >> shift) + 1;
    auto groupStart = [&](std::size_t group) { return nodeStart[std::min(group << shift, tableSize)]; };
    std::vector<std::size_t> stagedEnd(groups);
    for (std::size_t g = 0; g < groups; ++g)
        stagedEnd[g] = groupStart(g);
    // Only what the first pass counted is placed.
    ForEachRecord(file, [&](const std::uint8_t* record) {
        int category;
        std::size_t owner;
        if (!usable(record, category, owner))
            return;
        const std::size_t group = owner >> shift;
        if (stagedEnd[group] < groupStart(group + 1))
            std::memcpy(staged + stagedEnd[group]++ * kRecordSize, record, kRecordSize);
    });

    // Where each owner's next node and line go, and where his stretches end.
    struct Stretch {
        StatListNode* node;
        StatListNode* nodeEnd;
        std::byte* line;
        std::byte* lineEnd;
    };
    std::vector<Stretch> stretch(std::size_t{1} << shift); // the owners of one group
    std::vector<std::uint8_t> group;
    std::array<std::vector<Pending>, kCategories> pending;
    OwnerScratch scratch;
    for (std::size_t g = 0; g < groups; ++g) {
        group.assign(staged + groupStart(g) * kRecordSize, staged + stagedEnd[g] * kRecordSize);
        for (auto& list : pending)
            list.clear();
        const std::size_t firstOwner = g << shift;
        const std::size_t lastOwner = std::min((g + 1) << shift, tableSize);
        for (std::size_t id = firstOwner; id < lastOwner; ++id)
            stretch[id - firstOwner] = {nodes + nodeStart[id], nodes + nodeStart[id + 1],
                                        bytes + byteStart[id], bytes + byteStart[id + 1]};
        // Nodes and line places are handed out in file order, so each owner's nodes hold
        // his lines in file order; the lines are then made by class.
        for (std::size_t at = 0; at < group.size(); at += kRecordSize) {
            const std::uint8_t* record = group.data() + at;
            int category;
            std::size_t owner;
            if (!usable(record, category, owner))
                continue;
            Stretch& s = stretch[owner - firstOwner];
            const std::size_t size = kLineSize[static_cast<std::size_t>(category)];
            if (s.node == s.nodeEnd || static_cast<std::size_t>(s.lineEnd - s.line) < size)
                continue;
            pending[static_cast<std::size_t>(category)].push_back({record, s.node++, s.line});
            s.line += size;
        }
        MakeLines(pending);
        for (std::size_t id = firstOwner; id < lastOwner; ++id) {
            StatListNode* run = nodes + nodeStart[id];
            const auto count = static_cast<std::size_t>(stretch[id - firstOwner].node - run);
            if (count == 0)
                continue;
            StatListNode* cursor = LinkOwner(run, count, scratch);
            table->Fill(id, run, run + count - 1, cursor);
        }
    }
    stats_ = {table.release(), &DeleteStatTable};
}

StatList* League::GetStats(short id) {
    if (statsPending_)
        LoadStatData();
    if (!stats_)
        return nullptr;
    const int value = id;
    const bool player = value >= 100 && value < GetNextPlayerID();
    const bool team = value >= 0 && value <= GetNumTeams();
    if ((!player && !team) || static_cast<std::size_t>(value) >= stats_->Size())
        return nullptr;
    StatList* list = stats_->Find(static_cast<std::size_t>(value));
    return list && !list->empty() ? list : nullptr;
}
