#include "stats/StatisticFumble.h"

StatisticFumble::StatisticFumble(const std::uint16_t* words) : Statistic(words) {}

std::string StatisticFumble::StatLine() const {
    return "Fumbles: " + std::to_string(count);
}
