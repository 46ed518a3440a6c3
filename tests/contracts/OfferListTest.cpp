#include "contracts/OfferList.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "support/OfferFixtures.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// An eight-team league in season 2000; team 1 is the managed club with a base of one
// restructure, $2,000,000 of bonus money and an estimated payroll of $30,000,000.
class OfferListFixture : public PlannedLeagueTest {
  protected:
    void SetUp() override {
        plan.Add(120, Player::QB, 5); // team 1, under contract
        plan.Add(121, Player::WR, 3); // team 1, free agent status
        plan.Add(122, Player::TE, 2); // team 1, restricted
        plan.Add(150, Player::K, 6);  // free agent
        plan.Add(151, Player::P, 6);  // free agent whose contract team 1 holds
        plan.rosters = {{}, {120, 121, 122}};
        plan.freeAgents = std::vector<std::int16_t>{150, 151};
        OpenPlan();

        Contract& c120 = *list->GetRecord(120);
        c120.status = Contract::UnderContract;
        c120.contractTeam = 1;
        c120.yrSigned = 1999;
        c120.years = 3;
        c120.salary = 3000000;
        c120.bonus = 600000;
        c120.cgs = 1000000;
        Contract& c122 = *list->GetRecord(122);
        c122.status = Contract::RestrictedFA;
        c122.contractTeam = 1;
        c122.cgs = 750000;
        Contract& c151 = *list->GetRecord(151);
        c151.contractTeam = 1;
        c151.years = 2;
        c151.bonus = 400000;
        list->GetRecord(150)->cgs = 500000;

        offers = std::make_unique<OfferList>(*list);
        offers->SetBase(1, 1, 2000000, 25000000, 30000000);
    }

    void ExpectFigures(std::int32_t bonus, std::int32_t payroll, std::int32_t restructures) {
        const OfferList::Totals& t = offers->GetTotals();
        EXPECT_EQ(t.bonus, bonus);
        EXPECT_EQ(t.payroll, payroll);
        EXPECT_EQ(t.restructures, restructures);
    }

    std::vector<std::uint8_t> ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::unique_ptr<OfferList> offers;
};

} // namespace

TEST_F(OfferListFixture, BaseFiguresAndTheirTexts) {
    const OfferList::Totals& t = offers->GetTotals();
    EXPECT_EQ(t.teamname, "Team 1");
    EXPECT_EQ(t.bonusText, "$2,000,000");
    EXPECT_EQ(t.payrollText, "$30,000,000"); // the estimated payroll, not the current one
    EXPECT_EQ(t.restructsText, "1");
    // The restructure counter is a signed byte.
    offers->SetBase(1, 255, 0, 0, 0);
    EXPECT_EQ(offers->GetTotals().restructsText, "-1");
}

TEST_F(OfferListFixture, NewContractForAFreeAgent) {
    // 3 years, $3,000,000 and $900,000: bonus + 900,000; payroll + 27 % of 3,000,000 = 810,000
    // and + 900,000 / 3 = 300,000.
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(150, 0, 3, 3000000, 900000, 1)));
    ExpectFigures(2900000, 31110000, 1);
    EXPECT_TRUE(offers->Items()[0].checked);
    EXPECT_EQ(
        offers->Items()[0].text,
        "Team 1 offers Free Agent K First P150 a 3 year deal for $3,000,000 with a $900,000 signing bonus");
}

TEST_F(OfferListFixture, RestructureReplacesThisSeasonsShareOfThePresentContract) {
    // Player 120 signed 1999 for 3 years: this season is year index 1 (33 %). The offer of 2
    // years, $2,000,000 and $500,000 adds 45 % of 2,000,000 = 900,000 and 250,000; the
    // present contract's 33 % of 3,000,000 = 990,000 and 600,000 / 3 = 200,000 go.
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(120, 3, 2, 2000000, 500000, 1)));
    ExpectFigures(2500000, 30000000 + 900000 + 250000 - 990000 - 200000, 2);
}

TEST_F(OfferListFixture, OwnPlayersWithoutARunningContractLeaveTheirCGS) {
    // Player 122 (restricted, on the club) was counted at his CGS of 750,000.
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(122, 1, 1, 800000, 0, 1)));
    ExpectFigures(2000000, 30000000 + 800000 - 750000, 1);
}

TEST_F(OfferListFixture, AFreeAgentWhoseContractTheClubHoldsLeavesHisBonusShare) {
    // Player 151's contract of 2 years with $400,000 charges 200,000 a year to the club.
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(151, 0, 1, 1000000, 100000, 1)));
    ExpectFigures(2100000, 30000000 + 1000000 - 200000 + 100000, 1);
}

TEST_F(OfferListFixture, DesignationsAndTendersLeaveTheFiguresAlone) {
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(121, 4, 1, 5000000, 0, 1)));
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(121, 5, 1, 5000000, 0, 1)));
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(121, 2, 1, 5000000, 100, 1)));
    ExpectFigures(2000000, 30000000, 1);
    EXPECT_EQ(offers->Items()[0].text, "Team 1 makes WR First P121 their Franchise Player");
}

