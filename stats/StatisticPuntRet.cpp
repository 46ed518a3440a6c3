#include "stats/StatisticPuntRet.h"

std::string StatisticPuntRet::StatLine() const {
    return "Returns: " + std::to_string(count) + " Long: " + std::to_string(best) +
           " TDs: " + std::to_string(td) + " Total Yards: " + std::to_string(total) +
           " Fair Catches: " + std::to_string(fairCatches);
}
