#include "stats/StatTable.h"

#include "league/ByteOrder.h"
#include "league/FileHandles.h"
#include "stats/StatCodes.h"
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
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kHeaderSize = 140;
constexpr std::size_t kRecordSize = Statistic::kRecordSize;
static_assert(kRecordSize == 2 * Statistic::kRecordWords, "a statistics record is ten 16-bit words");

constexpr std::int32_t kNoLines = -1;
constexpr std::uint32_t kNoBlock = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kBlock = 256;                    // record numbers in a block of a group
constexpr std::size_t kStretch = std::size_t{1} << 20; // bytes read and sorted at a time
// As much of a statistics file as is read: far more than a league's seasons fill, and few
// enough records that their numbers fit 32 bits.
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;
static_assert(kMaxFileBytes / kRecordSize < kNoBlock);

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
    return code < kCategoryOf.size() ? kCategoryOf[code] : kNone;
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

// The size of each category's line object; all are multiples of the alignment of a line,
// so lines placed one after another stay aligned.
constexpr std::array<std::size_t, kCategories> kLineSize = {
    sizeof(StatisticPAT),     sizeof(StatisticFG),     sizeof(StatisticRush),      sizeof(StatisticPass),
    sizeof(StatisticPassRec), sizeof(StatisticInt),    sizeof(StatisticPunt),      sizeof(StatisticPuntRet),
    sizeof(StatisticKickRet), sizeof(StatisticFumble), sizeof(StatisticFumbleRec), sizeof(StatisticSack),
    sizeof(StatisticSafety),  sizeof(StatisticTackle)};
static_assert(std::all_of(kLineSize.begin(), kLineSize.end(),
                          [](std::size_t size) { return size % alignof(Statistic) == 0; }),
              "line objects placed back to back stay aligned");

// The line of a record of the given category, built at place.
Statistic* MakeLine(int category, std::byte* place, const std::uint8_t* record) {
    std::uint16_t words[Statistic::kRecordWords];
    for (std::size_t w = 0; w < Statistic::kRecordWords; ++w)
        words[w] = tolvik::readU16le(record + 2 * w);
    switch (category) {
    case kExtraPoints:
        return StatLineArena::MakeAt<StatisticPAT>(place, words);
    case kFieldGoals:
        return StatLineArena::MakeAt<StatisticFG>(place, words);
    case kRushing:
        return StatLineArena::MakeAt<StatisticRush>(place, words);
    case kPassing:
        return StatLineArena::MakeAt<StatisticPass>(place, words);
    case kReceiving:
        return StatLineArena::MakeAt<StatisticPassRec>(place, words);
    case kInterceptions:
        return StatLineArena::MakeAt<StatisticInt>(place, words);
    case kPunting:
        return StatLineArena::MakeAt<StatisticPunt>(place, words);
    case kPuntReturns:
        return StatLineArena::MakeAt<StatisticPuntRet>(place, words);
    case kKickReturns:
        return StatLineArena::MakeAt<StatisticKickRet>(place, words);
    case kFumbles:
        return StatLineArena::MakeAt<StatisticFumble>(place, words);
    case kFumbleRecoveries:
        return StatLineArena::MakeAt<StatisticFumbleRec>(place, words);
    case kSacks:
        return StatLineArena::MakeAt<StatisticSack>(place, words);
    case kSafeties:
        return StatLineArena::MakeAt<StatisticSafety>(place, words);
    default:
        return StatLineArena::MakeAt<StatisticTackle>(place, words);
    }
}

// Owners with at most this many lines are sorted by insertion, others by counting.
constexpr std::size_t kShortList = 24;

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

} // namespace

