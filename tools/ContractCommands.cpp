#include "tools/CommandSupport.h"
#include "tools/Commands.h"

#include "contracts/Commissioner.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "contracts/ScriptedPrompt.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "league/MoneyText.h"

#include <algorithm>
#include <iomanip>
#include <memory>
#include <ostream>

using json = nlohmann::ordered_json;

namespace {

// The open league with its options and salary information: the league first, so that its
// folder is locked and known to be a league's before the options are read from "salreg"
// there (and defaults written), then the list.
struct SalaryLeague {
    Options options;
    League league;
    std::unique_ptr<ContractList> list;
    bool loaded = false;
};

// Reports the boxes the model showed (not the questions the flags answered) as notes.
void ReportMessages(const ScriptedPrompt& prompt, const std::string& command, std::ostream& err) {
    for (const auto& shown : prompt.History())
        if (shown.kind != ScriptedPrompt::Kind::YesNo && shown.kind != ScriptedPrompt::Kind::OkCancel)
            err << "brevane-cli " << command << ": " << shown.text
                << (shown.caption.empty() ? "" : " (" + shown.caption + ")") << '\n';
}

bool OpenSalary(SalaryLeague& s, const std::string& path, SalaryCreate create, const std::string& command,
                std::ostream& err) {
    ScriptedPrompt prompt;
    if (!OpenLeagueForCommand(s.league, path, command, err))
        return false;
    s.options.Load(s.league.GetLeagueFolder(), prompt);
    if (!s.options.WritePending())
        err << "brevane-cli " << command << ": cannot write the options file " << s.options.FilePath() << ": "
            << tolvik::FileErrorText(tolvik::LastFileError()) << '\n';
    s.list = std::make_unique<ContractList>(s.league, s.options);
    prompt.AnswerCaption("Convert File?", create == SalaryCreate::Convert);
    prompt.AnswerCaption("Build Salary Info?", create == SalaryCreate::Build);
    s.loaded = s.list->Load(prompt);
    ReportMessages(prompt, command, err);
    return true;
}

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

std::string Money(std::int32_t amount) {
    if (amount >= 0)
        return FormatMoney(static_cast<unsigned int>(amount));
    std::string text = FormatMoney(static_cast<unsigned int>(-static_cast<std::int64_t>(amount)));
    text.insert(text.begin(), '-');
    return text;
}

} // namespace

int RunSalaryCommand(const std::string& path, SalaryCreate create, std::ostream& out, std::ostream& err) {
    SalaryLeague s;
    if (!OpenSalary(s, path, create, "salary", err))
        return 1;
    const ContractList& list = *s.list;
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
    PrintJson({{"loaded", s.loaded}, {"contracts", contracts}, {"teams", teams}}, out);
    return 0;
}

int RunAcceptCommand(const std::string& path, int id, int years, std::uint32_t salary, std::uint32_t bonus,
                     std::ostream& out, std::ostream& err) {
    SalaryLeague s;
    if (!OpenSalary(s, path, SalaryCreate::NoCreate, "accept", err))
        return 1;
    if (!s.loaded) {
        err << "brevane-cli accept: the league has no salary information; make it with "
               "\"brevane-cli salary PATH --build\" (or --convert)\n";
        return 1;
    }
    if (id < ContractList::kFirstID || id >= s.list->Count()) {
        err << "brevane-cli accept: no player with ID " << id << " (players are " << ContractList::kFirstID
            << " to " << s.list->Count() - 1 << ")\n";
        return 1;
    }
    const std::int32_t chance =
        s.list->GetCommissioner().AcceptChance(s.list->GetContract(id), years, salary, bonus);
    PrintJson({{"chance", chance}}, out);
    return 0;
}

int RunPayrollCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    SalaryLeague s;
    // As the program does on first opening: build the salary information when it is missing.
    if (!OpenSalary(s, path, SalaryCreate::Build, "payroll", err))
        return 1;
    if (!s.loaded) {
        err << "brevane-cli payroll: no salary information could be loaded or built\n";
        return 1;
    }
    const ContractList& list = *s.list;
    std::size_t nameWidth = 4;
    for (int t = 0; t < list.GetNumTeams(); ++t)
        nameWidth = std::max(nameWidth, CharCount(Latin1ToUtf8(s.league.GetTeamName(t))));
    out << "Payrolls of " << Latin1ToUtf8(s.league.GetLeagueName()) << ", season "
        << s.league.GetCurrentSeason() << " (salary cap " << Money(s.options.salarycap) << ", bonus limit "
        << Money(s.options.bonuslimit) << ")\n\n";
    out << std::left << std::setw(static_cast<int>(nameWidth)) << "Team" << std::right << std::setw(20)
        << "Bonus Money Spent" << std::setw(18) << "Current Payroll" << std::setw(20) << "Estimated Payroll"
        << '\n';
    for (int t = 0; t < list.GetNumTeams(); ++t) {
        const TeamInfo info = list.GetTeamInfo(t);
        const std::string name = Latin1ToUtf8(s.league.GetTeamName(t));
        const std::size_t chars = CharCount(name);
        out << name << std::string(nameWidth > chars ? nameWidth - chars : 0, ' ') << std::right
            << std::setw(20) << Money(info.bonusSpent) << std::setw(18) << Money(info.currentPayroll)
            << std::setw(20) << Money(info.estimatedPayroll) << '\n';
    }
    return 0;
}
