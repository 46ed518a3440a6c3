#include "contracts/Commissioner.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

using Ratings = std::array<std::int8_t, 8>;

// QB weights are 2 2 5 2 5 5 2 5 (sum 28): all ratings r give a score of 28 r, and one
// more point of AC adds 2.
Ratings Flat(std::int8_t r) {
    return {r, r, r, r, r, r, r, r};
}

CGSEntry Entry(std::int16_t id, int group, double score, int years) {
    CGSEntry e;
    e.playerID = id;
    e.group = static_cast<std::int8_t>(group);
    e.score = score;
    e.years = static_cast<std::int8_t>(years);
    return e;
}

std::map<int, double> ValuesById(const std::vector<CGSEntry>& entries) {
    std::map<int, double> values;
    for (const auto& e : entries)
        values[e.playerID] = e.value;
    return values;
}

// A contract list over an empty eight-team league, for the parts of the generator that
// work on entries alone.
class EntryFixture : public PlannedLeagueTest {
  protected:
    void SetUp() override { OpenPlan(); }
};

} // namespace

TEST_F(EntryFixture, RatingsWorkedExampleQuarterbackOneDeviationAboveTheMean) {
    // One team, 2.5 starters per team: the three best QBs start. Scores 14, 12, 10 have mean
    // 12 and deviation sqrt((4 + 0 + 4) / 2) = 2, so 14 is z = 1: v = 1.25 * 0.5 + 1.25 =
    // 1.875, times 0.94 for 5 years = 1.7625, value 1762. The one at 12 with no experience:
    // 1.25 * 0.84 = 1.05, value 1050.
    std::vector<CGSEntry> entries = {Entry(101, 0, 10, 8), Entry(102, 0, 14, 5), Entry(103, 0, 12, 0)};
    list->GetCommissioner().RatingsMethod(entries, 1, options);
    const auto values = ValuesById(entries);
    EXPECT_EQ(values.at(102), 1762);
    EXPECT_EQ(values.at(103), 1050);
    // z = -1 at 8 years (scale 1.0): 1.25 * -0.5 + 1.25 = 0.625, value 625.
    EXPECT_EQ(values.at(101), 625);
    for (const auto& e : entries)
        EXPECT_TRUE(e.starter);
}

TEST_F(EntryFixture, RatingsWorkedExampleLinemanFarBelowTheMeanGetsTheMinimum) {
    // Three OL starters 24, 22, 20 (mean 22, deviation 2); the non-starter at 18 is z = -2:
    // v = 1.0 * -2 * 0.5 + 1.0 = 0, below the minimum 0.22 million, so value 220.
    options.starters[2] = 3;
    std::vector<CGSEntry> entries = {Entry(101, 2, 24, 3), Entry(102, 2, 22, 3),   Entry(103, 2, 20, 3),
                                     Entry(104, 2, 18, 3), Entry(105, 2, -500, 9), Entry(106, 2, -500, -128)};
    list->GetCommissioner().RatingsMethod(entries, 1, options);
    const auto values = ValuesById(entries);
    EXPECT_EQ(values.at(104), 220);
    EXPECT_EQ(values.at(105), 220); // never less than the minimum
    // A negative experience (only a damaged player file holds one) counts as none: scaled by
    // 0.01 x (-128 x 2 + 84) the far negative value would turn into millions.
    EXPECT_EQ(values.at(106), 220);
    EXPECT_EQ(entries.size(), 6u);
    EXPECT_FALSE(entries[3].starter); // sorted: 24 22 20 18 -500
    EXPECT_TRUE(entries[2].starter);
}

TEST_F(EntryFixture, SingleStarterCountsAsTwoForTheMeanAndTheSpread) {
    // One K starter (1 per team, 1 team) scoring 100: n = 2, mean 50, deviation
    // sqrt(50^2 / 1) = 50. He is z = 1: 0.25 * 0.5 + 0.25 = 0.375, value 375 at 8 years.
    // The kicker at 60 is z = 0.2: 0.25 * 0.1 + 0.25 = 0.275, value 275.
    std::vector<CGSEntry> entries = {Entry(101, 9, 60, 8), Entry(102, 9, 100, 8)};
    list->GetCommissioner().RatingsMethod(entries, 1, options);
    const auto values = ValuesById(entries);
    EXPECT_EQ(values.at(102), 375);
    EXPECT_EQ(values.at(101), 275);
}

