#include "contracts/StatusPanels.h"

#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "contracts/SignedMoney.h"
#include "league/League.h"

std::array<std::string, 4> StatusPanelTexts(const League& league, const ContractList& contracts, int team) {
    return {league.GetTeamName(team), "Bonus Money Spent: " + SignedMoney(contracts.BonusSpent(team)),
            "Current Payroll: " + SignedMoney(contracts.CurrentPayroll(team)),
            "Estimated Payroll: " + SignedMoney(contracts.EstimatedPayroll(team))};
}

std::int64_t CapSpace(const ContractList& contracts, int team) {
    return static_cast<std::int64_t>(contracts.GetOptions().salarycap) - contracts.CurrentPayroll(team);
}

std::string CapSpaceText(const ContractList& contracts, int team) {
    return "Cap Space: " + SignedMoney(CapSpace(contracts, team));
}

namespace FigureTips {
const char* const kBonusSpent = "Bonus money of the contracts the club signed this season";
const char* const kCurrentPayroll =
    "What the club's contracts charge this season: the base share of every player on its roster with a "
    "salary and not tendered, and the bonus share of every contract it holds (a free agent's one-year "
    "contract with a bonus below the minimum share charges its penalty instead)";
const char* const kEstimatedPayroll =
    "The current payroll plus the CGS of every player on the roster without a salary or with a tender";
const char* const kCapSpace = "The salary cap less the current payroll; below zero the club is over the cap";
const char* const kOffersPayroll =
    "The estimated payroll plus what the ticked offers charge this season (a player counted at his CGS "
    "is counted at the offer instead; a restructure less the contract it replaces)";
const char* const kOffersBonus = "Bonus money spent this season plus the bonuses of the ticked offers";
} // namespace FigureTips
