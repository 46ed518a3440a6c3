#include "tools/CommandSupport.h"
#include "tools/Commands.h"
#include "tools/SalaryLeague.h"

#include "contracts/CapTable.h"
#include "contracts/CheapestOffer.h"
#include "contracts/OfferList.h"
#include "contracts/TableCsv.h"

#include <ostream>

using json = nlohmann::ordered_json;

namespace {

json ChargesJson(const CapTable::Charges& charges) {
    json array = json::array();
    for (std::int64_t charge : charges)
        array.push_back(charge);
    return array;
}

} // namespace

int RunCapTableCommand(const std::string& path, int team, const std::vector<std::string>& files, bool csv,
                       std::ostream& out, std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "captable", err))
        return 1;
    if (team < 0 || team >= s.GetLeague().GetNumTeams()) {
        err << "brevane-cli captable: team " << team << " is not a team of the league (0 to "
            << s.GetLeague().GetNumTeams() - 1 << ")\n";
        return 1;
    }
    OfferList offers(s.GetContracts());
    offers.SetBase(team, s.GetContracts().GetTeamInfo(team));
    for (const std::string& file : files)
        offers.LoadOffers(file);
    const CapTable table = BuildCapTable(s.GetContracts(), team, &offers);
    if (csv) {
        out << CapTableCsv(table, DescribeCapTable(table, s.GetContracts(), &offers), &offers);
        return 0;
    }

    json players = json::array();
    for (const auto& row : table.players)
        players.push_back({{"id", row.id}, {"charges", ChargesJson(row.charges)}});
    json offerRows = json::array();
    for (const auto& row : table.offers)
        offerRows.push_back({{"index", row.index}, {"charges", ChargesJson(row.charges)}});
    json expiring = json::array();
    for (const auto& ids : table.expiring)
        expiring.push_back(ids);
    PrintJson({{"seasons", table.seasons},
               {"salaryCap", table.salaryCap},
               {"totals", ChargesJson(table.totals)},
               {"capSpace", ChargesJson(table.capSpace)},
               {"players", players},
               {"offers", offerRows},
               {"expiring", expiring}},
              out);
    return 0;
}

int RunCheapestCommand(const std::string& path, std::int64_t id, int chance, std::ostream& out,
                       std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "cheapest", err) ||
        !CheckPlayerID(s.GetContracts(), id, "cheapest", err))
        return 1;
    std::vector<int> targets = DefaultChanceTargets();
    if (chance > 0)
        targets.push_back(chance);
    json rows = json::array();
    for (const CheapestOffer& row :
         FindCheapestOffers(s.GetContracts().GetCommissioner(),
                            s.GetContracts().GetContract(static_cast<int>(id)), s.GetOptions(), targets))
        rows.push_back({{"years", row.years},
                        {"target", row.target},
                        {"bonusRule", BonusRuleName(row.bonusRule)},
                        {"salary", row.salary ? json(*row.salary) : json(nullptr)},
                        {"bonus", row.bonus ? json(*row.bonus) : json(nullptr)},
                        {"chance", row.chance}});
    PrintJson({{"rows", rows}}, out);
    return 0;
}
