#include "stats/StatisticPunt.h"

#include "stats/StatNumber.h"

StatisticPunt::StatisticPunt(const std::uint16_t* words)
    : StatisticSum(words), blocked(words[6]), returnYards(static_cast<std::int16_t>(words[8])),
      touchbacks(words[9]) {}

float StatisticPunt::NetAvg() const {
    return tolvik::GuardedQuotient(total - returnYards, count);
}

std::string StatisticPunt::StatLine() const {
    return "Punts: " + std::to_string(count) + " Long: " + std::to_string(best) +
           " TouchBacks: " + std::to_string(touchbacks) + " Total Yards: " + std::to_string(total) +
           " Average: " + tolvik::FormatFixed(tolvik::GuardedQuotient(total, count), 4, 2) +
           " Net Average: " + tolvik::FormatFixed(NetAvg(), 4, 2);
}
