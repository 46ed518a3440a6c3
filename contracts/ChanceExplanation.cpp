#include "contracts/ChanceExplanation.h"

#include "contracts/Options.h"
#include "contracts/PercentText.h"

#include <cstdio>

namespace {

std::string Fixed(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

const char* ZeroReasonName(AcceptTerms::ZeroReason reason) {
    switch (reason) {
    case AcceptTerms::NoLength:
        return "no length";
    case AcceptTerms::NoSalary:
        return "no salary";
    case AcceptTerms::BeyondSplitTable:
        return "longer than the split table";
    case AcceptTerms::BonusBelowMinimum:
        return "bonus below the minimum";
    case AcceptTerms::BonusAboveMaximum:
        return "bonus above the maximum";
    case AcceptTerms::BeyondLongestContract:
        return "longer than the longest contract";
    default:
        return "";
    }
}

std::vector<std::string> DescribeChance(const AcceptTerms& t, const Options& options) {
    switch (t.zeroReason) {
    case AcceptTerms::NoLength:
        return {"No length: an offer needs one year or more."};
    case AcceptTerms::NoSalary:
        return {"No salary: an offer needs a base salary."};
    case AcceptTerms::BeyondSplitTable:
        return {"Longer than the " + std::to_string(Options::kSplitRows) + " years of the salary splits."};
    case AcceptTerms::BonusBelowMinimum:
        return {"Bonus " + PercentBeyondBound(t.bonusPercent, true) +
                " % of the salary is below the minimum of " + std::to_string(options.min) +
                " % for more than one year."};
    case AcceptTerms::BonusAboveMaximum:
        return {"Bonus " + PercentBeyondBound(t.bonusPercent, false) +
                " % of the salary is above the maximum of " + std::to_string(options.max) +
                " % for more than one year."};
    default:
        break;
    }
    // The offer's weighted value per dollar of CGS, times 62: what the chance starts from.
    std::vector<std::string> lines{"Offer vs CGS: " + Fixed(t.offerValue)};
    // A count of declines beyond 127 reads as negative and adds points.
    if (t.declinesPenalty > 0)
        lines.push_back("Declines: -" + Fixed(t.declinesPenalty));
    else if (t.declinesPenalty < 0)
        lines.push_back("Declines: +" + Fixed(-t.declinesPenalty));
    if (t.baseChance != 0)
        lines.push_back("Base chance: " + std::string(t.baseChance > 0 ? "+" : "") +
                        std::to_string(t.baseChance));
    if (t.floored)
        lines.push_back("Below 0, counted as 0");
    lines.push_back("Chance: " + std::to_string(t.chance));
    return lines;
}
