#include "contracts/ScriptedPrompt.h"

ScriptedPrompt::ScriptedPrompt(std::vector<bool> answers) : answers_(answers.begin(), answers.end()) {}

bool ScriptedPrompt::Next() {
    if (answers_.empty())
        return defaultAnswer_;
    const bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedPrompt::AskYesNo(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::YesNo, text, caption});
    return Next();
}

void ScriptedPrompt::ShowStop(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::Stop, text, caption});
}

bool ScriptedPrompt::AskOkCancel(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::OkCancel, text, caption});
    return Next();
}

void ScriptedPrompt::ShowMessage(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::Message, text, caption});
}
