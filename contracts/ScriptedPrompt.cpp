#include "contracts/ScriptedPrompt.h"

ScriptedPrompt::ScriptedPrompt(std::vector<bool> answers) : answers_(answers.begin(), answers.end()) {}

bool ScriptedPrompt::Next(const std::string& caption) {
    if (auto it = byCaption_.find(caption); it != byCaption_.end())
        return it->second;
    if (answers_.empty())
        return defaultAnswer_;
    const bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedPrompt::AskYesNo(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::YesNo, text, caption});
    return Next(caption);
}

void ScriptedPrompt::ShowStop(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::Stop, text, caption});
}

bool ScriptedPrompt::AskOkCancel(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::OkCancel, text, caption});
    return Next(caption);
}

void ScriptedPrompt::ShowMessage(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::Message, text, caption});
}
