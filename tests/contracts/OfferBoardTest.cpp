#include "contracts/OfferBoard.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "support/OfferFixtures.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// An eight-team league of season 2000 (next player ID 200). Players 150 and 151 are free
// agents valued at $1,000,000, so that by the default splits a one-year offer of S + B is
// worth 62 × (S + B) / 1,000,000 points; 120 is club 1's quarterback under the contract of
// SignFourYearsOf1998.
class OfferBoardFixture : public PlannedLeagueTest {
  protected:
    void SetUp() override {
        plan.Add(120, Player::QB, 5);
        plan.Add(150, Player::K, 6);
        plan.Add(151, Player::P, 6);
        plan.rosters = {{}, {120}};
        plan.freeAgents = std::vector<std::int16_t>{150, 151};
        OpenPlan();
        SignFourYearsOf1998(*list->GetRecord(120), 120);
        list->GetRecord(150)->cgs = 1000000;
        list->GetRecord(151)->cgs = 1000000;
        board = std::make_unique<OfferBoard>(*list);
    }

    std::string Write(const std::string& name, const std::vector<Offer>& offers,
                      std::vector<std::uint8_t> tail = {}) {
        std::vector<std::uint8_t> bytes = OfferFileBytes(offers);
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        dir.Write(name, bytes);
        return dir.File(name);
    }

    // (file, record, chance) of each offer for the player, best first.
    std::vector<std::array<int, 3>> Ranking(int id) const {
        std::vector<std::array<int, 3>> rows;
        const OfferBoard::PlayerRow* row = board->FindPlayer(id);
        for (const OfferBoard::Entry& e : row ? row->offers : std::vector<OfferBoard::Entry>{})
            rows.push_back({e.file, e.index, e.chance});
        return rows;
    }

    std::unique_ptr<OfferBoard> board;
};

using Rank = std::vector<std::array<int, 3>>;

} // namespace

TEST_F(OfferBoardFixture, ThreeClubsBidForOneFreeAgent) {
    // Worked by hand with the default options (CGS 1,000,000, free agent, no declines):
    // one year of 1,000,000 + 200,000: 62 × 1.2 = 74.4 → 74;
    // three years of 3,000,000 + 600,000 (splits 27/33/40, weights 4, 8/3, 16/9):
    //   values 0.81 + 0.6, 0.99, 1.2 → 62 × (5.64 + 2.64 + 2.1333) / 8.4444 = 76.46 → 76;
    // two years of 2,000,000 + 400,000 (splits 45/55, weights 2, 4/3): 62 × (2.6 + 1.4667) / 3.3333 = 75.6
    // → 75.
    const std::string club1 =
        Write("club1.off", {MakeOffer(150, Offer::SignFreeAgent, 1, 1000000, 200000, 1)});
    const std::string club2 = Write("club2.off", {MakeOffer(150, Offer::SignFreeAgent, 3, 3000000, 600000, 2),
                                                  MakeOffer(151, Offer::SignFreeAgent, 1, 1000000, 0, 2)});
    const std::string club3 =
        Write("club3.off", {MakeOffer(150, Offer::SignFreeAgent, 2, 2000000, 400000, 3)});
    board->Load({club1, club2, club3});

    ASSERT_EQ(board->Players().size(), 2u);
    const OfferBoard::PlayerRow& kicker = board->Players()[0];
    EXPECT_EQ(kicker.id, 150);
    EXPECT_EQ(kicker.first, "First");
    EXPECT_EQ(kicker.last, "P150");
    EXPECT_EQ(kicker.pos, "K");
    EXPECT_EQ(kicker.team, -1);
    EXPECT_EQ(kicker.group, 7); // K of QB RB R OL DL LB DB K P
    EXPECT_EQ(kicker.clubs, 3);
    EXPECT_TRUE(kicker.Contested());
    EXPECT_EQ(Ranking(150), (Rank{{1, 0, 76}, {2, 0, 75}, {0, 0, 74}}));
    EXPECT_EQ(kicker.offers[0].offer.team, 2);

    // One club's offer alone is no contest.
    EXPECT_EQ(Ranking(151), (Rank{{1, 1, 62}}));
    EXPECT_FALSE(board->Players()[1].Contested());
    EXPECT_EQ(board->FindPlayer(120), nullptr);
}

