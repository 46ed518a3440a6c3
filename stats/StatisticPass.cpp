#include "stats/StatisticPass.h"

#include "stats/StatNumber.h"

std::string StatisticPass::StatLine() const {
    // The average is yards per completion, not per attempt.
    return "Passing Comp/Att: " + std::to_string(completions) + "/" + std::to_string(count) +
           " Comp%: " + tolvik::FormatFixed(tolvik::GuardedPercentage(completions, count), 3, 1) +
           " TDs: " + std::to_string(td) + " Total Yards: " + std::to_string(total) +
           " Average: " + tolvik::FormatFixed(tolvik::GuardedQuotient(total, completions), 4, 2);
}
