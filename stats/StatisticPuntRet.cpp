#include "stats/StatisticPuntRet.h"

StatisticPuntRet::StatisticPuntRet(const std::uint16_t* words) : StatisticSum(words), fairCatches(words[6]) {}

std::string StatisticPuntRet::StatLine() const {
    return "Returns: " + std::to_string(count) + " Long: " + std::to_string(best) +
           " TDs: " + std::to_string(td) + " Total Yards: " + std::to_string(total) +
           " Fair Catches: " + std::to_string(fairCatches);
}
