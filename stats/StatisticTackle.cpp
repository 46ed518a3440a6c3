#include "stats/StatisticTackle.h"

StatisticTackle::StatisticTackle(const std::uint16_t* words) : Statistic(words) {}

std::string StatisticTackle::StatLine() const {
    return "Tackles: " + std::to_string(count);
}