TEST_F(OfferListFixture, UntickingTakesAnOfferOutOfTheFiguresAndTheFile) {
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(150, 0, 3, 3000000, 900000, 1)));
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(120, 3, 2, 2000000, 500000, 1)));
    offers->SetChecked(0, false);
    ExpectFigures(2500000, 29960000, 2);
    EXPECT_EQ(offers->Count(), 2);

    std::string reason;
    const std::string path = dir.File("club.off");
    ASSERT_TRUE(offers->WriteOffers(path, reason)) << reason;
    const std::vector<std::uint8_t> bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 20u);
    EXPECT_EQ(bytes[0], 120); // player 120 = 0x0078
    EXPECT_EQ(bytes[3], 3);

    offers->SetChecked(0, true);
    ExpectFigures(3400000, 31070000, 2);
}

TEST_F(OfferListFixture, WideSalariesAndLengthsWithoutASplitRow) {
    // 50,000,000 at 100 % would wrap a 32-bit product; a length of 0 or 8 has no first-year share.
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(150, 0, 1, 50000000, 0, 1)));
    ExpectFigures(2000000, 80000000, 1);
    offers->ClearOffers();
    offers->SetBase(1, 0, 0, 0, 0);
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(150, 0, 0, 4000000, 300000, 1)));
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(150, 0, 8, 4000000, 800000, 1)));
    ExpectFigures(1100000, 100000, 0);
}

TEST_F(OfferListFixture, RestructureOfAContractWithoutASplitEntrySubtractsNothing) {
    offers->SetBase(1, 0, 0, 0, 0);
    Contract& c = *list->GetRecord(120);
    c.years = 0; // no length: no share to take away
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(120, 3, 1, 1000000, 0, 1)));
    ExpectFigures(0, 1000000, 1);
    offers->ClearOffers();
    offers->SetBase(1, 0, 0, 0, 0);
    c.years = 3;
    c.yrSigned = 1990; // ten seasons ago: outside the split row, but the bonus share still goes
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(120, 3, 1, 1000000, 0, 1)));
    ExpectFigures(0, 1000000 - 200000, 1);
}

TEST_F(OfferListFixture, APlayerOutsideTheLeagueUsesTheDefaultRecord) {
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(31000, 0, 2, 1000000, 200000, 1)));
    ExpectFigures(2200000, 30000000 + 450000 + 100000, 1);
    EXPECT_EQ(offers->Items()[0].text.substr(0, 31), "Team 1 offers Free Agent    a 2");
}

TEST_F(OfferListFixture, NegativeFiguresShowTheirSign) {
    offers->SetBase(1, 0, 0, 0, 0);
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(122, 1, 1, 50000, 0, 1)));
    EXPECT_EQ(offers->GetTotals().payroll, -700000);
    EXPECT_EQ(offers->GetTotals().payrollText, "-$700,000");
}

TEST_F(OfferListFixture, ThirtyTwoOffersAtMost) {
    for (int i = 0; i < OfferList::kMaxOffers; ++i)
        ASSERT_TRUE(offers->AddOfferToList(MakeOffer(150, 0, 1, 100, 0, 1)));
    EXPECT_FALSE(offers->AddOfferToList(MakeOffer(150, 0, 1, 100, 0, 1)));
    EXPECT_EQ(offers->Count(), 32);
    // The window gives the base again before every offer: the 32 listed stay in the figures
    // (a one-year deal charges its whole salary), whether the next one is refused or waits
    // for a question.
    offers->SetBase(1, 1, 2000000, 25000000, 30000000);
    ExpectFigures(2000000, 30000000 + 32 * 100, 1);
}

TEST_F(OfferListFixture, FilesLoadWholeRecordsUpToThirtyTwoOffers) {
    // 50 records by hand plus a partial one: player 150 + k, type 0, 1 year, salary k.
    std::vector<std::uint8_t> bytes;
    for (int k = 0; k < 50; ++k) {
        const std::uint8_t rec[20] = {static_cast<std::uint8_t>(150 + k),
                                      0,
                                      1,
                                      0,
                                      1,
                                      0,
                                      0,
                                      0,
                                      static_cast<std::uint8_t>(k),
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      60,
                                      0,
                                      0,
                                      0};
        bytes.insert(bytes.end(), rec, rec + 20);
    }
    dir.Write("fifty.off", bytes);
    EXPECT_EQ(offers->LoadOffers(dir.File("fifty.off")), 32);
    ASSERT_EQ(offers->Count(), 32);
    EXPECT_EQ(offers->Items()[31].offer.salary, 31u);
    EXPECT_EQ(offers->Items()[31].offer.acceptPct, 60);

    offers->ClearOffers();
    const std::vector<std::uint8_t> three(bytes.begin(), bytes.begin() + 2 * 20 + 13);
    dir.Write("partial.off", three);
    EXPECT_EQ(offers->LoadOffers(dir.File("partial.off")), 2);
    EXPECT_EQ(offers->LoadOffers(dir.File("partial.off")), 2); // loading twice lists twice
    EXPECT_EQ(offers->Count(), 4);
    EXPECT_EQ(offers->Items()[2].offer, offers->Items()[0].offer);
    EXPECT_EQ(offers->LoadOffers(dir.File("missing.off")), 0);
    EXPECT_EQ(offers->Count(), 4);
}

