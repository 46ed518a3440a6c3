#include "stats/StatisticSum.h"

#include "stats/StatNumber.h"

std::string StatisticSum::PlaysLine(const char* label) const {
    return label + std::to_string(count) + " Long: " + std::to_string(best) + " TDs: " + std::to_string(td);
}

std::string StatisticSum::YardsLine(const char* label) const {
    return PlaysLine(label) + " Total Yards: " + std::to_string(total) +
           " Average: " + tolvik::FormatFixed(tolvik::GuardedQuotient(total, count), 4, 2);
}
