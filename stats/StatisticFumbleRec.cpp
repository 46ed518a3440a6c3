#include "stats/StatisticFumbleRec.h"

std::string StatisticFumbleRec::StatLine() const {
    return PlaysLine("Fumble Recoveries: ");
}