// Contracts > Load takes the club's own offers for players of this league and says what it
// left: records of no player here (a file of another kind), another club's offers, what
// lies beyond the 32 and a partial record.
TEST_F(OfferListFixture, LoadingOwnOffersSaysWhatItLeftOut) {
    // One-year offers of $100 (player, club), then tail bytes of a partial record.
    const auto file = [](std::initializer_list<std::pair<int, int>> records, std::size_t tail) {
        std::vector<std::uint8_t> bytes(records.size() * Offer::kRecordSize + tail, 0x41);
        std::uint8_t* at = bytes.data();
        for (const auto& [player, team] : records) {
            MakeOffer(static_cast<std::int16_t>(player), 0, 1, 100, 0, team).Encode(at);
            at += Offer::kRecordSize;
        }
        return bytes;
    };
    using Lines = std::vector<std::string>;
    dir.Write("mixed.off", file({{150, 1}, {120, 3}, {999, 1}, {151, 3}}, 7));
    EXPECT_EQ(offers->LoadOwnOffers(dir.File("mixed.off")),
              (Lines{"1 record names no player of this league", "2 offers were made by Team 3, not by Team 1",
                     "it ends in a partial record of 7 bytes, ignored"}));
    ASSERT_EQ(offers->Count(), 1);
    EXPECT_EQ(offers->Items()[0].offer.playerID, 150);
    ExpectFigures(2000000, 30000000 + 100, 1); // a one-year deal of $100 for a free agent

    dir.Write("own.off", file({{151, 1}, {120, 4}, {121, 5}, {150, 1}}, 0));
    EXPECT_EQ(offers->LoadOwnOffers(dir.File("own.off")),
              Lines{"2 offers were made by other clubs, not by Team 1"});
    for (int i = offers->Count(); i < OfferList::kMaxOffers - 1; ++i)
        offers->AddOfferToList(MakeOffer(150, 0, 1, 100, 0, 1));
    EXPECT_EQ(offers->LoadOwnOffers(dir.File("own.off")),
              Lines{"3 records beyond the 32 offers of the list were not read"});
    EXPECT_EQ(offers->Count(), OfferList::kMaxOffers);
    EXPECT_EQ(offers->LoadOwnOffers(dir.File("missing.off")),
              Lines{"it could not be read: no such file or folder"});
}

TEST_F(OfferListFixture, WrittenFilesHoldTheTickedOffersAndReadBack) {
    Offer a = MakeOffer(150, 0, 3, 3000000, 900000, 1);
    a.acceptPct = 76;
    Offer b = MakeOffer(121, 4, 1, 0, 0, 1);
    b.flag = 9; // carried unchanged
    ASSERT_TRUE(offers->AddOfferToList(a));
    ASSERT_TRUE(offers->AddOfferToList(b));
    std::string reason;
    ASSERT_TRUE(offers->WriteOffers(dir.File("two.off"), reason));
    EXPECT_EQ(ReadAll(dir.File("two.off")).size(), 40u);

    OfferList again(*list);
    EXPECT_EQ(again.LoadOffers(dir.File("two.off")), 2);
    EXPECT_EQ(again.Items()[0].offer, a);
    EXPECT_EQ(again.Items()[1].offer, b);

    // Nothing ticked: an empty file.
    offers->SetChecked(0, false);
    offers->SetChecked(1, false);
    ASSERT_TRUE(offers->WriteOffers(dir.File("two.off"), reason));
    EXPECT_TRUE(ReadAll(dir.File("two.off")).empty());
}

TEST_F(OfferListFixture, AFileThatCannotBeWrittenIsReportedAndTheOldOneStays) {
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(150, 0, 1, 1000, 0, 1)));
    std::string reason;
    EXPECT_FALSE(offers->WriteOffers(dir.File("no-such-folder/club.off"), reason));
    EXPECT_FALSE(reason.empty());

    // A folder in the way of the name: it is not replaced.
    std::filesystem::create_directory(dir.File("taken.off"));
    reason.clear();
    EXPECT_FALSE(offers->WriteOffers(dir.File("taken.off"), reason));
    EXPECT_FALSE(reason.empty());
}

TEST_F(OfferListFixture, ClearingEmptiesTheListAndTheBaseButKeepsTheClub) {
    ASSERT_TRUE(offers->AddOfferToList(MakeOffer(150, 0, 3, 3000000, 900000, 1)));
    offers->ClearOffers();
    EXPECT_EQ(offers->Count(), 0);
    EXPECT_EQ(offers->GetTeam(), 1);
    ExpectFigures(0, 0, 0);
    EXPECT_EQ(offers->GetTotals().teamname, "Team 1");
}
