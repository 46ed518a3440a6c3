#include "contracts/RosterRows.h"

#include "contracts/Commissioner.h"
#include "contracts/ContractList.h"
#include "contracts/PositionText.h"
#include "contracts/Release.h"
#include "league/League.h"

#include <algorithm>

std::vector<std::int16_t> ListedPlayers(League& league, RosterListing listing, int team) {
    std::vector<std::int16_t> ids;
    const int next = league.GetNextPlayerID();
    auto add = [&](const short* list, int n) {
        for (int k = 0; list && k < n; ++k)
            if (list[k] >= ContractList::kFirstID && list[k] < next)
                ids.push_back(list[k]);
    };
    if (listing == RosterListing::Team) {
        if (team >= 0 && team < league.GetNumTeams())
            add(league.GetSortedRoster(team), Roster::kSlots);
        return ids;
    }
    const bool freeAgents = listing == RosterListing::FreeAgents;
    if (freeAgents ? !league.GetFAExists() : !league.GetCDExists())
        return ids;
    for (int g = 0; g < PlayerGroups::kGroups; ++g) {
        if (freeAgents)
            add(league.GetFreeAgents(g), league.GetNumFreeAgents(g));
        else
            add(league.GetCollegeDraft(g), league.GetNumCollegeDraft(g));
    }
    return ids;
}

int YearsLeft(int years, int yrSigned, int season) {
    return std::clamp(years - (season - yrSigned), 0, std::max(years, 0));
}

std::vector<RosterRow> BuildRosterRows(const ContractList& contracts, const ReleaseCalculator& release,
                                       const std::vector<std::int16_t>& ids) {
    const League& league = contracts.GetLeague();
    const ContractList::Places& places = release.GetPlaces();
    const Commissioner& commissioner = contracts.GetCommissioner();
    const int season = contracts.GetCurrentSeason();
    std::vector<RosterRow> rows;
    rows.reserve(ids.size());
    for (const std::int16_t id : ids) {
        const Contract rec = contracts.GetContract(id);
        const Player player = league.players.GetPlayer(id);
        const auto index = static_cast<std::size_t>(id);
        const bool freeAgent = index < places.freeAgent.size() && places.freeAgent[index] != 0;
        const int team = index < places.team.size() ? places.team[index] : -1;
        const ContractList::PlayerCharges charges = contracts.ChargesOf(rec, team, freeAgent);

        RosterRow row;
        row.id = id;
        row.first = player.GetFirstName();
        row.last = player.GetLastName();
        row.pos = PositionText(player.GetPosSpecific());
        row.group = League::GenPos2FAPos(player.GetPosGeneral());
        row.experience = static_cast<signed char>(player.GetYears());
        row.team = team;
        row.status = rec.status;
        row.contractTeam = rec.contractTeam;
        row.yrSigned = rec.yrSigned;
        row.years = rec.years;
        row.yearsLeft = YearsLeft(rec.years, rec.yrSigned, season);
        row.salary = rec.salary;
        row.bonus = rec.bonus;
        row.base = charges.base;
        row.bonusCharge = charges.bonusCharge;
        row.estimatedOnly = charges.estimatedOnly;
        row.cgs = rec.cgs;
        row.chance = commissioner.ExplainChance(rec, freeAgent, 1, rec.cgs, 0).chance;
        if (const auto effect = release.Release(id)) {
            row.releasable = true;
            row.savings = effect->savings;
            row.deadMoney = effect->deadMoney;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}