TEST_F(EntryFixture, EqualStarterScoresGiveASpreadOfTwo) {
    // Three QB starters of four at 50: the deviation 0 is raised to 2. The fourth 50 is at
    // the mean (1.25, value 1250 at 8 years); the one at 49 is z = -0.5:
    // 1.25 * -0.25 + 1.25 = 0.9375, value 937.
    std::vector<CGSEntry> entries = {Entry(101, 0, 50, 8), Entry(102, 0, 49, 8), Entry(103, 0, 50, 8),
                                     Entry(104, 0, 50, 8), Entry(105, 0, 50, 8)};
    list->GetCommissioner().RatingsMethod(entries, 1, options);
    const auto values = ValuesById(entries);
    EXPECT_EQ(values.at(102), 937);
    for (int id : {101, 103, 104, 105})
        EXPECT_EQ(values.at(id), 1250) << id;
    int starters = 0;
    for (const auto& e : entries)
        starters += e.starter;
    EXPECT_EQ(starters, 3);
}

TEST_F(EntryFixture, StartersPerGroupFollowTheTeamCount) {
    // 8 teams x 2.5 QB starters = 20; 8 x 1 punter = 8.
    std::vector<CGSEntry> entries;
    for (int i = 0; i < 30; ++i)
        entries.push_back(Entry(static_cast<std::int16_t>(100 + i), 0, i, 3));
    for (int i = 0; i < 12; ++i)
        entries.push_back(Entry(static_cast<std::int16_t>(200 + i), 8, i, 3));
    list->GetCommissioner().RatingsMethod(entries, 8, options);
    int qb = 0;
    int p = 0;
    for (const auto& e : entries) {
        if (!e.starter)
            continue;
        (e.group == 0 ? qb : p) += 1;
        EXPECT_GE(e.score, e.group == 0 ? 10 : 4) << e.playerID;
    }
    EXPECT_EQ(qb, 20);
    EXPECT_EQ(p, 8);
}

TEST_F(EntryFixture, FastSortGivesTheSameValuesAsTheExchangeSort) {
    // Generated entries with few distinct scores, so that ties straddle the starter line.
    std::mt19937 rng(12345);
    int startersDiffered = 0;
    for (int round = 0; round < 40; ++round) {
        const int n = 50 + static_cast<int>(rng() % 400);
        const int numTeams = 1 + static_cast<int>(rng() % 8);
        std::vector<CGSEntry> entries;
        for (int i = 0; i < n; ++i) {
            // Drawn one by one (a call's arguments have no set order), last argument first.
            const int years = static_cast<int>(rng() % 15);
            const double score = static_cast<double>(rng() % 6) * 7;
            const int group = static_cast<int>(rng() % 10);
            entries.push_back(Entry(static_cast<std::int16_t>(100 + i), group, score, years));
        }
        auto exchange = entries;
        Commissioner& c = list->GetCommissioner();
        c.starterSort = Commissioner::StarterSort::Fast;
        c.RatingsMethod(entries, numTeams, options);
        c.starterSort = Commissioner::StarterSort::Exchange;
        c.RatingsMethod(exchange, numTeams, options);
        ASSERT_EQ(ValuesById(entries), ValuesById(exchange)) << "round " << round;
        std::map<int, bool> fastStarters;
        for (const auto& e : entries)
            fastStarters[e.playerID] = e.starter;
        for (const auto& e : exchange)
            startersDiffered += fastStarters[e.playerID] != e.starter;
    }
    // The two sorts did pick different players among equal scores, and it made no difference.
    EXPECT_GT(startersDiffered, 0);
}

