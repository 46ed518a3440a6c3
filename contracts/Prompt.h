#pragma once

#include <string>

// The kinds of message box the model and the windows show. The windows implement them with
// real dialogs; tests and the command-line tool answer them from a script.
class Prompt {
  public:
    enum class Choice { Yes, No, Cancel };

    virtual ~Prompt() = default;

    // A Yes/No question with the question icon; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // A Yes/No question that can also be backed out of (Cancel, Escape or closing the box),
    // with the question icon: on Cancel whatever asked does not happen.
    virtual Choice AskYesNoCancel(const std::string& text, const std::string& caption) = 0;
    // An OK box with the stop icon.
    virtual void ShowStop(const std::string& text, const std::string& caption) = 0;
    // An OK/Cancel box without icon; true for OK.
    virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
    // A plain OK box.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};
