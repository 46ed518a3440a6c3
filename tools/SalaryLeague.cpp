#include "tools/SalaryLeague.h"

#include "contracts/ContractList.h"
#include "contracts/ScriptedPrompt.h"
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

bool OpenSalary(OpenLeagueState& s, const std::string& path, SalaryCreate create, const std::string& command,
                std::ostream& err) {
    if (!OpenLeagueForCommand(s, path, command, err))
        return false;
    ScriptedPrompt prompt;
    // A write that fails fails the command: the defaults of a missing "salreg", or the
    // salary information a conversion or a build made.
    if (!s.LoadOptions(prompt)) {
        ReportMessages(prompt, command, err);
        err << "brevane-cli " << command << ": cannot write the options file " << s.GetOptions().FilePath()
            << ": " << s.OptionsWriteError() << '\n';
        return false;
    }
    prompt.AnswerCaption("Convert File?", create == SalaryCreate::Convert);
    prompt.AnswerCaption("Build Salary Info?", create == SalaryCreate::Build);
    s.ReadSalaryInfo(prompt);
    ReportMessages(prompt, command, err);
    for (const std::string& why : {s.GetContracts().GetSaveError(), s.GetContracts().GetLoadError()})
        if (!s.IsSalaryLoaded() && !why.empty()) {
            err << "brevane-cli " << command << ": " << why << '\n';
            return false;
        }
    return true;
}

bool CheckPlayerID(const ContractList& list, std::int64_t id, const std::string& command, std::ostream& err) {
    if (id >= ContractList::kFirstID && id < list.Count())
        return true;
    err << "brevane-cli " << command << ": no player with ID " << id << " (players are "
        << ContractList::kFirstID << " to " << list.Count() - 1 << ")\n";
    return false;
}
