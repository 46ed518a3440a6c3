#include "contracts/CheapestOffer.h"

#include "contracts/Commissioner.h"
#include "contracts/Options.h"
#include "contracts/TextToInt.h"
#include "league/MoneyText.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::uint64_t kMaxMoney = std::numeric_limits<std::uint32_t>::max();

// The bonus of a salary under a rule, or none when it does not fit in 32 bits.
std::optional<std::uint32_t> BonusOf(CheapestOffer::BonusRule rule, std::uint64_t salary,
                                     const Options& options) {
    std::int64_t bonus = 0;
    if (rule == CheapestOffer::BonusRule::Most)
        bonus = static_cast<std::int64_t>(salary) * options.max / 100; // floor for a non-negative product
    else if (rule == CheapestOffer::BonusRule::Least)
        bonus = (static_cast<std::int64_t>(salary) * options.min + 99) / 100; // ceiling
    if (bonus < 0)
        bonus = 0;
    if (static_cast<std::uint64_t>(bonus) > kMaxMoney)
        return std::nullopt;
    return static_cast<std::uint32_t>(bonus);
}

// The largest salary whose bonus under the rule still fits in 32 bits.
std::uint64_t LargestSalary(CheapestOffer::BonusRule rule, const Options& options) {
    const int percent = rule == CheapestOffer::BonusRule::Most    ? options.max
                        : rule == CheapestOffer::BonusRule::Least ? options.min
                                                                  : 0;
    if (percent <= 100)
        return kMaxMoney;
    std::uint64_t lo = 0;
    std::uint64_t hi = kMaxMoney; // BonusOf(lo) fits; find the last that does
    while (lo < hi) {
        const std::uint64_t mid = lo + (hi - lo + 1) / 2;
        if (BonusOf(rule, mid, options))
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

CheapestOffer Find(const Commissioner& commissioner, const Contract& contract, bool freeAgent,
                   const Options& options, int years, int target, CheapestOffer::BonusRule rule) {
    CheapestOffer answer;
    answer.years = years;
    answer.target = target;
    answer.bonusRule = rule;
    auto chanceAt = [&](std::uint64_t salary) {
        const auto bonus = BonusOf(rule, salary, options);
        return commissioner
            .ExplainChance(contract, freeAgent, years, static_cast<std::uint32_t>(salary), bonus.value_or(0))
            .chance;
    };
    const std::uint64_t top = LargestSalary(rule, options);
    if (top < 1 || chanceAt(top) < target)
        return answer;
    // The chance grows with the salary; bisect keeping "lo misses, hi reaches" (salary 0 is no offer).
    std::uint64_t lo = 0;
    std::uint64_t hi = top;
    while (hi - lo > 1) {
        const std::uint64_t mid = lo + (hi - lo) / 2;
        if (chanceAt(mid) >= target)
            hi = mid;
        else
            lo = mid;
    }
    answer.salary = static_cast<std::uint32_t>(hi);
    answer.bonus = BonusOf(rule, hi, options);
    answer.chance = chanceAt(hi);
    return answer;
}

} // namespace

const std::vector<int>& DefaultChanceTargets() {
    static const std::vector<int> targets{60, 75, 90};
    return targets;
}

const char* BonusRuleName(CheapestOffer::BonusRule rule) {
    switch (rule) {
    case CheapestOffer::BonusRule::Most:
        return "most";
    case CheapestOffer::BonusRule::Least:
        return "least";
    default:
        return "none";
    }
}

std::vector<CheapestOffer> FindCheapestOffers(const Commissioner& commissioner, const Contract& contract,
                                              const Options& options, const std::vector<int>& targets) {
    std::vector<CheapestOffer> rows;
    const bool freeAgent = commissioner.IsFreeAgent(contract);
    const int longest = std::clamp(options.max_length, 0, Options::kSplitRows);
    for (int years = 1; years <= longest; ++years) {
        for (int target : targets) {
            rows.push_back(Find(commissioner, contract, freeAgent, options, years, target,
                                CheapestOffer::BonusRule::Most));
            rows.push_back(Find(commissioner, contract, freeAgent, options, years, target,
                                CheapestOffer::BonusRule::Least));
            if (years == 1)
                rows.push_back(Find(commissioner, contract, freeAgent, options, years, target,
                                    CheapestOffer::BonusRule::None));
        }
    }
    return rows;
}

std::array<std::string, 6> DescribeCheapestOffer(const CheapestOffer& offer) {
    const char* rule = offer.bonusRule == CheapestOffer::BonusRule::Most    ? "most bonus"
                       : offer.bonusRule == CheapestOffer::BonusRule::Least ? "least bonus"
                                                                            : "no bonus";
    return {std::to_string(offer.years),
            std::to_string(offer.target) + " %",
            rule,
            offer.salary ? FormatMoney(*offer.salary) : "none",
            offer.bonus ? FormatMoney(*offer.bonus) : "",
            offer.salary ? std::to_string(offer.chance) : ""};
}

const std::array<const char*, 6>& CheapestOfferHeadings() {
    static const std::array<const char*, 6> headings{"Years",       "Target",        "Bonus",
                                                     "Base Salary", "Signing Bonus", "Chance"};
    return headings;
}

std::vector<int> ChanceTargets(const std::string& typed) {
    std::vector<int> targets = DefaultChanceTargets();
    const bool blank = typed.find_first_not_of(" \t") == std::string::npos;
    if (blank)
        return targets;
    const int own = TextToInt(typed);
    if (own >= 1 && std::find(targets.begin(), targets.end(), own) == targets.end())
        targets.push_back(own);
    return targets;
}
