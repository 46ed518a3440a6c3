#include "stats/StatisticFumbleRec.h"

StatisticFumbleRec::StatisticFumbleRec(const std::uint16_t* words) : StatisticSum(words) {}

std::string StatisticFumbleRec::StatLine() const {
    return PlaysLine("Fumble Recoveries: ");
}
