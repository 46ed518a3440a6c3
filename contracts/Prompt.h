#pragma once

#include <string>

// The four kinds of message box the model shows. The windows implement them with real
// dialogs; tests and the command-line tool answer them from a script.
class Prompt {
  public:
    virtual ~Prompt() = default;

    // A Yes/No question with the question icon; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // An OK box with the stop icon.
    virtual void ShowStop(const std::string& text, const std::string& caption) = 0;
    // An OK/Cancel box without icon; true for OK.
    virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
    // A plain OK box.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};
