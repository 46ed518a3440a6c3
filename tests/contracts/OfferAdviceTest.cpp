#include "contracts/ChanceExplanation.h"
#include "contracts/CheapestOffer.h"
#include "contracts/Commissioner.h"
#include "contracts/ContractList.h"
#include "contracts/OfferList.h"
#include "contracts/OfferRules.h"
#include "contracts/Options.h"
#include "league/MoneyText.h"
#include "support/OfferFixtures.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

namespace {

// Season 2000; player 120 of club 1 is under a contract of 1998 for four years with two
// declines; 150 is a free agent valued at 1,000,000.
class AdviceFixture : public PlannedLeagueTest {
  protected:
    void SetUp() override {
        plan.Add(120, Player::QB, 5);
        plan.Add(150, Player::K, 6);
        plan.rosters = {{}, {120}};
        plan.freeAgents = std::vector<std::int16_t>{150};
    }
    void Open() {
        OpenPlan();
        SignFourYearsOf1998(*list->GetRecord(120), 120);
        list->GetRecord(120)->declines = 2;
        Contract& fa = *list->GetRecord(150);
        fa.playerID = 150;
        fa.cgs = 1000000;
    }
    const Commissioner& C() { return list->GetCommissioner(); }
};

} // namespace

TEST_F(AdviceFixture, TheTermsAddUpToTheChance) {
    Open();
    const AcceptTerms t = C().ExplainChance(list->GetContract(120), 1, 1000000, 0);
    EXPECT_EQ(t.chance, 12);
    EXPECT_DOUBLE_EQ(t.offerValue, 62.0);
    EXPECT_DOUBLE_EQ(t.declinesPenalty, 50.0);
    EXPECT_EQ(DescribeChance(t, options),
              (std::vector<std::string>{"Offer vs CGS: 62.00", "Declines: -50.00", "Chance: 12"}));

    options.basechance = -20;
    const AcceptTerms floored = C().ExplainChance(list->GetContract(120), 1, 1000000, 0);
    EXPECT_TRUE(floored.floored);
    EXPECT_EQ(floored.chance, 0);
    EXPECT_EQ(DescribeChance(floored, options).back(), "Chance: 0");
    EXPECT_EQ(DescribeChance(floored, options)[2], "Base chance: -20");
    EXPECT_EQ(DescribeChance(floored, options)[3], "Below 0, counted as 0");

    // 200 declines read as the signed byte -56: they add 1,400 points, said once as a gain.
    options.basechance = 0;
    list->GetRecord(120)->declines = 200;
    const AcceptTerms gained = C().ExplainChance(list->GetContract(120), 1, 1000000, 0);
    EXPECT_EQ(DescribeChance(gained, options)[1], "Declines: +1400.00");
}

TEST_F(AdviceFixture, ReasonsForNoChanceAtAll) {
    Open();
    const Contract fa = list->GetContract(150);
    EXPECT_EQ(C().ExplainChance(fa, 0, 1000000, 0).zeroReason, AcceptTerms::NoLength);
    EXPECT_EQ(C().ExplainChance(fa, -3, 1000000, 0).zeroReason, AcceptTerms::NoLength);
    EXPECT_EQ(C().ExplainChance(fa, 2, 0, 5).zeroReason, AcceptTerms::NoSalary);
    EXPECT_EQ(C().ExplainChance(fa, 8, 1000000, 200000).zeroReason, AcceptTerms::BeyondSplitTable);
    const AcceptTerms low = C().ExplainChance(fa, 2, 2000000, 100000);
    EXPECT_EQ(low.zeroReason, AcceptTerms::BonusBelowMinimum);
    EXPECT_EQ(DescribeChance(low, options),
              std::vector<std::string>{
                  "Bonus 5.0 % of the salary is below the minimum of 20 % for more than one year."});
    EXPECT_EQ(C().ExplainChance(fa, 2, 1000000, 1300000).zeroReason, AcceptTerms::BonusAboveMaximum);
    EXPECT_EQ(DescribeChance(C().ExplainChance(fa, 2, 1000000, 199999), options).front(),
              "Bonus 19.9 % of the salary is below the minimum of 20 % for more than one year.");
    EXPECT_EQ(DescribeChance(C().ExplainChance(fa, 2, 1000000, 1200001), options).front(),
              "Bonus 120.1 % of the salary is above the maximum of 120 % for more than one year.");
    // One year is not held to the bounds.
    EXPECT_EQ(C().ExplainChance(fa, 1, 1000000, 1300000).zeroReason, AcceptTerms::None);
}

