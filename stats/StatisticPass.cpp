#include "stats/StatisticPass.h"

#include "stats/StatLineText.h"
#include "stats/StatNumber.h"

std::string StatisticPass::StatLine() const {
    // The average is yards per completion, not per attempt.
    return (StatLineText() << "Passing Comp/Att: " << completions << "/" << count << " Comp%: "
                           << tolvik::FormatFixed(tolvik::GuardedPercentage(completions, count), 3, 1)
                           << " TDs: " << td << " Total Yards: " << total << " Average: "
                           << tolvik::FormatFixed(tolvik::GuardedQuotient(total, completions), 4, 2))
        .Take();
}
