#include "contracts/PositionText.h"

#include <iterator>

const char* PositionText(int specificCode) {
    static const char* const kTexts[] = {"QB", "FB", "HB", "TE", "WR", "C", "G", "T",
                                         "DE", "DT", "LB", "CB", "S",  "K", "P"};
    return specificCode >= 0 && specificCode < static_cast<int>(std::size(kTexts)) ? kTexts[specificCode]
                                                                                   : "";
}
