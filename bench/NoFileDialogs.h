#pragma once

// File dialogs for the timing programs of the windows: nothing is ever chosen.

#include "ui/FileDialogs.h"

namespace bench {

class NoFileDialogs : public FileDialogs {
  protected:
    QString Choose(const Request&) override { return {}; }
};

} // namespace bench
