#include "stats/StatisticPAT.h"

StatisticPAT::StatisticPAT(const std::uint16_t* words) : Statistic(words), made(words[3]) {}

std::string StatisticPAT::StatLine() const {
    return "Extra Point Made/Attempted: " + std::to_string(made) + "/" + std::to_string(count);
}
