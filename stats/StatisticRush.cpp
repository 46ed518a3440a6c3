#include "stats/StatisticRush.h"

StatisticRush::StatisticRush(const std::uint16_t* words) : StatisticSum(words) {}

std::string StatisticRush::StatLine() const {
    return YardsLine("Rushes: ");
}
