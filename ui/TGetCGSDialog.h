#pragma once

#include "ui/TGetPlayerIDDialog.h"

#include <cstdint>

// "Enter New CGS": the front office types a player's new CGS. The caller's result is -1
// until OK converts the typed text; a text that is not a whole number fails in the
// standard error box and leaves it at -1.
class TGetCGSDialog : public TGetPlayerIDDialog {
    Q_OBJECT

  public:
    explicit TGetCGSDialog(std::int32_t& result);

    void okButtonClick() override;
    void cxlButtonClick() override;

  private:
    std::int32_t& result;
};
