#include "tools/CommandSupport.h"
#include "tools/Commands.h"
#include "tools/SalaryLeague.h"

#include "contracts/Release.h"
#include "contracts/RosterRows.h"
#include "contracts/TableCsv.h"

#include <ostream>

using json = nlohmann::ordered_json;

namespace {

json FiguresJson(const ReleaseEffect::Figures& f) {
    return {{"bonusSpent", f.bonusSpent},
            {"currentPayroll", f.currentPayroll},
            {"estimatedPayroll", f.estimatedPayroll}};
}

json RowJson(const RosterRow& r) {
    return {{"id", r.id},
            {"first", Latin1ToUtf8(r.first)},
            {"last", Latin1ToUtf8(r.last)},
            {"pos", r.pos},
            {"experience", r.experience},
            {"team", r.team},
            {"status", r.status},
            {"contractTeam", r.contractTeam},
            {"yrSigned", r.yrSigned},
            {"years", r.years},
            {"yearsLeft", r.yearsLeft},
            {"salary", r.salary},
            {"bonus", r.bonus},
            {"base", r.base},
            {"bonusCharge", r.bonusCharge},
            {"estimatedOnly", r.estimatedOnly},
            {"cgs", r.cgs}};
}

} // namespace

int RunRosterCommand(const std::string& path, const RosterCommandOptions& o, std::ostream& out,
                     std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "roster", err))
        return 1;
    if (o.listing == RosterListing::Team && (o.team < 0 || o.team >= s.GetLeague().GetNumTeams())) {
        err << "brevane-cli roster: team " << o.team << " is not a team of the league (0 to "
            << s.GetLeague().GetNumTeams() - 1 << ")\n";
        return 1;
    }
    const ReleaseCalculator release(s.GetContracts());
    const std::vector<RosterRow> rows =
        BuildRosterRows(s.GetContracts(), release, ListedPlayers(s.GetLeague(), o.listing, o.team));
    if (o.csv) {
        out << RosterCsv(rows);
        return 0;
    }
    json list = json::array();
    for (const RosterRow& row : rows)
        list.push_back(RowJson(row));
    PrintJson({{"season", s.GetLeague().GetCurrentSeason()},
               {"salaryCap", s.GetOptions().salarycap},
               {"rows", list}},
              out);
    return 0;
}

int RunReleaseCommand(const std::string& path, std::int64_t id, std::ostream& out, std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "release", err) ||
        !CheckPlayerID(s.GetContracts(), id, "release", err))
        return 1;
    const auto effect = ReleaseCalculator(s.GetContracts()).Release(static_cast<int>(id));
    if (!effect) {
        err << "brevane-cli release: player " << id << " is on no club's roster\n";
        return 1;
    }
    json others = json::array();
    for (const ReleaseEffect::OtherClub& club : effect->otherClubs)
        others.push_back(
            {{"team", club.team}, {"before", FiguresJson(club.before)}, {"after", FiguresJson(club.after)}});
    PrintJson({{"id", effect->id},
               {"team", effect->team},
               {"before", FiguresJson(effect->before)},
               {"after", FiguresJson(effect->after)},
               {"savings", effect->savings},
               {"deadMoney", effect->deadMoney},
               {"otherClubs", others}},
              out);
    return 0;
}
