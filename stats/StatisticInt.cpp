#include "stats/StatisticInt.h"

std::string StatisticInt::StatLine() const {
    return PlaysLine("Interceptions: ");
}
