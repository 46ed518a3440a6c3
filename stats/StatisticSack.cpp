#include "stats/StatisticSack.h"

StatisticSack::StatisticSack(const std::uint16_t* words) : Statistic(words) {}

std::string StatisticSack::StatLine() const {
    return "Sacks: " + std::to_string(count);
}