TEST(ExchangeSort, OrdersByScoreHighestFirst) {
    std::vector<CGSEntry> entries = {Entry(1, 0, 3, 0), Entry(2, 0, 9, 0), Entry(3, 0, 3, 0),
                                     Entry(4, 0, -1, 0), Entry(5, 0, 7, 0)};
    auto fast = entries;
    Commissioner::ExchangeSort(entries);
    Commissioner::SortByScore(fast);
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].score, fast[i].score);
    EXPECT_EQ(entries.front().playerID, 2);
    EXPECT_EQ(entries.back().playerID, 4);
}

TEST(CGSGroups, SpecificPositionsMapToTheTenGroups) {
    const int expected[15] = {0, 1, 1, 4, 3, 2, 2, 2, 5, 5, 6, 7, 7, 9, 8};
    for (int pos = 0; pos < 15; ++pos)
        EXPECT_EQ(Commissioner::GroupOf(pos), expected[pos]) << pos;
    EXPECT_EQ(Commissioner::GroupOf(-1), -1);
    EXPECT_EQ(Commissioner::GroupOf(15), -1);
}

namespace {

// A league with a few players of known ratings on two teams, a free agent, a draft
// prospect and a retired player.
class GenerateFixture : public PlannedLeagueTest {
  protected:
    void Open() { OpenPlan(); }
};

} // namespace

TEST_F(GenerateFixture, RatingsMethodThroughTheLeagueMarksRetiredAndValuesTheRest) {
    // 8 teams x 0.375 QB starters = 3 starters: scores 1400, 1402, 1404 (mean 1402, sd 2).
    options.starters[0] = 0.375;
    plan.Add(100, Player::QB, 3, Flat(50));
    plan.Add(101, Player::QB, 5, {52, 50, 50, 50, 50, 50, 50, 50}); // 1404: z = 1 -> 1,762,000
    plan.Add(102, Player::QB, 8, {51, 50, 50, 50, 50, 50, 50, 50}); // 1402: z = 0 -> 1,250,000
    plan.Add(103, Player::QB, 4, Flat(20));                         // retired
    plan.Add(104, Player::P, 2, Flat(40));
    plan.Add(105, Player::QB, 8, Flat(50)); // free agent, not a starter: z = -1 -> 625,000
    plan.rosters = {{100, 101, 104}, {102}};
    plan.freeAgents = std::vector<std::int16_t>{105};
    Open();
    list->GetRecord(103)->cgs = 999;
    list->GetCommissioner().Generate();
    EXPECT_EQ(list->GetContract(101).cgs, 1762000u);
    EXPECT_EQ(list->GetContract(102).cgs, 1250000u);
    EXPECT_EQ(list->GetContract(105).cgs, 625000u);
    EXPECT_EQ(list->GetContract(103).cgs, 0u);
    EXPECT_EQ(list->GetContract(103).status, Contract::Retired);
    EXPECT_EQ(list->GetContract(101).status, Contract::UnrestrictedFA); // untouched
    // A lone punter is z = (s - s/2) / (s/2) = 1 whatever his score: 0.2 * 0.5 + 0.2 = 0.3
    // million, times 0.88 for 2 years = 0.264, value 264.
    EXPECT_EQ(list->GetContract(104).cgs, 264000u);
    // Players 106..199 have no record: on no team, so retired.
    EXPECT_EQ(list->GetContract(150).status, Contract::Retired);
}