TEST_F(AdviceFixture, CheapestOffersReachTheTargetAndADollarLessDoesNot) {
    Open();
    for (int id : {120, 150}) {
        const Contract c = list->GetContract(id);
        const auto rows = FindCheapestOffers(C(), c, options, {60, 75, 90, 33});
        // Four lengths; two bonus rules each, and no bonus for one year.
        ASSERT_EQ(rows.size(), 4u * 2 * 4 + 4);
        for (const CheapestOffer& row : rows) {
            SCOPED_TRACE(std::to_string(id) + " " + std::to_string(row.years) + " " +
                         std::to_string(row.target) + " " + BonusRuleName(row.bonusRule));
            ASSERT_TRUE(row.salary.has_value());
            const std::uint32_t s = *row.salary;
            const std::uint32_t b = *row.bonus;
            EXPECT_EQ(C().AcceptChance(c, row.years, s, b), row.chance);
            EXPECT_GE(row.chance, row.target);
            auto bonusFor = [&](std::uint64_t salary) -> std::uint32_t {
                if (row.bonusRule == CheapestOffer::BonusRule::Most)
                    return static_cast<std::uint32_t>(salary * 120 / 100);
                if (row.bonusRule == CheapestOffer::BonusRule::Least)
                    return static_cast<std::uint32_t>((salary * 20 + 99) / 100);
                return 0;
            };
            EXPECT_EQ(b, bonusFor(s));
            if (s > 1) {
                EXPECT_LT(C().AcceptChance(c, row.years, s - 1, bonusFor(s - 1)), row.target);
            }
        }
    }
}

TEST_F(AdviceFixture, CheapestOneYearOffersWorkedByHand) {
    Open();
    const Contract fa = list->GetContract(150);
    const auto rows = FindCheapestOffers(C(), fa, options, {60});
    // No bonus: 62 x s / 1,000,000 >= 60 first at s = 967,742.
    EXPECT_EQ(rows[2].bonusRule, CheapestOffer::BonusRule::None);
    EXPECT_EQ(rows[2].salary, 967742u);
    EXPECT_EQ(rows[2].bonus, 0u);
    // The most bonus, floor(1.2 s): s + floor(1.2 s) >= 967,741.94 first at s = 439,883.
    EXPECT_EQ(rows[0].bonusRule, CheapestOffer::BonusRule::Most);
    EXPECT_EQ(rows[0].salary, 439883u);
    EXPECT_EQ(rows[0].bonus, 527859u);
}

TEST_F(AdviceFixture, NoSalaryReachesSomeTargets) {
    Open();
    Contract star = list->GetContract(150);
    star.cgs = 4000000000u; // 90 % would need 5.8 billion
    const auto rows = FindCheapestOffers(C(), star, options, {90});
    EXPECT_FALSE(rows[2].salary.has_value());
    EXPECT_FALSE(rows[2].bonus.has_value());
    // With bonus bounds that no bonus meets, only one-year offers can be made.
    options.min = 50;
    options.max = 40;
    const auto bounded = FindCheapestOffers(C(), list->GetContract(150), options, {60});
    for (const CheapestOffer& row : bounded)
        EXPECT_EQ(row.salary.has_value(), row.years == 1) << row.years;
    options.max_length = 9; // the table stops at seven years
    EXPECT_EQ(FindCheapestOffers(C(), list->GetContract(150), options, {60}).back().years, 7);
}

