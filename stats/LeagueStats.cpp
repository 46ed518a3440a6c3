// The statistics reading of League: the statistics file, the table of lists and the lookup.
#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/League.h"
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
#include <cstdint>
#include <memory>
#include <vector>

namespace {

constexpr int kHeaderSize = 140;
constexpr int kRecordSize = Statistic::kRecordSize;
static_assert(kRecordSize == 2 * Statistic::kRecordWords, "a statistics record is ten 16-bit words");

enum Category : std::int8_t {
    kNone = -1,
    kExtraPoints,
    kFieldGoals,
    kRushing,
    kPassing,
    kReceiving,
    kInterceptions,
    kPunting,
    kPuntReturns,
    kKickReturns,
    kFumbles,
    kFumbleRecoveries,
    kSacks,
    kSafeties,
    kTackles,
    kCategories
};

// The category of every type code: category + 32 * scope for the three scopes, and the
// two further codes 132 (rushing) and 209 (sacks). Codes of 256 and up are unknown.
constexpr std::array<std::int8_t, 256> MakeCategoryTable() {
    std::array<std::int8_t, 256> table{};
    for (auto& c : table)
        c = kNone;
    for (int scope = 0; scope < 3; ++scope)
        for (int category = 0; category < kCategories; ++category)
            table[static_cast<std::size_t>(category + 32 * scope)] = static_cast<std::int8_t>(category);
    table[132] = kRushing;
    table[209] = kSacks;
    return table;
}
constexpr std::array<std::int8_t, 256> kCategoryOf = MakeCategoryTable();

int CategoryOf(std::uint16_t code) {
    if (code >= kCategoryOf.size())
        return kNone;
    return kCategoryOf[code];
}

Statistic* MakeLine(StatLineArena& arena, int category, const std::uint16_t* words) {
    switch (category) {
    case kExtraPoints:
        return arena.Make<StatisticPAT>(words);
    case kFieldGoals:
        return arena.Make<StatisticFG>(words);
    case kRushing:
        return arena.Make<StatisticRush>(words);
    case kPassing:
        return arena.Make<StatisticPass>(words);
    case kReceiving:
        return arena.Make<StatisticPassRec>(words);
    case kInterceptions:
        return arena.Make<StatisticInt>(words);
    case kPunting:
        return arena.Make<StatisticPunt>(words);
    case kPuntReturns:
        return arena.Make<StatisticPuntRet>(words);
    case kKickReturns:
        return arena.Make<StatisticKickRet>(words);
    case kFumbles:
        return arena.Make<StatisticFumble>(words);
    case kFumbleRecoveries:
        return arena.Make<StatisticFumbleRec>(words);
    case kSacks:
        return arena.Make<StatisticSack>(words);
    case kSafeties:
        return arena.Make<StatisticSafety>(words);
    case kTackles:
        return arena.Make<StatisticTackle>(words);
    default:
        return nullptr;
    }
}

// Every whole record after the header, as bytes. A trailing partial record is dropped.
std::vector<std::uint8_t> ReadRecords(int handle) {
    std::vector<std::uint8_t> bytes;
    if (handle <= 0 || tolvik::FileSeek(handle, 0) != 0)
        return bytes;
    std::array<std::uint8_t, kHeaderSize> header{};
    if (tolvik::FileRead(handle, header.data(), kHeaderSize) != kHeaderSize)
        return bytes;
    // The size is only a hint for the buffer; the reads decide what arrived.
    std::int64_t size = tolvik::FileSize(handle);
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    if (size > kHeaderSize)
        bytes.reserve(static_cast<std::size_t>(size - kHeaderSize));
    for (;;) {
        std::size_t used = bytes.size();
        bytes.resize(used + kChunk);
        int got = tolvik::FileRead(handle, bytes.data() + used, static_cast<int>(kChunk));
        if (got <= 0) {
            bytes.resize(used);
            break;
        }
        bytes.resize(used + static_cast<std::size_t>(got));
        if (static_cast<std::size_t>(got) < kChunk)
            break;
    }
    bytes.resize(bytes.size() - bytes.size() % kRecordSize);
    return bytes;
}

} // namespace

void StatTableDeleter::operator()(StatTable* table) const {
    std::unique_ptr<StatTable> owned(table);
}

void League::ReadStatData() {
    // The lists and lines of an earlier reading go first.
    stats_.reset();
    auto table = std::make_unique<StatTable>();
    const std::size_t owners = static_cast<std::size_t>(std::max<int>(GetNextPlayerID(), 0));

    const std::vector<std::uint8_t> bytes = ReadRecords(datHandle_);
    const std::size_t records = bytes.size() / kRecordSize;

    // Group the usable records by owner, keeping the file's order within each owner. The
    // lists are independent, so filling them owner by owner gives the same lists as
    // filling them in file order, while each list stays in the cache as it grows.
    std::vector<std::uint32_t> start(owners + 1, 0);
    for (std::size_t r = 0; r < records; ++r) {
        const std::uint8_t* p = bytes.data() + r * kRecordSize;
        std::uint16_t owner = tolvik::readU16le(p + 2);
        if (CategoryOf(tolvik::readU16le(p)) != kNone && owner < owners)
            ++start[owner + 1u];
    }
    for (std::size_t o = 0; o < owners; ++o)
        start[o + 1] += start[o];
    const std::size_t usable = start[owners];
    std::vector<std::uint32_t> order(usable);
    {
        std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
        for (std::size_t r = 0; r < records; ++r) {
            const std::uint8_t* p = bytes.data() + r * kRecordSize;
            std::uint16_t owner = tolvik::readU16le(p + 2);
            if (CategoryOf(tolvik::readU16le(p)) != kNone && owner < owners)
                order[fill[owner]++] = static_cast<std::uint32_t>(r);
        }
    }

    table->nodes.Reserve(owners + usable);
    table->lines.Reserve(usable * sizeof(StatisticPunt));
    for (std::size_t o = 0; o < owners; ++o)
        table->lists.emplace_back(&table->nodes);

    std::uint16_t words[Statistic::kRecordWords];
    for (std::size_t o = 0; o < owners; ++o) {
        StatList& list = table->lists[o];
        for (std::uint32_t i = start[o]; i < start[o + 1]; ++i) {
            const std::uint8_t* p = bytes.data() + std::size_t{order[i]} * kRecordSize;
            for (int w = 0; w < Statistic::kRecordWords; ++w)
                words[w] = tolvik::readU16le(p + 2 * w);
            Statistic* line = MakeLine(table->lines, CategoryOf(words[0]), words);
            list.insert(line, &Statistic::Compare);
        }
    }
    stats_.reset(table.release());
}

StatList* League::GetStats(short id) {
    if (!stats_)
        return nullptr;
    const int value = id;
    const bool player = value >= 100 && value < GetNextPlayerID();
    const bool team = value >= 0 && value <= GetNumTeams();
    if ((!player && !team) || static_cast<std::size_t>(value) >= stats_->Size())
        return nullptr;
    StatList* list = &stats_->lists[static_cast<std::size_t>(value)];
    return list->empty() ? nullptr : list;
}
