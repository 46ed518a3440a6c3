#include "stats/StatisticSack.h"

std::string StatisticSack::StatLine() const {
    return "Sacks: " + std::to_string(count);
}
