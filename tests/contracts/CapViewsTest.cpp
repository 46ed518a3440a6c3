#include "contracts/CapTable.h"
#include "contracts/ContractList.h"
#include "contracts/Csv.h"
#include "contracts/OfferList.h"
#include "contracts/Options.h"
#include "contracts/PlayerSearch.h"
#include "contracts/Release.h"
#include "contracts/RosterRows.h"
#include "contracts/TableCsv.h"
#include "support/OfferFixtures.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Charges = CapTable::Charges;
using Figures = ReleaseEffect::Figures;

// Every kind of player, in an eight-team league of season 2000 with the default options
// (splits 100, 45/55, ...; minimum bonus 20 %, one-year penalty 35 %, retired included).
// Worked by hand, club 1 is charged:
//   120 on its roster, four years of 1998: base 27 % of 4,000,000 = 1,080,000, bonus 100,000
//   121 on its roster, tendered (one year, 800,000, no bonus): his CGS 600,000, estimate only
//   122 on its roster without a contract: his CGS 500,000, estimate only
//   130 on club 2's roster, two years of 2000 held by club 1: bonus 600,000 / 2 = 300,000
//   131 on club 2's roster, one year held by club 1 without a bonus: nothing
//   150 free agent, one year of 1,000,000 with a 10 % bonus: 35 % of 1,000,000 = 350,000
//   151 free agent, one year of 1,000,000 with exactly 20 %: the bonus share 200,000
//   160 retired, three years of 1999 with a 300,000 bonus: 100,000
// Current payroll 1,080,000 + 100,000 + 300,000 + 350,000 + 200,000 + 100,000 = 2,130,000;
// estimated 2,130,000 + 600,000 + 500,000 = 3,230,000; bonus money of 2000's contracts
// 600,000 + 100,000 + 200,000 = 900,000. Club 2: 45 % of 2,000,000 + 1,000,000 = 1,900,000.
class CapViews : public PlannedLeagueTest {
  protected:
    void SetUp() override {
        plan.Add(120, Player::QB, 5);
        plan.Add(121, Player::WR, 3);
        plan.Add(122, Player::TE, 2);
        plan.Add(130, Player::DE, 4);
        plan.Add(131, Player::DT, 4);
        plan.Add(150, Player::K, 6);
        plan.Add(151, Player::P, 6);
        plan.Add(160, Player::LB, 12);
        plan.rosters = {{}, {120, 121, 122}, {130, 131}};
        plan.freeAgents = std::vector<std::int16_t>{150, 151};
        OpenPlan();
        SignFourYearsOf1998(*list->GetRecord(120), 120);
        Set(121, Contract::Tendered, 1, 2000, 1, 800000, 0).cgs = 600000;
        Set(122, Contract::UnrestrictedFA, -1, 2000, 0, 0, 0).cgs = 500000;
        Set(130, Contract::UnderContract, 1, 2000, 2, 2000000, 600000);
        Set(131, Contract::UnderContract, 1, 2000, 1, 1000000, 0);
        Set(150, Contract::UnrestrictedFA, 1, 2000, 1, 1000000, 100000);
        Set(151, Contract::UnrestrictedFA, 1, 2000, 1, 1000000, 200000);
        Set(160, Contract::Retired, 1, 1999, 3, 900000, 300000);
        list->RecomputeTotals();
    }

    Contract& Set(int id, int status, int team, int signedIn, int years, std::uint32_t salary,
                  std::uint32_t bonus) {
        return SetContract(*list->GetRecord(id), id, status, team, signedIn, years, salary, bonus);
    }

    std::map<int, RosterRow> RowsOf(const std::vector<std::int16_t>& ids) {
        const ReleaseCalculator release(*list);
        std::map<int, RosterRow> rows;
        for (RosterRow& row : BuildRosterRows(*list, release, ids))
            rows[row.id] = row;
        return rows;
    }
};

} // namespace

