#pragma once

#include "contracts/Prompt.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

// Answers the questions from a queue of scripted answers and records every box shown,
// so that tests and the command-line tool can drive the model without a person.
class ScriptedPrompt : public Prompt {
  public:
    enum class Kind { YesNo, Stop, OkCancel, Message, YesNoCancel };

    struct Shown {
        Kind kind;
        std::string text;
        std::string caption;
    };

    ScriptedPrompt() = default;
    // The answers given to the questions (Yes/No and OK/Cancel), in the order asked.
    explicit ScriptedPrompt(std::vector<bool> answers);

    // true answers Yes or OK, false No or Cancel.
    void Answer(bool answer) { answers_.push_back(answer ? Choice::Yes : Choice::No); }
    // Backs out of the next question (No or Cancel where there is no third answer).
    void AnswerCancel() { answers_.push_back(Choice::Cancel); }
    // A fixed answer to every question with this caption, used before the queue.
    void AnswerCaption(const std::string& caption, bool answer) { byCaption_[caption] = answer; }
    // The answer given when the script has run out (No / Cancel unless changed).
    void SetDefaultAnswer(bool answer) { defaultAnswer_ = answer; }

    bool AskYesNo(const std::string& text, const std::string& caption) override;
    Choice AskYesNoCancel(const std::string& text, const std::string& caption) override;
    void ShowStop(const std::string& text, const std::string& caption) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;

    const std::vector<Shown>& History() const { return shown_; }
    // Scripted answers not used yet.
    std::size_t Unused() const { return answers_.size(); }

  private:
    Choice Next(const std::string& caption);

    std::deque<Choice> answers_;
    std::map<std::string, bool> byCaption_;
    bool defaultAnswer_ = false;
    std::vector<Shown> shown_;
};
