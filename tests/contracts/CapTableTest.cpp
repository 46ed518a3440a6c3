#include "contracts/CapTable.h"
#include "contracts/ContractList.h"
#include "contracts/OfferList.h"
#include "contracts/Options.h"
#include "support/OfferFixtures.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

namespace {

using Charges = CapTable::Charges;

// Club 1 of an eight-team league in season 2000 (default options: 45,000,000 cap, splits
// 45/55, 27/33/40, 18/22/27/33, one-year penalty 35 %, retired players included).
class CapTableFixture : public PlannedLeagueTest {
  protected:
    void SetUp() override {
        plan.Add(120, Player::QB, 5);
        plan.Add(121, Player::WR, 3);
        plan.Add(122, Player::TE, 3);
        plan.Add(150, Player::K, 6);
        plan.Add(151, Player::P, 6);
        plan.Add(152, Player::LB, 6);
        plan.Add(160, Player::DE, 12);
        plan.rosters = {{}, {120, 121}, {122}};
        plan.freeAgents = std::vector<std::int16_t>{150, 151, 152};
        OpenPlan();
        // On the roster under a four-year contract of 1998: 1,080,000 + 100,000 now, then
        // 1,320,000 + 100,000 in its last season, 2001.
        Set(120, Contract::UnderContract, 1, 1998, 4, 4000000, 400000);
        // On the roster without a salary: the estimate counts his CGS, the cap table nothing.
        Set(121, Contract::UnrestrictedFA, 1, 2000, 0, 0, 0).cgs = 500000;
        // Another club's player whose contract club 1 holds: the bonus share only.
        Set(122, Contract::UnderContract, 1, 2000, 2, 2000000, 600000);
        // Free agents whose contracts club 1 holds: a bonus share that ends this season, and a
        // one-year contract with too small a bonus (35 % of its base).
        Set(151, Contract::UnrestrictedFA, 1, 1999, 2, 1000000, 400000);
        Set(152, Contract::UnrestrictedFA, 1, 2000, 1, 1000000, 100000);
        // Retired, with a bonus share until 2001.
        Set(160, Contract::Retired, 1, 1999, 3, 900000, 300000);
        list->RecomputeTotals();
    }

    Contract& Set(int id, int status, int team, int signedIn, int years, std::uint32_t salary,
                  std::uint32_t bonus) {
        return SetContract(*list->GetRecord(id), id, status, team, signedIn, years, salary, bonus);
    }

    Charges RowOf(const CapTable& table, int id) {
        for (const auto& row : table.players)
            if (row.id == id)
                return row.charges;
        ADD_FAILURE() << "no row for " << id;
        return {};
    }
};

} // namespace

TEST_F(CapTableFixture, PlayersChargeByTheRulesOfThePayroll) {
    const CapTable table = BuildCapTable(*list, 1, nullptr);
    EXPECT_EQ(table.seasons, (std::array<int, 7>{2000, 2001, 2002, 2003, 2004, 2005, 2006}));
    EXPECT_EQ(table.salaryCap, 45000000);
    ASSERT_EQ(table.players.size(), 5u); // 121 charges nothing
    EXPECT_EQ(RowOf(table, 120), (Charges{1180000, 1420000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(RowOf(table, 122), (Charges{300000, 300000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(RowOf(table, 151), (Charges{200000, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(RowOf(table, 152), (Charges{350000, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(RowOf(table, 160), (Charges{100000, 100000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(table.totals, (Charges{2130000, 1820000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(table.capSpace[0], 45000000 - 2130000);
    EXPECT_EQ(table.capSpace[6], 45000000);
    EXPECT_EQ(table.totals[0], list->CurrentPayroll(1));
    EXPECT_EQ(table.expiring[0], (std::vector<std::int16_t>{151, 152}));
    EXPECT_EQ(table.expiring[1], (std::vector<std::int16_t>{120, 122, 160}));
    EXPECT_TRUE(table.expiring[2].empty());
}

TEST_F(CapTableFixture, RetiredPlayersOnlyWhenTheOptionsIncludeThem) {
    options.add_retired = 0;
    list->RecomputeTotals();
    const CapTable table = BuildCapTable(*list, 1, nullptr);
    EXPECT_EQ(table.players.size(), 4u);
    EXPECT_EQ(table.totals[0], 2030000);
    EXPECT_EQ(table.totals[0], list->CurrentPayroll(1));
}

TEST_F(CapTableFixture, TickedOffersAreRowsOfTheirOwn) {
    OfferList offers(*list);
    offers.SetBase(1, list->GetTeamInfo(1));
    offers.AddOfferToList(
        MakeOffer(150, 0, 3, 3000000, 900000, 1)); // 810,000 + 300,000, 990,000 + 300,000, ...
    offers.AddOfferToList(MakeOffer(120, 3, 2, 2000000, 500000, 1)); // replaces 1,180,000 and 1,420,000
    offers.AddOfferToList(MakeOffer(121, 4, 1, 0, 0, 1));            // a designation charges nothing
    offers.AddOfferToList(MakeOffer(150, 0, 1, 9000000, 0, 1));      // unticked below
    offers.SetChecked(3, false);
    const CapTable table = BuildCapTable(*list, 1, &offers);
    ASSERT_EQ(table.offers.size(), 2u);
    EXPECT_EQ(table.offers[0].index, 0);
    EXPECT_EQ(table.offers[0].charges, (Charges{1110000, 1290000, 1500000, 0, 0, 0, 0}));
    EXPECT_EQ(table.offers[1].index, 1);
    // 45 % of 2,000,000 + 250,000 = 1,150,000 and 55 % + 250,000 = 1,350,000, less the present contract.
    EXPECT_EQ(table.offers[1].charges, (Charges{1150000 - 1180000, 1350000 - 1420000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(table.totals,
              (Charges{2130000 + 1110000 - 30000, 1820000 + 1290000 - 70000, 1500000, 0, 0, 0, 0}));

    // The largest offer a record holds charges more than 32 bits: whole, never wrapped below zero.
    // Year 1: 27 % of 4,294,967,295 (1,159,641,216) + 4,294,967,295 / 3 (1,431,655,765).
    offers.AddOfferToList(MakeOffer(150, 0, 3, 4294967295u, 4294967295u, 1));
    const CapTable huge = BuildCapTable(*list, 1, &offers);
    EXPECT_EQ(huge.offers.back().charges[0], 2591296981);
    EXPECT_EQ(huge.totals[0], table.totals[0] + 2591296981);
}
