#include "contracts/ReleasedRowText.h"

#include "contracts/ContractList.h"
#include "contracts/SignedMoney.h"
#include "league/League.h"

#include <algorithm>

namespace {

std::array<std::string, CapTable::kSeasons> Cells(const CapTable::Charges& charges) {
    std::array<std::string, CapTable::kSeasons> cells;
    for (std::size_t j = 0; j < cells.size(); ++j)
        cells[j] = SignedMoney(charges[j]);
    return cells;
}

} // namespace

void AddReleasedLines(CapTableText& text, const CapTable& table, const CapTable::ReleasedRow& row,
                      const ContractList& contracts) {
    const League& league = contracts.GetLeague();
    const Player player = league.players.GetPlayer(row.id);
    const std::string name = player.GetFirstName() + " " + player.GetLastName();

    CapTable::Charges space = table.capSpace;
    for (std::size_t j = 0; j < space.size(); ++j)
        space[j] += row.leaves[j];
    std::vector<CapTableText::Line> lines = {
        {CapTableText::Kind::Released, "Released: " + name + " as now", Cells(row.before), {}, {}},
        {CapTableText::Kind::Released, "  Leaves the cap", Cells(row.leaves), {}, {}},
        {CapTableText::Kind::Released, "  Stays (dead money)", Cells(row.stays), {}, {}},
        {CapTableText::Kind::Released, "  Cap Space after release", Cells(space), {}, {}},
    };
    for (std::size_t j = 0; j < space.size(); ++j)
        lines[3].over[j] = space[j] < 0;
    // After the totals, the cap, the cap space and the contracts ending.
    auto at = std::find_if(text.lines.begin(), text.lines.end(), [](const CapTableText::Line& line) {
        return line.kind == CapTableText::Kind::Player || line.kind == CapTableText::Kind::Offer;
    });
    text.lines.insert(at, lines.begin(), lines.end());
}
