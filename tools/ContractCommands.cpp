#include "tools/CommandSupport.h"
#include "tools/Commands.h"
#include "tools/SalaryLeague.h"

#include "contracts/Commissioner.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "contracts/OptionsEditor.h"
#include "contracts/ScriptedPrompt.h"
#include "contracts/SignedMoney.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "league/MoneyText.h"

#include <algorithm>
#include <iomanip>
#include <memory>
#include <ostream>

using json = nlohmann::ordered_json;

namespace {

json ContractJson(const ContractList& list, int id) {
    const Contract c = list.GetContract(id);
    json capHits = json::array();
    for (int k = 1; k <= 7; ++k)
        capHits.push_back(list.YearCharge(id, k, Contract::BaseAndBonus));
    return {{"id", id},
            {"yrSigned", c.yrSigned},
            {"status", c.status},
            {"contractTeam", static_cast<int>(c.contractTeam)},
            {"offerTeam", static_cast<int>(c.offerTeam)},
            {"cgs", c.cgs},
            {"years", static_cast<int>(c.years)},
            {"bonus", c.bonus},
            {"salary", c.salary},
            {"declines", c.declines},
            {"round", c.round},
            {"pick", c.pick},
            {"capHits", capHits},
            {"currentBase", list.YearCharge(id, 0, Contract::BaseOnly)},
            {"currentBonus", list.YearCharge(id, 0, Contract::BonusOnly)}};
}

// Characters of a UTF-8 text, for lining up columns.
std::size_t CharCount(const std::string& text) {
    std::size_t chars = 0;
    for (unsigned char ch : text)
        chars += (ch & 0xC0) != 0x80;
    return chars;
}

} // namespace

int RunSalaryCommand(const std::string& path, SalaryCreate create, std::ostream& out, std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, create, "salary", err))
        return 1;
    const ContractList& list = s.GetContracts();
    json contracts = json::array();
    for (int id = ContractList::kFirstID; id < list.Count(); ++id)
        contracts.push_back(ContractJson(list, id));
    json teams = json::array();
    for (int t = 0; t < list.GetNumTeams(); ++t) {
        const TeamInfo info = list.GetTeamInfo(t);
        teams.push_back({{"index", t},
                         {"restructures", info.restructures},
                         {"counter2", info.counter2},
                         {"bonusSpent", info.bonusSpent},
                         {"currentPayroll", info.currentPayroll},
                         {"estimatedPayroll", info.estimatedPayroll}});
    }
    PrintJson({{"loaded", s.IsSalaryLoaded()}, {"contracts", contracts}, {"teams", teams}}, out);
    return 0;
}

int RunAcceptCommand(const std::string& path, std::int64_t id, int years, std::uint32_t salary,
                     std::uint32_t bonus, std::ostream& out, std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "accept", err))
        return 1;
    if (!CheckPlayerID(s.GetContracts(), id, "accept", err))
        return 1;
    // Without salary information the editor shows the chance on the default record; so does this.
    const std::int32_t chance = s.GetContracts().GetCommissioner().AcceptChance(
        s.GetContracts().GetContract(static_cast<int>(id)), years, salary, bonus);
    PrintJson({{"chance", chance}, {"loaded", s.IsSalaryLoaded()}}, out);
    return 0;
}

int RunPayrollCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    OpenLeagueState s;
    // As the program does on first opening: build the salary information when it is missing.
    if (!OpenSalary(s, path, SalaryCreate::Build, "payroll", err))
        return 1;
    if (!s.IsSalaryLoaded()) {
        err << "brevane-cli payroll: no salary information could be loaded or built\n";
        return 1;
    }
    const ContractList& list = s.GetContracts();
    std::size_t nameWidth = 4;
    for (int t = 0; t < list.GetNumTeams(); ++t)
        nameWidth = std::max(nameWidth, CharCount(Latin1ToUtf8(s.GetLeague().GetTeamName(t))));
    out << "Payrolls of " << Latin1ToUtf8(s.GetLeague().GetLeagueName()) << ", season "
        << s.GetLeague().GetCurrentSeason() << " (salary cap " << SignedMoney(s.GetOptions().salarycap)
        << ", bonus limit " << SignedMoney(s.GetOptions().bonuslimit) << ")\n\n";
    out << std::left << std::setw(static_cast<int>(nameWidth)) << "Team" << std::right << std::setw(20)
        << "Bonus Money Spent" << std::setw(18) << "Current Payroll" << std::setw(20) << "Estimated Payroll"
        << '\n';
    for (int t = 0; t < list.GetNumTeams(); ++t) {
        const TeamInfo info = list.GetTeamInfo(t);
        const std::string name = Latin1ToUtf8(s.GetLeague().GetTeamName(t));
        const std::size_t chars = CharCount(name);
        out << name << std::string(nameWidth > chars ? nameWidth - chars : 0, ' ') << std::right
            << std::setw(20) << SignedMoney(info.bonusSpent) << std::setw(18)
            << SignedMoney(info.currentPayroll) << std::setw(20) << SignedMoney(info.estimatedPayroll)
            << '\n';
    }
    return 0;
}

namespace {

// The rules and tuning values as the options window loads them, every field under its own name.
// What became of "salreg": read, created with the defaults, or kept as it is because it is
// of a newer version or cannot be read (the options are then the defaults).
const char* OptionsFileText(Options::FileState state) {
    switch (state) {
    case Options::FileState::Read:
        return "read";
    case Options::FileState::Created:
        return "created";
    case Options::FileState::Missing:
        return "missing";
    case Options::FileState::Newer:
        return "newer";
    case Options::FileState::Unreadable:
        break;
    }
    return "unreadable";
}

json OptionsJson(const Options& o) {
    json doc;
    doc["max_length"] = o.max_length;
    doc["salarycap"] = o.salarycap;
    doc["bonuslimit"] = o.bonuslimit;
    doc["add_retired"] = o.add_retired != 0;
    doc["ly_restruct"] = o.ly_restruct != 0;
    doc["agerfa"] = o.agerfa;
    doc["ageufa"] = o.ageufa;
    doc["min"] = o.min;
    doc["max"] = o.max;
    doc["fp_adj"] = o.fp_adj;
    doc["tp_adj"] = o.tp_adj;
    doc["restruct"] = o.restruct;
    doc["declines"] = o.declines;
    doc["basechance"] = o.basechance;
    doc["xfaDecline"] = o.xfaDecline;
    doc["restructDecline"] = o.restructDecline;
    json splits = json::array();
    for (int r = 0; r < Options::kSplitRows; ++r)
        splits.push_back(o.GetSplits(r));
    doc["splits"] = splits;
    json weights = json::array();
    json starters = json::array();
    json curve = json::array();
    for (int g = 0; g < Options::kGroups; ++g) {
        weights.push_back(o.GetWeights(g));
        starters.push_back(o.starters[g]);
        curve.push_back(o.GetCurve(g));
    }
    doc["weights"] = weights;
    doc["starters"] = starters;
    doc["curve"] = curve;
    doc["penalty"] = o.penalty;
    doc["hid_pote"] = o.hid_pote != 0;
    doc["lim_attempts"] = o.lim_attempts != 0;
    doc["res_attempts"] = o.res_attempts;
    json rookie = json::array();
    for (int r = 1; r < Options::kRounds; ++r)
        rookie.push_back(std::vector<std::int32_t>(o.rookieCGS[r] + 1, o.rookieCGS[r] + Options::kPicks));
    doc["rookieCGS"] = rookie;
    doc["includerookie"] = o.includerookie != 0;
    doc["useStats"] = o.useStats != 0;
    for (int i = 0; i < Options::kStatValues; ++i)
        doc[OptionsEditor::kStatNames[i]] = o.*Options::kStatFields[i];
    doc["holdouts"] = o.holdouts != 0;
    doc["ho_base"] = o.ho_base;
    doc["rookieSummary"] = OptionsEditor::RookieSummary(o);
    doc["optionsFile"] = OptionsFileText(o.GetFileState());
    return doc;
}

} // namespace

int RunOptionsCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    OpenLeagueState s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "options", err))
        return 1;
    PrintJson(OptionsJson(s.GetOptions()), out);
    return 0;
}