TEST_F(AdviceFixture, RuleCheckOfTheTickedOffers) {
    options.salarycap = 30000000;
    options.bonuslimit = 500000;
    options.restruct = 0;
    Open();
    OfferList offers(*list);
    offers.SetBase(1, 0, 0, 0, 29000000);
    auto add = [&](std::int16_t id, int type, int years, std::uint32_t salary, std::uint32_t bonus) {
        Offer o;
        o.playerID = id;
        o.team = 1;
        o.offerType = static_cast<std::int8_t>(type);
        o.years = static_cast<std::int8_t>(years);
        o.salary = salary;
        o.bonus = bonus;
        ASSERT_TRUE(offers.AddOfferToList(o));
    };
    add(150, 0, 3, 3000000, 900000); // payroll 29,000,000 + 810,000 + 300,000
    add(120, 3, 1, 100000, 0);       // a restructure in year 3 of 4
    add(150, 4, 1, 0, 0);            // a designation carries no money
    add(150, 0, 2, 1000000, 0);      // no bonus on two years
    add(150, 0, 5, 1000000, 300000); // longer than 4 years
    add(150, 10, 1, 0, 0);
    add(150, 0, 2, 1000000, 0);
    offers.SetChecked(6, false);

    const auto problems = CheckOfferRules(offers, *list);
    ASSERT_EQ(problems.size(), 7u);
    EXPECT_EQ(problems[0],
              (std::vector<std::string>{"Estimated payroll $30,110,000 is over the salary cap of $30,000,000",
                                        "Bonus money $900,000 is over the bonus limit of $500,000"}));
    // The restructure takes this season's 1,080,000 + 100,000 off: back under the cap.
    ASSERT_EQ(problems[1].size(), 3u);
    EXPECT_EQ(problems[1][0], "Bonus money $900,000 is over the bonus limit of $500,000");
    EXPECT_EQ(problems[1][1], "1 restructures this season, 0 allowed");
    EXPECT_EQ(problems[1][2], "Restructures are allowed only in the last year of a contract");
    EXPECT_TRUE(problems[2].empty());
    EXPECT_EQ(problems[3].back(), "Bonus 0.0 % of the salary is outside 20-120 % for more than one year");
    EXPECT_EQ(problems[4].back(), "5 years is longer than the longest contract of 4");
    EXPECT_EQ(problems[5], std::vector<std::string>{"Invalid offer"});
    EXPECT_TRUE(problems[6].empty());
    EXPECT_EQ(CountRuleBreakers(problems), 5);
    EXPECT_EQ(SaveAnywayQuestion(5), "5 offers break the league's rules. Save anyway?");
    EXPECT_EQ(SaveAnywayQuestion(1), "1 offer breaks the league's rules. Save anyway?");

    // In its last year a restructure is allowed.
    list->GetRecord(120)->yrSigned = 1997;
    EXPECT_EQ(CheckOfferRules(offers, *list)[1].size(), 2u);
}

TEST_F(AdviceFixture, RuleTextsSayWhyAnOfferBreaksThem) {
    Open();
    OfferList offers(*list);
    offers.SetBase(1, 0, 0, 0, 1000000);
    const std::int8_t lengths[] = {2, 2, 2, -1};
    const std::uint32_t salaries[] = {1000000, 1000000, 0, 500000};
    const std::uint32_t bonuses[] = {199999, 1200001, 300000, 3000000};
    for (std::size_t i = 0; i < std::size(lengths); ++i) {
        Offer o;
        o.playerID = 150;
        o.team = 1;
        o.years = lengths[i];
        o.salary = salaries[i];
        o.bonus = bonuses[i];
        ASSERT_TRUE(offers.AddOfferToList(o));
    }
    const auto problems = CheckOfferRules(offers, *list);
    // Rounded away from the bound, a bonus just short of 20 % does not read as 20 %.
    EXPECT_EQ(problems[0].back(), "Bonus 19.9 % of the salary is outside 20-120 % for more than one year");
    EXPECT_EQ(problems[1].back(), "Bonus 120.1 % of the salary is outside 20-120 % for more than one year");
    EXPECT_EQ(problems[2].back(), "A bonus without a base salary is outside 20-120 % for more than one year");
    EXPECT_EQ(problems[3].back(), "-1 years is no contract length");
    // A negative length (from a file) takes nothing off the payroll.
    const std::int64_t withIt = offers.RunningFigures().back().payroll;
    offers.SetChecked(3, false);
    EXPECT_EQ(offers.RunningFigures().back().payroll, withIt);
}

TEST(ChanceTargets, TheThreeAndTheUsersOwn) {
    EXPECT_EQ(ChanceTargets(""), (std::vector<int>{60, 75, 90}));
    EXPECT_EQ(ChanceTargets(" 80 "), (std::vector<int>{60, 75, 90, 80}));
    EXPECT_EQ(ChanceTargets("75"), (std::vector<int>{60, 75, 90}));
    EXPECT_EQ(ChanceTargets("0"), (std::vector<int>{60, 75, 90}));
    EXPECT_THROW(ChanceTargets("lots"), ConversionError);
}
