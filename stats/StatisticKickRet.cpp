#include "stats/StatisticKickRet.h"

StatisticKickRet::StatisticKickRet(const std::uint16_t* words) : StatisticSum(words) {}

std::string StatisticKickRet::StatLine() const {
    return YardsLine("KickOff Returns: ");
}
