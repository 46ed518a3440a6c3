#include "stats/StatisticFumble.h"

std::string StatisticFumble::StatLine() const {
    return "Fumbles: " + std::to_string(count);
}
