#include "contracts/OfferRules.h"

#include "contracts/ContractList.h"
#include "contracts/OfferList.h"
#include "contracts/Options.h"
#include "contracts/PercentText.h"
#include "contracts/SignedMoney.h"

std::vector<std::vector<std::string>> CheckOfferRules(const OfferList& offers,
                                                      const ContractList& contracts) {
    const Options& options = contracts.GetOptions();
    const int cur = contracts.GetCurrentSeason();
    const std::vector<OfferList::Running> after = offers.RunningFigures();
    std::vector<std::vector<std::string>> problems(offers.Items().size());

    for (std::size_t i = 0; i < offers.Items().size(); ++i) {
        const OfferList::Item& item = offers.Items()[i];
        const Offer& o = item.offer;
        std::vector<std::string>& reasons = problems[i];
        if (!item.checked)
            continue;
        if (o.offerType == Offer::InvalidOffer) {
            reasons.push_back("Invalid offer");
            continue;
        }
        if (!o.CountsInFigures())
            continue; // tenders and designations carry no money of their own
        const OfferList::Running& run = after[i];
        if (run.payroll > options.salarycap)
            reasons.push_back("Estimated payroll " + SignedMoney(run.payroll) +
                              " is over the salary cap of " + SignedMoney(options.salarycap));
        if (run.bonus > options.bonuslimit)
            reasons.push_back("Bonus money " + SignedMoney(run.bonus) + " is over the bonus limit of " +
                              SignedMoney(options.bonuslimit));
        if (o.offerType == Offer::RestructureOffer) {
            if (run.restructures > options.restruct)
                reasons.push_back(std::to_string(run.restructures) + " restructures this season, " +
                                  std::to_string(options.restruct) + " allowed");
            const Contract c = contracts.GetContract(o.playerID);
            if (options.ly_restruct && cur - static_cast<int>(c.yrSigned) != c.years - 1)
                reasons.push_back("Restructures are allowed only in the last year of a contract");
        }
        if (o.years > 1) {
            const std::string bounds =
                std::to_string(options.min) + "-" + std::to_string(options.max) + " % for more than one year";
            const double percent = o.salary == 0 ? 0.0 : static_cast<double>(o.bonus) / o.salary * 100.0;
            if (o.salary == 0 && o.bonus > 0)
                reasons.push_back("A bonus without a base salary is outside " + bounds);
            else if (o.salary == 0 || percent < options.min || percent > options.max)
                reasons.push_back("Bonus " + PercentBeyondBound(percent, percent < options.min) +
                                  " % of the salary is outside " + bounds);
        }
        if (o.years < 0)
            reasons.push_back(std::to_string(o.years) + " years is no contract length");
        if (o.years > options.max_length)
            reasons.push_back(std::to_string(o.years) + " years is longer than the longest contract of " +
                              std::to_string(options.max_length));
    }
    return problems;
}

int CountRuleBreakers(const std::vector<std::vector<std::string>>& problems) {
    int count = 0;
    for (const auto& reasons : problems)
        count += !reasons.empty();
    return count;
}

std::string SaveAnywayQuestion(int breakers) {
    return breakers == 1 ? "1 offer breaks the league's rules. Save anyway?"
                         : std::to_string(breakers) + " offers break the league's rules. Save anyway?";
}
