#include "stats/StatisticPenalty.h"

StatisticPenalty::StatisticPenalty(const std::uint16_t* words) : Statistic(words) {}