TEST_F(OfferBoardFixture, TiesGoToMoreMoneyThenTheLowerClubThenFileAndRecordOrder) {
    // Every one-year offer below is worth 74 points (62 × 1.2 = 74.4, 62 × 1.205 = 74.71).
    const std::string a = Write("a.off", {MakeOffer(151, Offer::SignFreeAgent, 1, 1200000, 0, 4),
                                          MakeOffer(151, Offer::SignFreeAgent, 1, 1200000, 0, 4),
                                          MakeOffer(151, Offer::SignFreeAgent, 0, 9000000, 0, 4)});
    const std::string b = Write("b.off", {MakeOffer(151, Offer::SignFreeAgent, 1, 1000000, 200000, 2)});
    const std::string c = Write("c.off", {MakeOffer(151, Offer::SignFreeAgent, 1, 1205000, 0, 5)});
    const std::string d = Write("d.off", {MakeOffer(151, Offer::SignFreeAgent, 1, 1200000, 0, 4)});
    board->Load({a, b, c, d});
    // c has more money; b's club 2 comes before club 4; a before d, record 0 before 1; no
    // length at all is worth 0 however much money.
    EXPECT_EQ(Ranking(151), (Rank{{2, 0, 74}, {1, 0, 74}, {0, 0, 74}, {0, 1, 74}, {3, 0, 74}, {0, 2, 0}}));
    EXPECT_EQ(board->Players()[0].clubs, 3);

    // A record naming a club the league does not have is no second bidder.
    board->Load({b, Write("e.off", {MakeOffer(151, Offer::SignFreeAgent, 1, 1000000, 0, 99)})});
    EXPECT_EQ(board->Players()[0].offers.size(), 2u);
    EXPECT_EQ(board->Players()[0].clubs, 1);
    EXPECT_FALSE(board->Players()[0].Contested());
}

TEST_F(OfferBoardFixture, TodaysChanceFollowsTheOptionsWhileTheStoredOneStays) {
    Offer o = MakeOffer(150, Offer::SignFreeAgent, 1, 1000000, 0, 1);
    o.acceptPct = 62; // what the editor showed when it was made
    const std::string file = Write("club1.off", {o});
    options.basechance = 10; // the league raised every chance by ten points since
    board->Load({file});
    const OfferBoard::Entry& e = board->Players()[0].offers[0];
    EXPECT_EQ(e.offer.acceptPct, 62);
    EXPECT_EQ(e.chance, 72);

    // A player under contract, not a free agent, loses 25 points for each decline.
    list->GetRecord(120)->declines = 2;
    const std::string restructure =
        Write("r.off", {MakeOffer(120, Offer::RestructureOffer, 1, 1000000, 0, 1)});
    options.basechance = 0;
    board->Load({restructure});
    EXPECT_EQ(board->Players()[0].offers[0].chance, 12); // 62 - 2 × 25
}

