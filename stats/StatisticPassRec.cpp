#include "stats/StatisticPassRec.h"

StatisticPassRec::StatisticPassRec(const std::uint16_t* words) : StatisticSum(words) {}

std::string StatisticPassRec::StatLine() const {
    return YardsLine("Receptions: ");
}
