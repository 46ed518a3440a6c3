#include "contracts/PlayersTable.h"

#include "contracts/Release.h"
#include "contracts/SignedMoney.h"
#include "league/League.h"

#include <tuple>

namespace PlayersTable {

namespace {

std::string ClubText(int team, const League& league) {
    if (team < 0)
        return "";
    const std::string abbr = league.GetTeamAbbr(team);
    return abbr.empty() ? league.GetTeamName(team) : abbr;
}

// The number a numeric column sorts by.
std::int64_t Key(const RosterRow& r, int column) {
    switch (column) {
    case Experience:
        return r.experience;
    case Club:
        return r.team;
    case Status:
        return r.status;
    case ContractTeam:
        return r.contractTeam;
    case Signed:
        return r.yrSigned;
    case Years:
        return r.years;
    case YearsLeft:
        return r.yearsLeft;
    case Base:
        return r.base;
    case BonusCharge:
        return r.bonusCharge;
    case Cgs:
        return r.cgs;
    case Chance:
        return r.chance;
    // A player who cannot be released sorts below every one who can.
    case Savings:
        return r.releasable ? r.savings : INT64_MIN;
    case DeadMoney:
        return r.releasable ? r.deadMoney : INT64_MIN;
    default:
        return 0;
    }
}

} // namespace

const std::vector<std::string>& ColumnNames() {
    static const std::vector<std::string> names = {
        "Pos",  "Name", "Club",         "Exp", "Status", "Contract",      "Signed",    "Years",
        "Left", "Base", "Bonus Charge", "CGS", "Chance", "Release Saves", "Dead Money"};
    return names;
}

const std::string& ColumnTip(int column) {
    static const std::vector<std::string> tips = {
        "Position",
        "First and last name",
        "The club whose roster he is on",
        "Years in the league",
        "Contract status",
        "The club holding his contract",
        "Season the contract was signed",
        "Length of the contract in seasons",
        "Seasons of the contract still to run, this one included",
        "His base share this season, charged to the club whose roster he is on",
        "What his contract charges the club holding it this season: the bonus share, or the one-year "
        "penalty of a free agent's contract",
        "His contract value (CGS)",
        "The chance that he accepts a one-year offer of his CGS without a bonus",
        "What releasing him would take off his club's current payroll this season",
        "What his contract would still charge his club this season after a release",
    };
    static const std::string none;
    return column >= 0 && column < kColumns ? tips[static_cast<std::size_t>(column)] : none;
}

bool IsNumeric(int column) {
    return column == Experience || (column >= Signed && column <= DeadMoney);
}

std::string Cell(const RosterRow& r, int column, const League& league) {
    switch (column) {
    case Pos:
        return r.pos;
    case Name:
        return r.first + " " + r.last;
    case Club:
        return ClubText(r.team, league);
    case Experience:
        return std::to_string(r.experience);
    case Status:
        return StatusText(r.status);
    case ContractTeam:
        return ClubText(r.contractTeam, league);
    case Signed:
        return r.yrSigned > 0 ? std::to_string(r.yrSigned) : "";
    case Years:
        return std::to_string(r.years);
    case YearsLeft:
        return std::to_string(r.yearsLeft);
    case Base:
        return SignedMoney(r.base);
    case BonusCharge:
        return SignedMoney(r.bonusCharge);
    case Cgs:
        return SignedMoney(r.cgs);
    case Chance:
        return std::to_string(r.chance) + "%";
    case Savings:
        return r.releasable ? SignedMoney(r.savings) : "";
    case DeadMoney:
        return r.releasable ? SignedMoney(r.deadMoney) : "";
    default:
        return "";
    }
}

bool Less(const RosterRow& a, const RosterRow& b, int column) {
    switch (column) {
    case Pos:
        return a.pos < b.pos;
    case Name:
        return std::tie(a.last, a.first) < std::tie(b.last, b.first);
    default:
        return Key(a, column) < Key(b, column);
    }
}

const char* StatusText(int status) {
    static const char* const texts[] = {"Contract",  "RFA",      "UFA",         "Transition", "Franchise",
                                        "Exclusive", "Tendered", "Offer Sheet", "Holdout",    "Retired"};
    return status >= 0 && status < 10 ? texts[status] : "Unknown";
}

std::string ReleaseSentence(const RosterRow& row, const ReleaseEffect& effect, const League& league) {
    std::string text = "Releasing " + row.first + " " + row.last + " would save " +
                       league.GetTeamName(effect.team) + " " + SignedMoney(effect.savings) + " this season";
    text += effect.deadMoney != 0 ? "; " + SignedMoney(effect.deadMoney) + " stays charged as dead money."
                                  : "; nothing stays charged.";
    text += " Current payroll " + SignedMoney(effect.before.currentPayroll) + " becomes " +
            SignedMoney(effect.after.currentPayroll) + ".";
    return text;
}

} // namespace PlayersTable
