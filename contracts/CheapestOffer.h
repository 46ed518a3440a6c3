#pragma once

#include "contracts/Contract.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Commissioner;
class Options;

// The least base salary that reaches a target chance, for each contract length.
struct CheapestOffer {
    enum class BonusRule {
        Most,  // the largest bonus the rules allow: floor(salary x max / 100)
        Least, // the least whole bonus not below salary x min / 100
        None,  // no bonus (one-year offers, which the bonus bounds do not hold)
    };

    int years = 0;
    int target = 0;
    BonusRule bonusRule = BonusRule::Most;
    std::optional<std::uint32_t> salary; // none when no 32-bit salary reaches the target
    std::optional<std::uint32_t> bonus;
    std::int32_t chance = 0; // the chance of the answer
};

// The default targets: 60, 75 and 90 %.
const std::vector<int>& DefaultChanceTargets();

// For each length from 1 to the longest contract the options allow (at most 7) and each
// target: the cheapest offer with the most and with the least bonus, and for one year also
// with no bonus. The salary found reaches the target and one dollar less does not.
std::vector<CheapestOffer> FindCheapestOffers(const Commissioner& commissioner, const Contract& contract,
                                              const Options& options, const std::vector<int>& targets);

const char* BonusRuleName(CheapestOffer::BonusRule rule);

// The cells of one answer as the "Cheapest Offers" window shows them: length, target, bonus
// rule, salary and bonus ("none" when no salary reaches the target) and the chance.
std::array<std::string, 6> DescribeCheapestOffer(const CheapestOffer& offer);
const std::array<const char*, 6>& CheapestOfferHeadings();

// The targets: 60, 75 and 90 %, and the one the user typed when it is a whole number from
// 1 up and not one of them already. Throws ConversionError for text that is not a number.
std::vector<int> ChanceTargets(const std::string& typed);
