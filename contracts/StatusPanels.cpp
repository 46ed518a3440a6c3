#include "contracts/StatusPanels.h"

#include "contracts/ContractList.h"
#include "contracts/SignedMoney.h"
#include "league/League.h"

std::array<std::string, 4> StatusPanelTexts(const League& league, const ContractList& contracts, int team) {
    return {league.GetTeamName(team), "Bonus Money Spent: " + SignedMoney(contracts.BonusSpent(team)),
            "Current Payroll: " + SignedMoney(contracts.CurrentPayroll(team)),
            "Estimated Payroll: " + SignedMoney(contracts.EstimatedPayroll(team))};
}
