#include "stats/StatisticKickRet.h"

std::string StatisticKickRet::StatLine() const {
    return YardsLine("KickOff Returns: ");
}
