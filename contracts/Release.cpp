#include "contracts/Release.h"

namespace {

ReleaseEffect::Figures FiguresOf(const ContractList::Sums& sums) {
    const TeamInfo info = ContractList::Narrow(sums);
    return {info.bonusSpent, info.currentPayroll, info.estimatedPayroll};
}

} // namespace

ReleaseCalculator::ReleaseCalculator(const ContractList& contracts)
    : contracts_(contracts), places_(contracts.LookUpPlaces()), sums_(contracts.SumTotals(places_)) {}

std::optional<ReleaseEffect> ReleaseCalculator::Release(int id) const {
    const Contract* rec = contracts_.GetRecord(id);
    if (!rec)
        return std::nullopt;
    const auto index = static_cast<std::size_t>(id);
    const int team = places_.team[index];
    if (team < 0)
        return std::nullopt;

    const ContractList::PlayerCharges now = contracts_.ChargesOf(*rec, team, places_.freeAgent[index] != 0);
    const ContractList::PlayerCharges released = contracts_.ChargesOf(*rec, -1, true);
    std::vector<ContractList::Sums> after = sums_;
    ContractList::AddCharges(after, now, -1);
    ContractList::AddCharges(after, released, 1);

    ReleaseEffect effect;
    effect.id = id;
    effect.team = team;
    effect.before = FiguresOf(sums_[static_cast<std::size_t>(team)]);
    effect.after = FiguresOf(after[static_cast<std::size_t>(team)]);
    effect.savings = static_cast<std::int64_t>(effect.before.currentPayroll) - effect.after.currentPayroll;
    effect.deadMoney = rec->contractTeam == team ? released.bonusCharge : 0;
    for (std::size_t t = 0; t < sums_.size(); ++t) {
        if (static_cast<int>(t) == team)
            continue;
        const ReleaseEffect::Figures before = FiguresOf(sums_[t]);
        const ReleaseEffect::Figures afterRelease = FiguresOf(after[t]);
        if (before != afterRelease)
            effect.otherClubs.push_back({static_cast<int>(t), before, afterRelease});
    }
    return effect;
}
