#include "stats/StatisticInt.h"

StatisticInt::StatisticInt(const std::uint16_t* words) : StatisticSum(words) {}

std::string StatisticInt::StatLine() const {
    return PlaysLine("Interceptions: ");
}