TEST_F(OfferBoardFixture, UnknownPlayersAreCountedAndLeftOut) {
    const std::string mixed =
        Write("mixed.off",
              {MakeOffer(0, 0, 1, 1, 0, 1), MakeOffer(99, 0, 1, 1, 0, 1), MakeOffer(200, 0, 1, 1, 0, 1),
               MakeOffer(-300, 0, 1, 1, 0, 1), MakeOffer(150, 0, 1, 1000000, 0, 1),
               MakeOffer(151, 0, 1, 1000000, 0, 1), MakeOffer(150, 0, 1, 1000000, 0, 1),
               MakeOffer(151, 0, 1, 1000000, 0, 1), MakeOffer(120, 3, 1, 1000000, 0, 1)});
    board->Load({mixed});
    EXPECT_EQ(board->Files()[0].unknown, 4);
    EXPECT_EQ(board->Files()[0].offers.size(), 9u);
    EXPECT_TRUE(board->Files()[0].notes.empty());
    ASSERT_EQ(board->Players().size(), 3u);
    EXPECT_EQ(board->Players()[0].id, 120);
    EXPECT_EQ(board->Players()[2].offers.size(), 2u);

    // A file of another kind decodes to players and clubs the league does not have.
    std::vector<std::uint8_t> picture{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    for (int i = 0; i < 92; ++i)
        picture.push_back(static_cast<std::uint8_t>(0x50 + i));
    dir.Write("picture.off", picture);
    board->Load({dir.File("picture.off"), mixed});
    EXPECT_EQ(board->Files()[0].offers.size(), 5u);
    EXPECT_EQ(board->Files()[0].unknown, 5);
    EXPECT_EQ(
        board->Files()[0].notes,
        (std::vector<std::string>{
            "most of its records name no player or club of this league: not an offer file of this league?",
            "5 offers name no club of this league",
            "no club of this league made its offers: no figures or rules to check"}));
    EXPECT_EQ(board->Files()[0].problems.size(), 5u);
    EXPECT_EQ(board->Players().size(), 3u); // the other file still shows
}

TEST_F(OfferBoardFixture, DamagedFilesAreReportedAndNeverStopTheOthers) {
    const std::string good = Write("good.off", {MakeOffer(150, 0, 1, 1000000, 0, 1)});
    const std::string partial =
        Write("partial.off", {MakeOffer(151, 0, 1, 1000000, 0, 2), MakeOffer(150, 0, 1, 500000, 0, 2)},
              {1, 2, 3, 4, 5, 6, 7});
    std::vector<Offer> many;
    for (int i = 0; i < 50; ++i)
        many.push_back(MakeOffer(151, 0, 1, 1000000u + static_cast<std::uint32_t>(i), 0, 3));
    const std::string fifty = Write("fifty.off", many);
    const std::string empty = Write("empty.off", {});
    std::filesystem::create_directory(dir.File("folder.off"));
    board->Load({dir.File("missing.off"), good, partial, dir.File("folder.off"), fifty, empty});

    const auto& files = board->Files();
    ASSERT_EQ(files.size(), 6u);
    EXPECT_FALSE(files[0].readable);
    EXPECT_EQ(files[0].error, "no such file or folder");
    EXPECT_TRUE(files[1].readable);
    EXPECT_TRUE(files[1].notes.empty());
    EXPECT_TRUE(files[2].readable);
    EXPECT_EQ(files[2].offers.size(), 2u);
    EXPECT_EQ(files[2].notes, std::vector<std::string>{"ends in a partial record of 7 bytes, ignored"});
    EXPECT_FALSE(files[3].readable);
    EXPECT_EQ(files[3].error, "not a file");
    EXPECT_EQ(files[4].offers.size(), 32u);
    EXPECT_EQ(files[4].offers.back().salary, 1000031u);
    EXPECT_EQ(files[4].notes,
              std::vector<std::string>{"holds 18 records beyond the 32 of an offer list, not read"});
    EXPECT_TRUE(files[5].readable);
    EXPECT_TRUE(files[5].offers.empty());
    EXPECT_EQ(files[5].team, -1);
    EXPECT_TRUE(files[5].notes.empty()); // saving no ticked offer writes an empty file

    ASSERT_EQ(board->Players().size(), 2u);
    EXPECT_EQ(board->Players()[0].offers.size(), 2u);  // 150: good and partial
    EXPECT_EQ(board->Players()[1].offers.size(), 33u); // 151: partial and the first 32 of fifty
}

TEST_F(OfferBoardFixture, EachFileIsCheckedAsTheOfferListOfTheClubThatMadeIt) {
    // Club 1 offers five years without a bonus: longer than 4 and
    // outside the bonus bounds. Club 1 made two of the three offers, club 3 one.
    const std::string mixed =
        Write("mixed.off", {MakeOffer(150, 0, 5, 1000000, 0, 3), MakeOffer(150, 0, 5, 1000000, 0, 1),
                            MakeOffer(151, Offer::FranchiseDesignation, 1, 0, 0, 1)});
    board->Load({mixed});
    const OfferBoard::FileRow& file = board->Files()[0];
    EXPECT_EQ(file.team, 1);
    EXPECT_EQ(file.notes,
              std::vector<std::string>{"holds offers of 2 clubs; checked as Team 1's offer list"});
    const std::vector<std::string> fiveYears{
        "Bonus 0.0 % of the salary is outside 20-120 % for more than one year",
        "5 years is longer than the longest contract of 4"};
    ASSERT_EQ(file.problems.size(), 3u);
    EXPECT_EQ(file.problems[0], fiveYears);
    EXPECT_EQ(file.problems[1], fiveYears);
    EXPECT_TRUE(file.problems[2].empty());
    // Both money offers add their first-year share, 1,000,000 × 13 % of the five-year row, to
    // club 1's estimated payroll; the designation adds nothing.
    EXPECT_EQ(file.totals.payroll, list->GetTeamInfo(1).estimatedPayroll + 260000);
    EXPECT_EQ(file.totals.teamname, "Team 1");
}
