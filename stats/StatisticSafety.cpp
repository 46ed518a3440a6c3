#include "stats/StatisticSafety.h"

std::string StatisticSafety::StatLine() const {
    return "Safeties: " + std::to_string(count);
}
