#include "contracts/CapTable.h"

#include "contracts/ContractList.h"
#include "contracts/OfferList.h"
#include "contracts/Options.h"
#include "league/League.h"

#include <set>

CapTable::Charges PlayerRowCharges(const ContractList& contracts, const Contract& rec, int team,
                                   bool onRoster, bool freeAgent) {
    const Options& options = contracts.GetOptions();
    const int cur = contracts.GetCurrentSeason();
    const bool holdsContract = rec.contractTeam == team;
    const bool paysBase = onRoster && ContractList::PaysBase(rec);
    CapTable::Charges charges{};
    for (int j = 0; j < CapTable::kSeasons; ++j) {
        // This season exactly as the payroll totals count it; later ones by contract year.
        int yearSel = 0;
        if (j > 0) {
            const int index = cur + j - rec.yrSigned;
            if (index < 0 || index >= rec.years)
                continue;
            yearSel = index + 1;
        }
        std::int64_t charge = 0;
        if (holdsContract)
            charge += contracts.ContractTeamCharge(rec, freeAgent, yearSel);
        if (paysBase)
            charge += rec.FullYearCharge(yearSel, Contract::BaseOnly, options, cur);
        charges[static_cast<std::size_t>(j)] = charge;
    }
    return charges;
}

std::optional<CapTable::ReleasedRow> BuildReleasedRow(const ContractList& contracts, int team, int id) {
    const Contract* rec = contracts.GetRecord(id);
    if (!rec || team < 0 || contracts.GetLeague().FindTeam(static_cast<short>(id)) != team)
        return std::nullopt;
    CapTable::ReleasedRow row;
    row.id = static_cast<std::int16_t>(id);
    row.before = PlayerRowCharges(contracts, *rec, team, true,
                                  contracts.GetLeague().IsFreeAgent(static_cast<short>(id)));
    // Released, he is on no roster and listed as a free agent; his record stays as it is.
    row.stays = PlayerRowCharges(contracts, *rec, team, false, true);
    for (std::size_t j = 0; j < row.before.size(); ++j)
        row.leaves[j] = row.before[j] - row.stays[j];
    return row;
}

CapTable BuildCapTable(const ContractList& contracts, int team, const OfferList* offers) {
    CapTable table;
    const Options& options = contracts.GetOptions();
    const int cur = contracts.GetCurrentSeason();
    for (int j = 0; j < CapTable::kSeasons; ++j)
        table.seasons[static_cast<std::size_t>(j)] = cur + j;
    table.salaryCap = options.salarycap;

    const ContractList::Places places = contracts.LookUpPlaces();
    for (int id = ContractList::kFirstID; id < contracts.Count(); ++id) {
        const Contract* rec = contracts.GetRecord(id);
        const bool onRoster = places.team[static_cast<std::size_t>(id)] == team;
        const bool holdsContract = rec->contractTeam == team;
        if (!onRoster && !holdsContract)
            continue;
        const bool freeAgent = places.freeAgent[static_cast<std::size_t>(id)] != 0;
        CapTable::PlayerRow row;
        row.id = static_cast<std::int16_t>(id);
        row.charges = PlayerRowCharges(contracts, *rec, team, onRoster, freeAgent);
        bool charges = false;
        for (std::int64_t charge : row.charges)
            charges = charges || charge != 0;
        if (!charges)
            continue;
        const int lastSeason = rec->yrSigned + rec->years - 1;
        if (rec->years >= 1 && lastSeason >= cur && lastSeason < cur + CapTable::kSeasons)
            table.expiring[static_cast<std::size_t>(lastSeason - cur)].push_back(row.id);
        table.players.push_back(row);
    }

    if (offers) {
        std::set<std::int16_t> replaced;
        for (int i = 0; i < offers->Count(); ++i) {
            const OfferList::Item& item = offers->Items()[static_cast<std::size_t>(i)];
            if (!item.checked || !item.offer.CountsInFigures())
                continue;
            Contract proposed(cur);
            proposed.years = item.offer.years;
            proposed.salary = item.offer.salary;
            proposed.bonus = item.offer.bonus;
            CapTable::OfferRow row;
            row.index = i;
            // Only the years of its own length: beyond them a split row still leaves a bonus share.
            for (int j = 0; j < CapTable::kSeasons && j < proposed.years; ++j)
                row.charges[static_cast<std::size_t>(j)] =
                    proposed.FullYearCharge(j + 1, Contract::BaseAndBonus, options, cur);
            // A restructure takes the place of the player's present contract (once per player).
            if (item.offer.offerType == Offer::RestructureOffer &&
                replaced.insert(item.offer.playerID).second)
                for (const CapTable::PlayerRow& present : table.players)
                    if (present.id == item.offer.playerID)
                        for (int j = 0; j < CapTable::kSeasons; ++j)
                            row.charges[static_cast<std::size_t>(j)] -=
                                present.charges[static_cast<std::size_t>(j)];
            table.offers.push_back(row);
        }
    }

    for (int j = 0; j < CapTable::kSeasons; ++j) {
        const auto s = static_cast<std::size_t>(j);
        std::int64_t total = 0;
        for (const auto& row : table.players)
            total += row.charges[s];
        for (const auto& row : table.offers)
            total += row.charges[s];
        table.totals[s] = total;
        table.capSpace[s] = table.salaryCap - total;
    }
    return table;
}