TEST_F(GenerateFixture, SameCGSWithTheExchangeSortOnGeneratedLeagues) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        TempDir folder;
        TestLeague gen;
        gen.sizeCode = 1; // 10 teams
        gen.nextID = 700;
        std::mt19937 rng(seed);
        gen.rosters.resize(10);
        std::vector<std::int16_t> fa;
        for (std::int16_t id = 100; id < 700; ++id) {
            Ratings r{};
            for (auto& v : r)
                v = static_cast<std::int8_t>(40 + 20 * static_cast<int>(rng() % 2));
            const int years = static_cast<int>(rng() % 12); // before the position: the last argument first
            gen.Add(id, static_cast<Player::Pos>(rng() % 15), years, r);
            const auto team = static_cast<std::size_t>(rng() % 12);
            if (team < 10 && gen.rosters[team].size() < 53)
                gen.rosters[team].push_back(id);
            else if (team == 10)
                fa.push_back(id);
        }
        gen.freeAgents = fa;
        auto lg = gen.Open(folder);
        ContractList fast(*lg, options);
        ContractList exchange(*lg, options);
        exchange.GetCommissioner().starterSort = Commissioner::StarterSort::Exchange;
        fast.GetCommissioner().Generate();
        exchange.GetCommissioner().Generate();
        int valued = 0;
        for (int id = 100; id < 700; ++id) {
            ASSERT_EQ(fast.GetContract(id).cgs, exchange.GetContract(id).cgs)
                << "seed " << seed << " id " << id;
            valued += fast.GetContract(id).cgs > 0;
        }
        EXPECT_GT(valued, 400);
    }
}

TEST_F(GenerateFixture, RookiesTakeTheTableValueOfTheirRoundAndPick) {
    options.includerookie = 1;
    options.SetRookieCGS(1, 30, 500000);
    options.SetRookieCGS(3, 7, 410000);
    plan.Add(100, Player::QB, 0, Flat(60)); // drafted: round 3 pick 7
    plan.Add(101, Player::WR, 0, Flat(60)); // drafted: round 2 pick 5, nearest set entry (1, 30)
    plan.Add(102, Player::TE, 0, Flat(60)); // no round
    plan.Add(103, Player::K, 0, Flat(60));  // a rookie free agent is valued by his ratings
    plan.Add(104, Player::K, 6, Flat(60));
    plan.rosters = {{100, 101, 102, 104}};
    plan.freeAgents = std::vector<std::int16_t>{103};
    Open();
    list->GetRecord(100)->round = 3;
    list->GetRecord(100)->pick = 7;
    list->GetRecord(101)->round = 2;
    list->GetRecord(101)->pick = 5;
    list->GetRecord(102)->pick = 9;
    list->GetCommissioner().Generate();
    EXPECT_EQ(list->GetContract(100).cgs, 410000u);
    EXPECT_EQ(list->GetContract(101).cgs, 500000u);
    EXPECT_EQ(list->GetContract(102).cgs, 220000u);
    // Two kickers, one starter per team over 8 teams: both start. Equal scores 60 * 25 = 1500:
    // mean 1500, spread 2, z = 0 -> 0.25 million, times 0.84 (no experience) = 0.21, below the
    // minimum: 220,000. The veteran of 6 years: 0.25 * 0.96 = 0.24 -> 240,000.
    EXPECT_EQ(list->GetContract(103).cgs, 220000u);
    EXPECT_EQ(list->GetContract(104).cgs, 240000u);
}

TEST_F(GenerateFixture, PlayersWithoutAPositionGroupAreNotValued) {
    plan.Add(100, static_cast<Player::Pos>(20), 4, Flat(60));
    plan.Add(101, Player::QB, 4, Flat(60));
    plan.rosters = {{100, 101}};
    Open();
    list->GetCommissioner().Generate();
    EXPECT_EQ(list->GetContract(100).cgs, 0u);
    EXPECT_EQ(list->GetContract(100).status, Contract::UnrestrictedFA);
    EXPECT_GT(list->GetContract(101).cgs, 0u);
}

namespace {

std::array<std::uint16_t, 10> Line(std::uint16_t type, std::uint16_t owner, std::uint16_t count,
                                   std::array<std::uint16_t, 7> words = {}) {
    return {type, owner, count, words[0], words[1], words[2], words[3], words[4], words[5], words[6]};
}

} // namespace

