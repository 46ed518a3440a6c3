#include "stats/StatisticPunt.h"

#include "stats/StatLineText.h"
#include "stats/StatNumber.h"

float StatisticPunt::NetAvg() const {
    return tolvik::GuardedQuotient(total - returnYards, count);
}

std::string StatisticPunt::StatLine() const {
    return (StatLineText() << "Punts: " << count << " Long: " << best << " TouchBacks: " << touchbacks
                           << " Total Yards: " << total
                           << " Average: " << tolvik::FormatFixed(tolvik::GuardedQuotient(total, count), 4, 2)
                           << " Net Average: " << tolvik::FormatFixed(NetAvg(), 4, 2))
        .Take();
}