TEST_F(CapViews, EachKindOfPlayerChargesAsWorkedByHand) {
    auto rows = RowsOf({120, 121, 122, 130, 131, 150, 151, 160});
    struct Expected {
        int id, team, yearsLeft;
        std::int64_t base, bonusCharge, estimatedOnly;
    };
    for (const Expected& e : {Expected{120, 1, 2, 1080000, 100000, 0}, Expected{121, 1, 1, 0, 0, 600000},
                              Expected{122, 1, 0, 0, 0, 500000}, Expected{130, 2, 2, 900000, 300000, 0},
                              Expected{131, 2, 1, 1000000, 0, 0}, Expected{150, -1, 1, 0, 350000, 0},
                              Expected{151, -1, 1, 0, 200000, 0}, Expected{160, -1, 2, 0, 100000, 0}}) {
        SCOPED_TRACE(e.id);
        const RosterRow& row = rows.at(e.id);
        EXPECT_EQ(row.team, e.team);
        EXPECT_EQ(row.yearsLeft, e.yearsLeft);
        EXPECT_EQ(row.base, e.base);
        EXPECT_EQ(row.bonusCharge, e.bonusCharge);
        EXPECT_EQ(row.estimatedOnly, e.estimatedOnly);
    }
    const RosterRow& qb = rows.at(120);
    EXPECT_EQ(qb.pos, "QB");
    EXPECT_EQ(qb.experience, 5);
    EXPECT_EQ(qb.contractTeam, 1);
    EXPECT_EQ(qb.yrSigned, 1998);
    EXPECT_EQ(qb.salary, 4000000u);
    // A one-year offer of his CGS without a bonus: 62, with no declines to count against it.
    EXPECT_EQ(qb.chance, 62);
    EXPECT_EQ(rows.at(122).contractTeam, -1);

    // The sums are the club totals.
    EXPECT_EQ(list->GetTeamInfo(1), (TeamInfo{0, 0, 900000, 2130000, 3230000}));
    EXPECT_EQ(list->GetTeamInfo(2), (TeamInfo{0, 0, 0, 1900000, 1900000}));

    // Without retired players in the totals, 160 charges nothing.
    options.add_retired = 0;
    list->RecomputeTotals();
    EXPECT_EQ(RowsOf({160}).at(160).bonusCharge, 0);
    EXPECT_EQ(list->CurrentPayroll(1), 2030000);

    // A contract team the league does not have (a damaged file) is charged nothing, as the
    // totals count it: neither a bonus share (130, 151) nor a one-year penalty (150).
    for (const int id : {130, 150, 151})
        list->GetRecord(id)->contractTeam = 40;
    for (const auto& [id, row] : RowsOf({130, 150, 151})) {
        EXPECT_EQ(row.contractTeam, 40);
        EXPECT_EQ(row.bonusCharge, 0) << id;
    }
}

TEST(RosterRows, YearsLeftStayWithinTheContract) {
    EXPECT_EQ(YearsLeft(4, 1998, 2000), 2);
    EXPECT_EQ(YearsLeft(4, 1995, 2000), 0); // ended
    EXPECT_EQ(YearsLeft(4, 2002, 2000), 4); // signed in a later season
    EXPECT_EQ(YearsLeft(0, 2000, 2000), 0);
    EXPECT_EQ(YearsLeft(-3, 2000, 2000), 0);
}

TEST_F(CapViews, ListsFollowTheEditorsOrderAndLeaveOutWhatIsNoPlayer) {
    plan.rosters[1] = {121, 0, 120, 199, 122}; // an empty slot, and an ID below the next ID
    plan.nextID = 199;
    plan.freeAgents = std::vector<std::int16_t>{151, 150};
    TempDir other;
    auto small = plan.Open(other);
    // The display order sorts by position code: QB, then TE, then WR.
    EXPECT_EQ(ListedPlayers(*small, RosterListing::Team, 1), (std::vector<std::int16_t>{120, 122, 121}));
    // Group by group: K before P whatever the file's order.
    EXPECT_EQ(ListedPlayers(*small, RosterListing::FreeAgents, 0), (std::vector<std::int16_t>{150, 151}));
    EXPECT_TRUE(ListedPlayers(*small, RosterListing::Draft, 0).empty()); // no draft in use
    EXPECT_TRUE(ListedPlayers(*small, RosterListing::Team, 8).empty());
}

