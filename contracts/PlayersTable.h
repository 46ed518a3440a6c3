#pragma once

#include "contracts/RosterRows.h"

#include <string>
#include <vector>

class League;
struct ReleaseEffect;

// What the Players window shows of each row: its columns, the text of a cell, and the order
// a column sorts in (money and counts as numbers, names by last name then first name). Texts
// stay in the game's single bytes.
namespace PlayersTable {

enum Column {
    Pos,
    Name,
    Club,
    Experience,
    Status,
    ContractTeam,
    Signed,
    Years,
    YearsLeft,
    Base,
    BonusCharge,
    Cgs,
    Chance,
    Savings,
    DeadMoney,
    kColumns
};

const std::vector<std::string>& ColumnNames();
// What a column's heading explains in its tool tip.
const std::string& ColumnTip(int column);
// Money and counts are aligned right.
bool IsNumeric(int column);

std::string Cell(const RosterRow& row, int column, const League& league);
// The order of two rows by a column, ascending; ties keep the listing's order (stable sort).
bool Less(const RosterRow& a, const RosterRow& b, int column);

// A contract status as a short word ("Contract", "RFA", ... "Retired").
const char* StatusText(int status);

// What releasing the player would do, in one sentence for the window: the savings this
// season, the dead money and the club's current payroll before and after.
std::string ReleaseSentence(const RosterRow& row, const ReleaseEffect& effect, const League& league);

} // namespace PlayersTable
