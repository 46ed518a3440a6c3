#include "stats/StatisticSafety.h"

StatisticSafety::StatisticSafety(const std::uint16_t* words) : Statistic(words) {}

std::string StatisticSafety::StatLine() const {
    return "Safeties: " + std::to_string(count);
}
