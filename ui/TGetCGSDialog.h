#pragma once

#include "ui/TGetPlayerIDDialog.h"

#include <cstdint>

// "Enter New CGS": the front office types a player's new CGS, with or without commas. The
// caller's result is -1 until OK converts the typed text; a text that is no amount fails in
// the standard error box, leaves it at -1 and keeps the dialog open.
class TGetCGSDialog : public TGetPlayerIDDialog {
    Q_OBJECT

  public:
    explicit TGetCGSDialog(std::int32_t& result);

    void okButtonClick() override;
    void cxlButtonClick() override;

  private:
    std::int32_t& result;
};
