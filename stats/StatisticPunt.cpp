#include "stats/StatisticPunt.h"

#include "stats/StatNumber.h"

float StatisticPunt::NetAvg() const {
    return tolvik::GuardedQuotient(total - returnYards, count);
}

std::string StatisticPunt::StatLine() const {
    return "Punts: " + std::to_string(count) + " Long: " + std::to_string(best) +
           " TouchBacks: " + std::to_string(touchbacks) + " Total Yards: " + std::to_string(total) +
           " Average: " + tolvik::FormatFixed(tolvik::GuardedQuotient(total, count), 4, 2) +
           " Net Average: " + tolvik::FormatFixed(NetAvg(), 4, 2);
}
