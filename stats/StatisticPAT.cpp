#include "stats/StatisticPAT.h"

std::string StatisticPAT::StatLine() const {
    return "Extra Point Made/Attempted: " + std::to_string(made) + "/" + std::to_string(count);
}
