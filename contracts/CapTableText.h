#pragma once

#include "contracts/CapTable.h"

#include <array>
#include <string>
#include <vector>

class ContractList;
class OfferList;

// The cap table as the "Cap Table" window shows it: a heading per season and one line per
// row, with its label, the texts of its seven cells and, for the contracts that end, the
// names behind each count.
struct CapTableText {
    enum class Kind { Player, Offer, Total, SalaryCap, CapSpace, Expiring, Released };

    struct Line {
        Kind kind = Kind::Player;
        std::string label;
        std::array<std::string, CapTable::kSeasons> cells;
        std::array<std::string, CapTable::kSeasons> notes; // tool tips; empty for none
        std::array<bool, CapTable::kSeasons> over{};       // a total above the cap, a space below 0
    };

    std::array<std::string, CapTable::kSeasons> headings;
    std::vector<Line> lines;
};

// First the totals, the salary cap, the cap space and the number of contracts ending after
// each season (so that they stay in view); then the players by position and name ("QB Brock
// Fletcher") and the offers as "Offer N: " and the player, with their charges as money text
// and a season a row does not charge left empty.
CapTableText DescribeCapTable(const CapTable& table, const ContractList& contracts, const OfferList* offers);
