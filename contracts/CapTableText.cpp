#include "contracts/CapTableText.h"

#include "contracts/ContractList.h"
#include "contracts/OfferList.h"
#include "contracts/SignedMoney.h"
#include "league/League.h"

namespace {

std::string PlayerName(const League& league, int id) {
    if (id < 100 || id >= league.GetNextPlayerID())
        return "Player " + std::to_string(id);
    const Player p = league.players.GetPlayer(static_cast<short>(id));
    return p.GetStringPos() + " " + p.GetFirstName() + " " + p.GetLastName();
}

std::array<std::string, CapTable::kSeasons> ChargeCells(const CapTable::Charges& charges, bool showZero) {
    std::array<std::string, CapTable::kSeasons> cells;
    for (std::size_t j = 0; j < cells.size(); ++j)
        if (showZero || charges[j] != 0)
            cells[j] = SignedMoney(charges[j]);
    return cells;
}

} // namespace

CapTableText DescribeCapTable(const CapTable& table, const ContractList& contracts, const OfferList* offers) {
    const League& league = contracts.GetLeague();
    CapTableText text;
    for (std::size_t j = 0; j < text.headings.size(); ++j)
        text.headings[j] = std::to_string(table.seasons[j]);

    CapTableText::Line total{CapTableText::Kind::Total, "Total", ChargeCells(table.totals, true), {}, {}};
    CapTableText::Line space{
        CapTableText::Kind::CapSpace, "Cap Space", ChargeCells(table.capSpace, true), {}, {}};
    for (std::size_t j = 0; j < table.capSpace.size(); ++j)
        total.over[j] = space.over[j] = table.capSpace[j] < 0;
    CapTable::Charges cap;
    cap.fill(table.salaryCap);
    text.lines.push_back(total);
    text.lines.push_back({CapTableText::Kind::SalaryCap, "Salary Cap", ChargeCells(cap, true), {}, {}});
    text.lines.push_back(space);

    CapTableText::Line ending{CapTableText::Kind::Expiring, "Contracts Ending", {}, {}, {}};
    for (std::size_t j = 0; j < table.expiring.size(); ++j) {
        const auto& ids = table.expiring[j];
        if (ids.empty())
            continue;
        ending.cells[j] = std::to_string(ids.size());
        for (std::int16_t id : ids)
            ending.notes[j] += (ending.notes[j].empty() ? "" : "\n") + PlayerName(league, id);
    }
    text.lines.push_back(ending);

    for (const auto& row : table.players)
        text.lines.push_back({CapTableText::Kind::Player,
                              PlayerName(league, row.id),
                              ChargeCells(row.charges, false),
                              {},
                              {}});
    for (const auto& row : table.offers) {
        std::string label = "Offer " + std::to_string(row.index + 1);
        if (offers && row.index < offers->Count())
            label += ": " +
                     PlayerName(league, offers->Items()[static_cast<std::size_t>(row.index)].offer.playerID);
        text.lines.push_back({CapTableText::Kind::Offer, label, ChargeCells(row.charges, false), {}, {}});
    }
    return text;
}
