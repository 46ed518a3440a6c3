#include "stats/StatisticSum.h"

#include "stats/StatLineText.h"
#include "stats/StatNumber.h"

std::string StatisticSum::PlaysLine(const char* label) const {
    return (StatLineText() << label << count << " Long: " << best << " TDs: " << td).Take();
}

std::string StatisticSum::YardsLine(const char* label) const {
    return (StatLineText() << label << count << " Long: " << best << " TDs: " << td
                           << " Total Yards: " << total << " Average: "
                           << tolvik::FormatFixed(tolvik::GuardedQuotient(total, count), 4, 2))
        .Take();
}
