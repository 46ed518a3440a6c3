#include "tools/SalaryLeague.h"

#include "contracts/ScriptedPrompt.h"
#include "league/FileAccess.h"
#include "tools/CommandSupport.h"

#include <ostream>

namespace {

// Reports the boxes the model showed (not the questions the flags answered) as notes.
void ReportMessages(const ScriptedPrompt& prompt, const std::string& command, std::ostream& err) {
    for (const auto& shown : prompt.History())
        if (shown.kind != ScriptedPrompt::Kind::YesNo && shown.kind != ScriptedPrompt::Kind::OkCancel)
            err << "brevane-cli " << command << ": " << shown.text
                << (shown.caption.empty() ? "" : " (" + shown.caption + ")") << '\n';
}

} // namespace

bool OpenSalary(SalaryLeague& s, const std::string& path, SalaryCreate create, const std::string& command,
                std::ostream& err) {
    ScriptedPrompt prompt;
    s.options.Load(tolvik::PathFolder(path), prompt);
    if (!OpenLeagueForCommand(s.league, path, command, err)) {
        ReportMessages(prompt, command, err);
        return false;
    }
    s.list = std::make_unique<ContractList>(s.league, s.options);
    prompt.AnswerCaption("Convert File?", create == SalaryCreate::Convert);
    prompt.AnswerCaption("Build Salary Info?", create == SalaryCreate::Build);
    s.loaded = s.list->Load(prompt);
    ReportMessages(prompt, command, err);
    return true;
}

bool CheckPlayerID(const ContractList& list, int id, const std::string& command, std::ostream& err) {
    if (id >= ContractList::kFirstID && id < list.Count())
        return true;
    err << "brevane-cli " << command << ": no player with ID " << id << " (players are "
        << ContractList::kFirstID << " to " << list.Count() - 1 << ")\n";
    return false;
}