TEST_F(GenerateFixture, StatisticsMethodWorkedExamples) {
    options.useStats = 1;
    // QB: ratings 72, 85, 95 and five below 70.
    plan.Add(100, Player::QB, 6, {72, 85, 95, 50, 50, 50, 50, 50});
    plan.Add(101, Player::LB, 3, Flat(50));
    plan.Add(102, Player::TE, 3, Flat(50));
    plan.Add(103, Player::G, 3, Flat(50));  // team 0: statistics number 1
    plan.Add(104, Player::C, 3, Flat(50));  // team 1: statistics number 2
    plan.Add(105, Player::WR, 3, Flat(69)); // nothing at all
    plan.Add(106, Player::HB, 3, Flat(50)); // penalties beyond everything
    plan.Add(107, Player::K, 3, Flat(50));
    plan.Add(108, Player::P, 3, Flat(50));
    plan.rosters = {{100, 101, 102, 103, 105, 106, 107, 108}, {104}};
    plan.stats = {
        // QB season: passing 20 TD 3,000 yards; rushing 2 TD 100 yards; fumbles 5.
        Line(35, 100, 400, {3000, 60, 20, 250}),
        Line(34, 100, 30, {100, 12, 2}),
        Line(41, 100, 5),
        // Game and career passing lines add nothing.
        Line(3, 100, 40, {300, 20, 3, 25}),
        Line(67, 100, 4000, {30000, 80, 200, 2500}),
        // LB: a fumble (ignored for defence), a recovery returned for a TD.
        Line(41, 101, 2),
        Line(42, 101, 1, {30, 30, 1}),
        // TE: a recovery (ignored for offence), a lost fumble.
        Line(42, 102, 1, {0, 0, 1}),
        Line(41, 102, 1),
        // Team lines. Team number 0 would be the wrong team for either lineman.
        Line(132, 0, 400, {5000, 50, 20}),
        Line(132, 1, 400, {2000, 50, 20}),
        Line(209, 1, 70),
        Line(209, 2, 55),
        Line(132, 2, 300, {-100 & 0xFFFF, 10, 1}),
        // HB: 100 lost fumbles.
        Line(41, 106, 100),
        // K: 40-49 yards 4 of 4, 50+ 2 of 3: 6 of 7 (86 %) and two long ones.
        Line(33, 107, 54, {0, 0, 0, 0x0404, 0x0302}),
        // P: 10 punts, 450 yards, 1 blocked, 50 return yards: net 40 a punt.
        Line(38, 108, 10, {450, 60, 0, 1, 0, 50, 2}),
    };
    Open();
    list->GetCommissioner().Generate();
    // 220,000 + 1,500,000 + 1,050,000 + 60,000 + 60,000 - 50,000 + 45,000 + 72,000 + 100,000.
    EXPECT_EQ(list->GetContract(100).cgs, 3057000u);
    // 220,000 + 50,000 recovery + 150,000 defensive TD.
    EXPECT_EQ(list->GetContract(101).cgs, 420000u);
    // 220,000 - 10,000.
    EXPECT_EQ(list->GetContract(102).cgs, 210000u);
    // 220,000 + 2,000 x 300 - (70 - 60) x 5,500.
    EXPECT_EQ(list->GetContract(103).cgs, 765000u);
    // 220,000 - 100 x 300; 55 sacks are within the allowance.
    EXPECT_EQ(list->GetContract(104).cgs, 190000u);
    EXPECT_EQ(list->GetContract(105).cgs, 220000u);
    // 220,000 - 1,000,000 is negative: the group's minimum.
    EXPECT_EQ(list->GetContract(106).cgs, 220000u);
    // 220,000 + 5,000 + 2 x 10,000.
    EXPECT_EQ(list->GetContract(107).cgs, 245000u);
    // 40 x 20,000 + 220,000 - 10,000.
    EXPECT_EQ(list->GetContract(108).cgs, 1010000u);
}

TEST_F(GenerateFixture, StatisticsMethodDropsTheDollarsBelowAThousand) {
    options.useStats = 1;
    options.SetCurve(3, {1.25, 1.25, 0.2205});
    options.ydsrecv = 7;
    plan.Add(100, Player::WR, 3, Flat(50));
    plan.rosters = {{100}};
    plan.stats = {Line(36, 100, 0, {100})}; // 700 dollars
    Open();
    list->GetCommissioner().Generate();
    // 220,500 + 700 = 221,200: whole thousands, 221,000.
    EXPECT_EQ(list->GetContract(100).cgs, 221000u);
}

