#include "contracts/ScriptedPrompt.h"

ScriptedPrompt::ScriptedPrompt(std::vector<bool> answers) {
    for (const bool answer : answers)
        Answer(answer);
}

Prompt::Choice ScriptedPrompt::Next(const std::string& caption) {
    const auto choice = [](bool yes) { return yes ? Choice::Yes : Choice::No; };
    if (auto it = byCaption_.find(caption); it != byCaption_.end())
        return choice(it->second);
    if (answers_.empty())
        return choice(defaultAnswer_);
    const Choice answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedPrompt::AskYesNo(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::YesNo, text, caption});
    return Next(caption) == Choice::Yes;
}

Prompt::Choice ScriptedPrompt::AskYesNoCancel(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::YesNoCancel, text, caption});
    return Next(caption);
}

void ScriptedPrompt::ShowStop(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::Stop, text, caption});
}

bool ScriptedPrompt::AskOkCancel(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::OkCancel, text, caption});
    return Next(caption) == Choice::Yes;
}

void ScriptedPrompt::ShowMessage(const std::string& text, const std::string& caption) {
    shown_.push_back({Kind::Message, text, caption});
}
