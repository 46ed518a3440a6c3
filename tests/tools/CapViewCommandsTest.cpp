#include "support/CliRun.h"
#include "support/OfferFixtures.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "contracts/Release.h"
#include "contracts/RosterRows.h"
#include "contracts/ScriptedPrompt.h"
#include "tools/SampleLeague.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

using nlohmann::json;

namespace {

// An eight-team league of season 2000: club 1 has 120 under a four-year contract of 1998
// (base 1,080,000 and bonus share 100,000 this season) and 121 without a contract (CGS
// 500,000); club 2 has 130, whose two-year contract of 2000 club 1 holds (2,000,000 and
// 600,000); 150 and 151 are free agents, 151 named with a comma and a Latin-1 letter.
class CapViewCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        plan.Add(120, Player::QB, 5);
        plan.Add(121, Player::WR, 3);
        plan.Add(130, Player::DE, 4);
        plan.Add(150, Player::K, 6);
        TestPlayer& named = plan.Add(151, Player::P, 2);
        named.first = "Ren\xE9";
        named.last = "Day, Jr.";
        plan.rosters = {{}, {120, 121}, {130}};
        plan.freeAgents = std::vector<std::int16_t>{151, 150};

        Options options;
        options.SetFolder(dir.Path());
        auto league = plan.Open(dir);
        ContractList list(*league, options);
        for (int id = ContractList::kFirstID; id < list.Count(); ++id)
            list.GetRecord(id)->playerID = static_cast<std::int16_t>(id);
        SignFourYearsOf1998(*list.GetRecord(120), 120);
        list.GetRecord(121)->cgs = 500000;
        SetContract(*list.GetRecord(130), 130, Contract::UnderContract, 1, 2000, 2, 2000000, 600000);
        ASSERT_TRUE(list.Save());
    }

    int Cli(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunCliWith(args, out, err);
    }
    json Json() const { return json::parse(out.str()); }
    std::string Lge() const { return dir.File("test.lge"); }

    TempDir dir;
    TestLeague plan;
    std::ostringstream out, err;
};

} // namespace

TEST_F(CapViewCommands, RosterPrintsEachPlayerWithHisMoney) {
    ASSERT_EQ(Cli({"roster", Lge(), "--team", "1"}), 0) << err.str();
    const json doc = Json();
    EXPECT_EQ(doc["season"], 2000);
    EXPECT_EQ(doc["salaryCap"], 45000000);
    ASSERT_EQ(doc["rows"].size(), 2u);
    EXPECT_EQ(doc["rows"][0], json::parse(R"({"id": 120, "first": "First", "last": "P120", "pos": "QB",
        "experience": 5, "team": 1, "status": 0, "contractTeam": 1, "yrSigned": 1998, "years": 4,
        "yearsLeft": 2, "salary": 4000000, "bonus": 400000, "base": 1080000, "bonusCharge": 100000,
        "estimatedOnly": 0, "cgs": 1000000})"));
    EXPECT_EQ(doc["rows"][1]["id"], 121);
    EXPECT_EQ(doc["rows"][1]["estimatedOnly"], 500000);
    EXPECT_EQ(doc["rows"][1]["contractTeam"], -1);

    // Club 2's player charges club 1 his bonus share, club 2 his base.
    ASSERT_EQ(Cli({"roster", Lge(), "--team", "2"}), 0) << err.str();
    EXPECT_EQ(Json()["rows"][0]["base"], 900000);
    EXPECT_EQ(Json()["rows"][0]["bonusCharge"], 300000);

    // The free agents group by group (K before P), names in UTF-8.
    ASSERT_EQ(Cli({"roster", Lge(), "--free-agents"}), 0) << err.str();
    ASSERT_EQ(Json()["rows"].size(), 2u);
    EXPECT_EQ(Json()["rows"][0]["id"], 150);
    EXPECT_EQ(Json()["rows"][1]["first"], "Ren\xC3\xA9");
    EXPECT_EQ(Json()["rows"][1]["team"], -1);

    ASSERT_EQ(Cli({"roster", Lge(), "--draft"}), 0) << err.str();
    EXPECT_TRUE(Json()["rows"].empty()); // past the draft: no list in use
}