namespace {

// The acceptance examples: player 100 is a free agent, 101 is on a team.
class AcceptFixture : public GenerateFixture {
  protected:
    void SetUp() override {
        plan.Add(100, Player::QB, 5, Flat(50));
        plan.Add(101, Player::QB, 5, Flat(50));
        plan.rosters = {{101}};
        plan.freeAgents = std::vector<std::int16_t>{100};
        Open();
    }
    std::int32_t Chance(std::int16_t id, std::uint8_t status, std::uint32_t cgs, std::uint8_t declines,
                        int years, std::uint32_t salary, std::uint32_t bonus) {
        Contract c(2000);
        c.playerID = id;
        c.status = status;
        c.cgs = cgs;
        c.declines = declines;
        return list->GetCommissioner().AcceptChance(c, years, salary, bonus);
    }
};

} // namespace

TEST_F(AcceptFixture, OneYearOffers) {
    // 62 x (1.0) and 62 x (1.0 + 0.2).
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 1, 1000000, 0), 62);
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 1, 1000000, 200000), 74);
    // A one-year offer is not held to the bonus bounds: 62 x 2.5.
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 1, 1000000, 1500000), 155);
}

TEST_F(AcceptFixture, MultiYearOffers) {
    // No bonus is below the 20 % minimum.
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 2, 2000000, 0), 0);
    // 2 years, s = 2, b = 0.4: v = (0.9 + 0.4, 1.1), weights 2 and 4/3:
    // 62 x (2.6 + 1.4667) / 3.3333 = 75.64.
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 2, 2000000, 400000), 75);
    // 3 years, s = 3, b = 0.6: v = (1.41, 0.99, 1.2), weights 4, 8/3, 16/9:
    // 62 x 10.4133 / 8.4444 = 76.46.
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 3, 3000000, 600000), 76);
    // Above the 120 % maximum.
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 2, 1000000, 1300000), 0);
}

TEST_F(AcceptFixture, DeclinesCostPlayersWhoAreNotFreeAgents) {
    EXPECT_EQ(Chance(101, Contract::UnderContract, 1000000, 2, 1, 1000000, 0), 12);
    EXPECT_EQ(Chance(101, Contract::RestrictedFA, 1000000, 2, 1, 1000000, 0), 52);
    EXPECT_EQ(Chance(100, Contract::UnderContract, 1000000, 2, 1, 1000000, 0), 62);
    // The count is a signed byte: 255 is -1 and adds the penalty back.
    EXPECT_EQ(Chance(101, Contract::UnderContract, 1000000, 255, 1, 1000000, 0), 87);
    // Never below 0.
    EXPECT_EQ(Chance(101, Contract::UnderContract, 1000000, 5, 1, 1000000, 0), 0);
}

TEST_F(AcceptFixture, BaseChanceAndUncappedValues) {
    options.basechance = 10;
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 1, 1000000, 0), 72);
    options.basechance = 0;
    // A CGS of 0 counts as 1 dollar: 62 x 1,000,000.
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 0, 0, 1, 1000000, 0), 62000000);
    // Too large for 32 bits: the largest chance instead.
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 0, 0, 1, 4000000000u, 0), 2147483647);
}

TEST_F(AcceptFixture, NoLengthOrNoSalaryIsNoOffer) {
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 0, 1000000, 200000), 0);
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 1, 0, 200000), 0);
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, -3, 1000000, 200000), 0);
    EXPECT_EQ(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 8, 8000000, 2000000), 0);
    // Seven years is the longest split row: 62 x sum(w v) / sum(w) with s = 7, b = 1.4.
    EXPECT_GT(Chance(100, Contract::UnrestrictedFA, 1000000, 0, 7, 7000000, 1400000), 0);
}
