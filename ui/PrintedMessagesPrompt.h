#pragma once

#include "contracts/Prompt.h"

#include <cstdio>
#include <string>

// For a run nobody watches (a picture or a timing run): the messages and error boxes are
// printed, so such a run ends with its reason instead of waiting on a box. Questions still go
// to the boxes of `asking`: an answer given for the user (such as No to recovered offers,
// which discards them) could lose the user's work.
class PrintedMessagesPrompt : public Prompt {
  public:
    PrintedMessagesPrompt(Prompt& boxes, std::FILE* stream) : asking(boxes), out(stream) {}

    bool AskYesNo(const std::string& text, const std::string& caption) override {
        return asking.AskYesNo(text, caption);
    }
    Choice AskYesNoCancel(const std::string& text, const std::string& caption) override {
        return asking.AskYesNoCancel(text, caption);
    }
    bool AskOkCancel(const std::string& text, const std::string& caption) override {
        return asking.AskOkCancel(text, caption);
    }
    void ShowStop(const std::string& text, const std::string& caption) override { Print(text, caption); }
    void ShowMessage(const std::string& text, const std::string& caption) override { Print(text, caption); }

  private:
    void Print(const std::string& text, const std::string& caption) {
        std::fprintf(out, "Brevane: %s: %s\n", caption.c_str(), text.c_str());
        std::fflush(out);
    }

    Prompt& asking;
    std::FILE* out;
};