TEST_F(CapViewCommands, RosterCsvIsTheSameRowsQuoted) {
    ASSERT_EQ(Cli({"roster", Lge(), "--free-agents", "--csv"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "id,first,last,pos,experience,team,status,contractTeam,yrSigned,years,yearsLeft,salary,"
              "bonus,base,bonusCharge,estimatedOnly,cgs\r\n"
              "150,First,P150,K,6,-1,2,-1,2000,0,0,0,0,0,0,0,0\r\n"
              "151,Ren\xC3\xA9,\"Day, Jr.\",P,2,-1,2,-1,2000,0,0,0,0,0,0,0,0\r\n");
    ASSERT_EQ(Cli({"captable", Lge(), "--team", "1", "--csv"}), 0) << err.str();
    EXPECT_EQ(out.str().substr(0, out.str().find("\r\n")), "row,id,label,2000,2001,2002,2003,2004,2005,2006");
    EXPECT_NE(out.str().find("\r\ntotal,,Total,1480000,1720000,0,"), std::string::npos);
}

TEST_F(CapViewCommands, ReleaseShowsSavingsAndDeadMoney) {
    ASSERT_EQ(Cli({"release", Lge(), "120"}), 0) << err.str();
    // Club 1: 1,080,000 + 100,000 + 300,000 = 1,480,000 now; 600,000 of bonus money this season.
    EXPECT_EQ(Json(), json::parse(R"({"id": 120, "team": 1,
        "before": {"bonusSpent": 600000, "currentPayroll": 1480000, "estimatedPayroll": 1980000},
        "after": {"bonusSpent": 600000, "currentPayroll": 400000, "estimatedPayroll": 900000},
        "savings": 1080000, "deadMoney": 100000, "otherClubs": []})"));

    ASSERT_EQ(Cli({"release", Lge(), "130"}), 0) << err.str();
    EXPECT_EQ(Json()["team"], 2);
    EXPECT_EQ(Json()["savings"], 900000);
    EXPECT_EQ(Json()["deadMoney"], 0);
}

TEST_F(CapViewCommands, FailuresPrintOneLineAndNothingElse) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"release", Lge(), "150"},
                                                 {"release", Lge(), "99"},
                                                 {"roster", Lge(), "--team", "8"},
                                                 {"roster", dir.File("missing.lge"), "--team", "0"}}) {
        SCOPED_TRACE(args[0] + " " + args.back());
        EXPECT_EQ(Cli(args), 1);
        EXPECT_TRUE(out.str().empty());
        const std::string message = err.str();
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    }
    EXPECT_NE(err.str().find("brevane-cli roster: "), std::string::npos);
    EXPECT_EQ(Cli({"roster", Lge()}), 2); // no listing chosen
    EXPECT_EQ(Cli({"roster", Lge(), "--team", "1", "--draft"}), 2);
}

namespace {

// The payroll identity and the release model against the library's own release, on
// leagues the sample writer makes.
class SampleCapViews : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        SampleLeagueOptions sample;
        sample.folder = dir.Path();
        sample.teams = 30;
        sample.players = GetParam();
        sample.seed = 11;
        std::string error;
        ASSERT_TRUE(sample::WriteSampleLeague(sample, result, error)) << error;
        ASSERT_TRUE(league.OpenLeague(result.leaguePath) && league.ReadLeagueData());
        list = std::make_unique<ContractList>(league, options);
        ScriptedPrompt prompt;
        ASSERT_TRUE(list->Load(prompt));
    }

    TempDir dir;
    sample::Result result;
    Options options;
    League league;
    std::unique_ptr<ContractList> list;
};

} // namespace

TEST_P(SampleCapViews, CurrentPayrollIsTheRostersBaseAndTheClubsBonusCharges) {
    std::vector<std::int16_t> everyone;
    for (int id = ContractList::kFirstID; id < list->Count(); ++id)
        everyone.push_back(static_cast<std::int16_t>(id));
    const ReleaseCalculator release(*list);
    std::vector<std::int64_t> current(30), estimated(30);
    for (const RosterRow& row : BuildRosterRows(*list, release, everyone)) {
        if (row.team >= 0) {
            current[static_cast<std::size_t>(row.team)] += row.base;
            estimated[static_cast<std::size_t>(row.team)] += row.base + row.estimatedOnly;
        }
        if (row.contractTeam >= 0) {
            current[static_cast<std::size_t>(row.contractTeam)] += row.bonusCharge;
            estimated[static_cast<std::size_t>(row.contractTeam)] += row.bonusCharge;
        }
    }
    for (int t = 0; t < 30; ++t) {
        SCOPED_TRACE(t);
        EXPECT_GT(list->CurrentPayroll(t), 0);
        EXPECT_EQ(current[static_cast<std::size_t>(t)], list->CurrentPayroll(t));
        EXPECT_EQ(estimated[static_cast<std::size_t>(t)], list->EstimatedPayroll(t));
    }
}

TEST_P(SampleCapViews, ReleaseMatchesTheTotalsAfterTheLibraryReleasesThePlayer) {
    const ReleaseCalculator release(*list);
    std::vector<TeamInfo> before;
    for (int t = 0; t < 30; ++t)
        before.push_back(list->GetTeamInfo(t));
    int tried = 0;
    for (int team : {0, 17}) {
        for (const std::int16_t id : ListedPlayers(league, RosterListing::Team, team)) {
            const auto effect = release.Release(id);
            ASSERT_TRUE(effect);
            ASSERT_TRUE(league.MakeFreeAgent(id)) << league.GetLastError();
            list->RecomputeTotals();
            for (int t = 0; t < 30; ++t) {
                const TeamInfo now = list->GetTeamInfo(t);
                ReleaseEffect::Figures expected{before[t].bonusSpent, before[t].currentPayroll,
                                                before[t].estimatedPayroll};
                if (t == team)
                    expected = effect->after;
                for (const auto& other : effect->otherClubs)
                    if (other.team == t)
                        expected = other.after;
                EXPECT_EQ((ReleaseEffect::Figures{now.bonusSpent, now.currentPayroll, now.estimatedPayroll}),
                          expected)
                    << "player " << id << ", club " << t;
            }
            ASSERT_TRUE(league.MovePlayer(id, static_cast<char>(team))) << league.GetLastError();
            ++tried;
        }
    }
    list->RecomputeTotals();
    EXPECT_EQ(list->GetTeamInfo(0), before[0]);
    EXPECT_GT(tried, 90);
}

// The sample league's size, and a larger 30-club league.
INSTANTIATE_TEST_SUITE_P(Leagues, SampleCapViews, ::testing::Values(0, 4000));
