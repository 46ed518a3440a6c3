#include "stats/StatisticRush.h"

std::string StatisticRush::StatLine() const {
    return YardsLine("Rushes: ");
}