void StatTable::Read(int handle, std::size_t ids) {
    // The lists of the reading before go; their lines and nodes are written over.
    nodes_.Discard();
    lists_.clear();
    nodes_.Rewind();
    lines_.Rewind();
    listOf_.assign(ids, kNoLines);

    // About a thousand groups of neighbouring owners (a few dozen each in a large league):
    // few enough that sorting the records into them writes to few places at a time, small
    // enough that making a group's lists when one of them is asked for costs little.
    shift_ = std::max(0, static_cast<int>(std::bit_width(ids)) - 10);
    const std::size_t groups = ids > 0 ? ((ids - 1) >> shift_) + 1 : 0;
    groupMade_.assign(groups, false);
    groupCount_.assign(groups, 0);
    groupFirst_.assign(groups, kNoBlock);
    groupLast_.assign(groups, kNoBlock);
    blocksUsed_ = 0;
    bytes_ = 0;

    // The file is read a stretch at a time, and each stretch's records are sorted into
    // their groups while they are still in the cache.
    const std::int64_t fileSize = handle > 0 ? tolvik::FileSize(handle) : -1;
    if (fileSize <= 0 || tolvik::FileSeek(handle, 0) != 0)
        return;
    const std::size_t size = static_cast<std::size_t>(std::min<std::int64_t>(fileSize, kMaxFileBytes));
    if (size > fileRoom_ || size < fileRoom_ / 2) {
        file_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
        fileRoom_ = size;
    }
    const std::size_t records = size > kHeaderSize ? (size - kHeaderSize) / kRecordSize : 0;
    // Every record's number, and each group's last block only part full.
    const std::size_t blocks = records / kBlock + groups;
    if (blocks > blockRoom_ || blocks < blockRoom_ / 2) {
        numbers_ = std::make_unique_for_overwrite<std::uint32_t[]>(blocks * kBlock);
        nextBlock_ = std::make_unique_for_overwrite<std::uint32_t[]>(blocks);
        blockRoom_ = blocks;
    }

    std::size_t sorted = 0; // records sorted so far
    while (bytes_ < size) {
        const int want = static_cast<int>(std::min(size - bytes_, kStretch));
        const int got = tolvik::FileRead(handle, file_.get() + bytes_, want);
        // A read that fails half-way leaves the records that arrived before it.
        if (got <= 0)
            break;
        bytes_ += static_cast<std::size_t>(got);
        const std::size_t whole = bytes_ > kHeaderSize ? (bytes_ - kHeaderSize) / kRecordSize : 0;
        for (; sorted < whole; ++sorted) {
            const std::uint8_t* record = file_.get() + kHeaderSize + sorted * kRecordSize;
            const std::size_t owner = tolvik::readU16le(record + 2);
            if (owner >= ids || CategoryOf(tolvik::readU16le(record)) == kNone)
                continue;
            const std::size_t g = owner >> shift_;
            const std::size_t filled = groupCount_[g] % kBlock;
            if (filled == 0) {
                // The group's first block, or its last one is full.
                const auto block = static_cast<std::uint32_t>(blocksUsed_++);
                nextBlock_[block] = kNoBlock;
                if (groupLast_[g] == kNoBlock)
                    groupFirst_[g] = block;
                else
                    nextBlock_[groupLast_[g]] = block;
                groupLast_[g] = block;
            }
            numbers_[std::size_t{groupLast_[g]} * kBlock + filled] = static_cast<std::uint32_t>(sorted);
            ++groupCount_[g];
        }
    }
}

StatList* StatTable::Find(std::size_t id) {
    if (id >= listOf_.size())
        return nullptr;
    if (const std::size_t g = id >> shift_; !groupMade_[g])
        MakeGroup(g);
    return listOf_[id] >= 0 ? &lists_[static_cast<std::size_t>(listOf_[id])] : nullptr;
}