TEST_F(CapViews, ReleaseSavesTheBaseAndLeavesTheBonusAsDeadMoney) {
    const ReleaseCalculator release(*list);
    const Figures club1{900000, 2130000, 3230000};

    const auto qb = release.Release(120);
    ASSERT_TRUE(qb);
    EXPECT_EQ(qb->team, 1);
    EXPECT_EQ(qb->before, club1);
    EXPECT_EQ(qb->after, (Figures{900000, 1050000, 2150000}));
    EXPECT_EQ(qb->savings, 1080000);
    EXPECT_EQ(qb->deadMoney, 100000);
    EXPECT_TRUE(qb->otherClubs.empty());

    // Released, the tendered player is a free agent on a one-year contract without a bonus:
    // his club is charged the penalty, 35 % of 800,000, and saves nothing.
    const auto tendered = release.Release(121);
    EXPECT_EQ(tendered->after, (Figures{900000, 2410000, 2910000}));
    EXPECT_EQ(tendered->savings, -280000);
    EXPECT_EQ(tendered->deadMoney, 280000);

    // Without a contract he only leaves the estimate.
    const auto noContract = release.Release(122);
    EXPECT_EQ(noContract->savings, 0);
    EXPECT_EQ(noContract->deadMoney, 0);
    EXPECT_EQ(noContract->after.estimatedPayroll, 2730000);

    // Club 2 saves his base; club 1, holding his contract, is charged as before.
    const auto elsewhere = release.Release(130);
    EXPECT_EQ(elsewhere->team, 2);
    EXPECT_EQ(elsewhere->savings, 900000);
    EXPECT_EQ(elsewhere->deadMoney, 0);
    EXPECT_TRUE(elsewhere->otherClubs.empty());

    // A one-year contract held by another club turns into that club's penalty.
    const auto oneYear = release.Release(131);
    EXPECT_EQ(oneYear->savings, 1000000);
    EXPECT_EQ(oneYear->deadMoney, 0);
    ASSERT_EQ(oneYear->otherClubs.size(), 1u);
    EXPECT_EQ(oneYear->otherClubs[0].team, 1);
    EXPECT_EQ(oneYear->otherClubs[0].before, club1);
    EXPECT_EQ(oneYear->otherClubs[0].after, (Figures{900000, 2480000, 3580000}));

    // Only players on a roster can be released.
    EXPECT_FALSE(release.Release(150));
    EXPECT_FALSE(release.Release(160));
    EXPECT_FALSE(release.Release(99));
    EXPECT_FALSE(release.Release(200));

    // The rows carry the same figures.
    auto rows = RowsOf({120, 150});
    EXPECT_TRUE(rows.at(120).releasable);
    EXPECT_EQ(rows.at(120).savings, 1080000);
    EXPECT_EQ(rows.at(120).deadMoney, 100000);
    EXPECT_FALSE(rows.at(150).releasable);
}

