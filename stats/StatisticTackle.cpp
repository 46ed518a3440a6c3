#include "stats/StatisticTackle.h"

std::string StatisticTackle::StatLine() const {
    return "Tackles: " + std::to_string(count);
}
