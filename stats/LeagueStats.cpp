// The statistics reading of League: the statistics file, the table of lists and the lookup.
#include "league/League.h"
#include "stats/StatTable.h"

#include <algorithm>
#include <memory>

namespace {

void DeleteStatTable(StatTable* table) {
    std::unique_ptr<StatTable> owned(table);
}

} // namespace

void League::LoadStatData() {
    statsPending_ = false;
    if (!stats_)
        stats_ = {new StatTable, &DeleteStatTable};
    stats_->Read(datHandle_, static_cast<std::size_t>(std::max<int>(GetNextPlayerID(), 0)));
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
