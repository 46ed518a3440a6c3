#include "stats/StatisticPuntRet.h"

#include "stats/StatLineText.h"

std::string StatisticPuntRet::StatLine() const {
    return (StatLineText() << "Returns: " << count << " Long: " << best << " TDs: " << td
                           << " Total Yards: " << total << " Fair Catches: " << fairCatches)
        .Take();
}