TEST_F(CapViews, ReleasedRowOfTheCapTableSplitsWhatLeavesAndWhatStays) {
    const auto qb = BuildReleasedRow(*list, 1, 120);
    ASSERT_TRUE(qb);
    EXPECT_EQ(qb->before, (Charges{1180000, 1420000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(qb->leaves, (Charges{1080000, 1320000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(qb->stays, (Charges{100000, 100000, 0, 0, 0, 0, 0}));

    const auto tendered = BuildReleasedRow(*list, 1, 121);
    EXPECT_EQ(tendered->stays, (Charges{280000, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(tendered->leaves[0], -280000);

    // Club 2 loses all of 130's charge to it; the bonus stays with club 1, not with club 2.
    const auto elsewhere = BuildReleasedRow(*list, 2, 130);
    EXPECT_EQ(elsewhere->leaves, (Charges{900000, 1100000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(elsewhere->stays, Charges{});

    EXPECT_FALSE(BuildReleasedRow(*list, 1, 130)); // not on club 1's roster
    EXPECT_FALSE(BuildReleasedRow(*list, 1, 150));
}

TEST(Csv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(CsvField("Fletcher"), "Fletcher");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("Smith, Jr."), "\"Smith, Jr.\"");
    EXPECT_EQ(CsvField("The \"Bus\""), "\"The \"\"Bus\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(CsvField("one\nline"), "\"one\nline\"");
    std::string out;
    AppendCsvRecord(out, {"a", "b,c", ""});
    AppendCsvRecord(out, {});
    EXPECT_EQ(out, "a,\"b,c\",\r\n\r\n");
}

TEST_F(CapViews, RosterCsvHasTheCommandsColumnsAndUtf8Names) {
    plan.players[0].first = "J\xF6rg";      // Latin-1 o with diaeresis
    plan.players[0].last = "Smith, \"Jr\""; // a comma and quotes
    TempDir other;
    auto named = plan.Open(other);
    ContractList namedList(*named, options);
    SignFourYearsOf1998(*namedList.GetRecord(120), 120);
    namedList.RecomputeTotals();
    const ReleaseCalculator release(namedList);
    const std::string csv = RosterCsv(BuildRosterRows(namedList, release, {120}));
    EXPECT_EQ(csv,
              "id,first,last,pos,experience,team,status,contractTeam,yrSigned,years,yearsLeft,salary,bonus,"
              "base,bonusCharge,estimatedOnly,cgs\r\n"
              "120,J\xC3\xB6rg,\"Smith, \"\"Jr\"\"\",QB,5,1,0,1,1998,4,2,4000000,400000,1080000,100000,0,"
              "1000000\r\n");
}

TEST_F(CapViews, CapTableAndOfferCsvCarryEveryRow) {
    OfferList offers(*list);
    offers.SetBase(1, list->GetTeamInfo(1));
    offers.AddOfferToList(MakeOffer(150, 0, 2, 2000000, 400000, 1));
    const CapTable table = BuildCapTable(*list, 1, &offers);
    const std::string csv = CapTableCsv(table, DescribeCapTable(table, *list, &offers), &offers);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "row,id,label,2000,2001,2002,2003,2004,2005,2006");
    EXPECT_NE(csv.find("\r\nplayer,120,QB First P120,1180000,1420000,0,0,0,0,0\r\n"), std::string::npos);
    // 45 % of 2,000,000 + 200,000, then 55 % + 200,000.
    EXPECT_NE(csv.find("\r\noffer,150,Offer 1: K First P150,1100000,1300000,0,0,0,0,0\r\n"),
              std::string::npos);
    EXPECT_NE(csv.find("\r\ntotal,,Total,3230000,3120000,0,0,0,0,0\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\ncapSpace,,Cap Space,41770000,41880000,45000000,"), std::string::npos);

    offers.SetChecked(0, false);
    EXPECT_EQ(OfferListCsv(offers),
              "index,checked,playerID,team,offerType,years,salary,bonus,acceptPct,text\r\n"
              "0,false,150,1,0,2,2000000,400000,0,\"Team 1 offers Free Agent K First P150 a 2 year deal for "
              "$2,000,000 with a $400,000 signing bonus\"\r\n");
}

TEST_F(CapViews, OffersCanBeRemovedAndReplaced) {
    OfferList offers(*list);
    offers.SetBase(1, 0, 0, 0, 0);
    offers.AddOfferToList(MakeOffer(150, 0, 1, 1000000, 0, 1));
    offers.AddOfferToList(MakeOffer(151, 0, 1, 2000000, 0, 1));
    offers.AddOfferToList(MakeOffer(150, 0, 1, 4000000, 0, 1));
    offers.SetChecked(1, false);
    EXPECT_EQ(offers.FindOfferFor(150), 0);
    EXPECT_EQ(offers.FindOfferFor(122), -1);

    // 150 is a free agent whose one-year contract club 1 holds: each of his offers takes
    // back the bonus share of 100,000 from the running payroll.
    ASSERT_TRUE(offers.RemoveOffer(0));
    ASSERT_EQ(offers.Count(), 2);
    EXPECT_EQ(offers.Items()[0].offer.playerID, 151);
    EXPECT_FALSE(offers.Items()[0].checked); // the others keep their ticks
    EXPECT_EQ(offers.GetTotals().payroll, 4000000 - 100000);

    ASSERT_TRUE(offers.ReplaceOffer(0, MakeOffer(151, 0, 1, 3000000, 0, 1)));
    EXPECT_TRUE(offers.Items()[0].checked);
    EXPECT_NE(offers.Items()[0].text.find("$3,000,000"), std::string::npos);
    EXPECT_EQ(offers.GetTotals().payroll, 3000000 - 200000 + 4000000 - 100000);

    EXPECT_FALSE(offers.RemoveOffer(2));
    EXPECT_FALSE(offers.ReplaceOffer(-1, MakeOffer(151, 0, 1, 1, 0, 1)));
}

TEST_F(CapViews, SearchFindsEveryWordOfANameIgnoringCase) {
    plan.players[0].first = "\xC9mile"; // Latin-1 capital E acute
    plan.players[0].last = "Brock";
    plan.players[1].first = "Brock";
    plan.players[1].last = "Fletcher";
    TempDir other;
    auto named = plan.Open(other);
    const PlayerSearch search(*named);
    EXPECT_EQ(search.Find("brock"), (std::vector<std::int16_t>{120, 121}));
    EXPECT_EQ(search.Find("  BROCK fl"), (std::vector<std::int16_t>{121}));
    EXPECT_EQ(search.Find("fletcher, brock"), (std::vector<std::int16_t>{121}));
    EXPECT_EQ(search.Find("\xE9mi"), (std::vector<std::int16_t>{120}));
    EXPECT_EQ(search.Find("p130"), (std::vector<std::int16_t>{130}));
    EXPECT_TRUE(search.Find("").empty());
    EXPECT_TRUE(search.Find("zz").empty());
}
