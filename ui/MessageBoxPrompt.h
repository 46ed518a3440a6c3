#pragma once

#include "contracts/Prompt.h"

// The kinds of message box over QMessageBox: Yes/No and Yes/No/Cancel with the question
// icon, OK with the stop (critical) icon, OK/Cancel without icon, and a plain OK box. The boxes are
// application-modal windows of their own, so they stay usable while the main window is
// disabled during a league open.
class MessageBoxPrompt : public Prompt {
  public:
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    Choice AskYesNoCancel(const std::string& text, const std::string& caption) override;
    void ShowStop(const std::string& text, const std::string& caption) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
};