// Makes the lists of the group's owners from their records: each owner's lines in file
// order, ordered by code (equal codes in file order) and linked in one stretch of nodes.
void StatTable::MakeGroup(std::size_t g) {
    groupMade_[g] = true;
    const std::size_t count = groupCount_[g];
    if (count == 0)
        return;
    // The group's records, copied together from all over the file in file order: the
    // passes below then read them from the cache.
    Scratch& s = scratch_;
    s.records.resize(count * kRecordSize);
    const std::uint8_t* const first = file_.get() + kHeaderSize;
    std::uint8_t* gathered = s.records.data();
    for (std::size_t k = 0, block = groupFirst_[g]; k < count; block = nextBlock_[block]) {
        const std::uint32_t* numbers = numbers_.get() + block * kBlock;
        const std::size_t n = std::min(count - k, kBlock);
        for (std::size_t i = 0; i < n; ++i, gathered += kRecordSize) {
            if (i + 16 < n)
                __builtin_prefetch(first + std::size_t{numbers[i + 16]} * kRecordSize);
            std::memcpy(gathered, first + std::size_t{numbers[i]} * kRecordSize, kRecordSize);
        }
        k += n;
    }
    auto at = [&s](std::size_t k) { return s.records.data() + k * kRecordSize; };
    const std::size_t firstOwner = g << shift_;
    const std::size_t owners = std::min(std::size_t{1} << shift_, listOf_.size() - firstOwner);

    // Where each owner's nodes and lines go: his stretch of the group's run.
    s.nodeStart.assign(owners + 1, 0);
    s.lineStart.assign(owners + 1, 0);
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint8_t* record = at(k);
        const std::size_t owner = tolvik::readU16le(record + 2) - firstOwner;
        ++s.nodeStart[owner + 1];
        s.lineStart[owner + 1] += kLineSize[static_cast<std::size_t>(CategoryOf(tolvik::readU16le(record)))];
    }
    for (std::size_t o = 0; o < owners; ++o) {
        s.nodeStart[o + 1] += s.nodeStart[o];
        s.lineStart[o + 1] += s.lineStart[o];
    }
    StatListNode* nodes = nodes_.AllocateRun(count);
    std::byte* lines = lines_.Allocate(s.lineStart[owners]);

    // The lines, each owner's in file order in his stretch, with their ranks.
    if (s.items.size() < count) {
        s.items.resize(count);
        s.rank.resize(count);
        s.position.resize(count);
        s.listRank.resize(count);
    }
    s.nodeFill.assign(s.nodeStart.begin(), s.nodeStart.end() - 1);
    s.lineFill.assign(s.lineStart.begin(), s.lineStart.end() - 1);
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint8_t* record = at(k);
        const std::uint16_t code = tolvik::readU16le(record);
        const std::size_t owner = tolvik::readU16le(record + 2) - firstOwner;
        const int category = CategoryOf(code);
        const std::size_t slot = s.nodeFill[owner]++;
        s.items[slot] = MakeLine(category, lines + s.lineFill[owner], record);
        s.lineFill[owner] += kLineSize[static_cast<std::size_t>(category)];
        s.rank[slot] = kRankOf[code];
    }

    for (std::size_t o = 0; o < owners; ++o) {
        const std::size_t begin = s.nodeStart[o];
        const std::size_t length = s.nodeStart[o + 1] - begin;
        if (length == 0)
            continue;
        StatListNode* cursor =
            LinkOwner(nodes + begin, s.items.data() + begin, s.rank.data() + begin, length);
        TableList& list = lists_.emplace_back(&nodes_);
        listOf_[firstOwner + o] = static_cast<std::int32_t>(lists_.size() - 1);
        static_cast<StatList&>(list).Adopt(nodes + begin, nodes + begin + length - 1, cursor);
    }
}

// Orders an owner's lines (given in file order, with their ranks) as inserting them one by
// one would, links them into his nodes and returns the node under the cursor.
StatListNode* StatTable::LinkOwner(StatListNode* nodes, Statistic* const* items, const std::uint8_t* rank,
                                   std::size_t count) {
    std::uint32_t* position = scratch_.position.data();
    std::uint8_t* listRank = scratch_.listRank.data();
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
