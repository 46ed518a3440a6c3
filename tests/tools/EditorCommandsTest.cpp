#include "support/CliRun.h"
#include "support/OfferFixtures.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include "contracts/ContractList.h"
#include "contracts/OfferBoard.h"
#include "contracts/Options.h"
#include "tools/Commands.h"
#include "tools/SalaryLeague.h"
#include "tools/SampleHooks.h"
#include "tools/SampleLeague.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

using nlohmann::json;

namespace {

// An eight-team league of season 2000 with salary information: player 120 (QB, 5 years) is
// under a contract of club 1 signed in 1998 for 4 years, $4,000,000 and $400,000, CGS
// 1,000,000; player 121 (WR) is club 1's franchise player; player 150 is a free agent.
class EditorCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        plan.Add(120, Player::QB, 5);
        plan.Add(121, Player::WR, 3);
        plan.Add(150, Player::K, 6);
        plan.rosters = {{}, {120, 121}};
        plan.freeAgents = std::vector<std::int16_t>{150};
        plan.stats = {{34, 120, 100, 400, 30, 4}};
    }

    void WriteSalaryInformation() {
        Options options;
        options.SetFolder(dir.Path());
        auto league = plan.Open(dir);
        ContractList list(*league, options);
        SignFourYearsOf1998(*list.GetRecord(120), 120);
        list.GetRecord(121)->status = Contract::FranchisePlayer;
        list.GetRecord(121)->contractTeam = 1;
        list.GetRecord(150)->cgs = 1000000;
        for (int id = ContractList::kFirstID; id < list.Count(); ++id)
            list.GetRecord(id)->playerID = static_cast<std::int16_t>(id);
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

TEST_F(EditorCommands, PlayerShowsTheBoxesOfTheEditor) {
    WriteSalaryInformation();
    ASSERT_EQ(Cli({"player", Lge(), "120"}), 0) << err.str();
    const json doc = Json();
    EXPECT_EQ(doc["playerID"], "120");
    EXPECT_EQ(doc["currentTeam"], "Team 1");
    EXPECT_EQ(doc["yrSigned"], "1998");
    EXPECT_EQ(doc["salary"], "4,000,000");
    EXPECT_EQ(doc["currentBase"], "1,080,000");
    EXPECT_EQ(doc["caphit"],
              json({"1998: $820,000", "1999: $980,000", "2000: $1,180,000", "2001: $1,420,000"}));
    EXPECT_EQ(doc["caphitSelected"], 2);
    EXPECT_EQ(doc["accept_percent"], "0");
    EXPECT_EQ(doc["acceptColor"], "red");
    EXPECT_EQ(doc["Round"], nullptr);
    EXPECT_EQ(doc["potentialsMasked"], false);
    EXPECT_EQ(doc["SeasonStatOutput"].size(), 1u);
    EXPECT_TRUE(doc["GameStatOutput"].empty());

    ASSERT_EQ(Cli({"player", Lge(), "121"}), 0);
    EXPECT_EQ(Json()["FranchiseTag"], true);
    EXPECT_EQ(Json()["Round"], nullptr);

    EXPECT_EQ(Cli({"player", Lge(), "99"}), 1);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("brevane-cli player: no player with ID 99"), std::string::npos);
}

TEST_F(EditorCommands, OfferPrintsTheRecordItsBytesAndItsSentence) {
    WriteSalaryInformation();
    ASSERT_EQ(Cli({"offer", Lge(), "--user-team", "1", "--team", "1", "120", "3", "3,000,000", "600,000"}), 0)
        << err.str();
    const json doc = Json();
    // 3 years of 27/33/40 with a 20 % bonus on the CGS three times over: 76.
    EXPECT_EQ(doc["offerType"], 3);
    EXPECT_EQ(doc["accept_percent"], "76");
    EXPECT_EQ(doc["caphit"], json({"2000: $1,010,000", "2001: $1,190,000", "2002: $1,400,000"}));
    EXPECT_EQ(doc["offer"]["acceptPct"], 76);
    EXPECT_EQ(doc["offer"]["team"], 1);
    // 120 = 0x78; 3,000,000 = 0x2DC6C0; 600,000 = 0x0927C0; 76 = 0x4C.
    EXPECT_EQ(doc["bytes"], "7800010303000000c0c62d00c02709004c000000");
    EXPECT_EQ(
        doc["sentence"],
        "Team 1 offers QB First P120 a retructure for 3 deal for $3,000,000 with a $600,000 signing bonus");
}

TEST_F(EditorCommands, OfferTagsAndRefusals) {
    WriteSalaryInformation();
    // The franchise player's own box stays ticked: a tag on a tagged player is refused.
    ASSERT_EQ(Cli({"offer", Lge(), "--user-team", "1", "--team", "1", "121"}), 0);
    EXPECT_EQ(Json()["offerType"], 10);
    EXPECT_EQ(Json()["sentence"], "Team 1 INVALID OFFER");
    // Unticked, the same player is restructured.
    ASSERT_EQ(Cli({"offer", Lge(), "--user-team", "1", "--team", "1", "121", "--no-tags"}), 0);
    EXPECT_EQ(Json()["offerType"], 3);
    // From another club's listing every tag is refused.
    ASSERT_EQ(Cli({"offer", Lge(), "--user-team", "2", "--team", "1", "120", "--tender"}), 0);
    EXPECT_EQ(Json()["offerType"], 10);
    // The free-agent listing signs.
    ASSERT_EQ(Cli({"offer", Lge(), "--free-agents", "150", "1", "1000000", "200000"}), 0);
    EXPECT_EQ(Json()["offerType"], 0);
    EXPECT_EQ(Json()["accept_percent"], "74");
    EXPECT_EQ(
        Json()["sentence"],
        "Team 0 offers Free Agent K First P150 a 1 year deal for $1,000,000 with a $200,000 signing bonus");
}

TEST_F(EditorCommands, OfferFailuresExitOneWithOneLine) {
    WriteSalaryInformation();
    EXPECT_EQ(Cli({"offer", Lge(), "--team", "1", "120", "3", "lots", "0"}), 1);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(err.str(), "brevane-cli offer: Base Salary: 'lots' is not a valid integer value\n");
    EXPECT_EQ(Cli({"offer", Lge(), "--team", "8", "120"}), 1);
    EXPECT_NE(err.str().find("team 8 is not a team of the league"), std::string::npos);
    EXPECT_EQ(Cli({"offer", Lge(), "--user-team", "-1", "--team", "1", "120"}), 1);
    EXPECT_EQ(Cli({"offer", Lge(), "120"}), 2); // neither --team nor --free-agents
    EXPECT_EQ(Cli({"offer", Lge(), "--team", "1", "120", "3", "100"}), 2);
}

TEST_F(EditorCommands, OffersLoadsUnticksAndWrites) {
    WriteSalaryInformation();
    // Two offers by hand: a new contract for 150 (1 year, $1,000,000) and a franchise designation of 121.
    const std::vector<std::uint8_t> a{150, 0, 1, 0, 1, 0, 0, 0, 0x40, 0x42, 0x0F, 0, 0, 0, 0, 0, 62, 0, 0, 0};
    const std::vector<std::uint8_t> b{121, 0, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0};
    std::vector<std::uint8_t> both = a;
    both.insert(both.end(), b.begin(), b.end());
    dir.Write("club.off", both);

    // --untick before the files, as the usage line has it, takes one argument and leaves the files alone.
    ASSERT_EQ(Cli({"offers", Lge(), "--team", "1", "--untick", "1", dir.File("club.off"),
                   dir.File("missing.off"), "--write", dir.File("out.off")}),
              0)
        << err.str();
    const json doc = Json();
    EXPECT_EQ(doc["teamname"], "Team 1");
    ASSERT_EQ(doc["offerlist"].size(), 2u);
    EXPECT_EQ(doc["offerlist"][0]["text"],
              "Team 1 offers Free Agent K First P150 a 1 year deal for $1,000,000 with a $0 signing bonus");
    EXPECT_EQ(doc["offerlist"][1]["checked"], false);
    // Club 1 spent no bonus and its estimated payroll is this season's 27 % of 4,000,000
    // plus 100,000 of bonus and the franchise player's CGS of 0: 1,180,000; the new contract adds 1,000,000.
    EXPECT_EQ(doc["payroll"], "$2,180,000");
    EXPECT_EQ(doc["bonus"], "$0");
    EXPECT_EQ(doc["restructs"], "0");
    EXPECT_EQ(dir.Read("out.off"), a);

    // K,... after the files: the second copy's new contract and the first's designation unticked.
    ASSERT_EQ(Cli({"offers", Lge(), "--team", "1", dir.File("club.off"), dir.File("club.off"), "--untick",
                   "1,2", "--write", dir.File("out.off")}),
              0)
        << err.str();
    std::vector<bool> ticks;
    const json twice = Json();
    for (const json& item : twice["offerlist"])
        ticks.push_back(item["checked"]);
    EXPECT_EQ(ticks, (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(dir.Read("out.off"), both);

    EXPECT_EQ(Cli({"offers", Lge(), "--team", "1", dir.File("club.off"), "--untick", "5"}), 1);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(Cli({"offers", Lge(), "--team", "30", dir.File("club.off")}), 1);
}

TEST_F(EditorCommands, OffersAreNeverWrittenOverTheOpenLeaguesFiles) {
    WriteSalaryInformation();
    dir.Write("club.off", {150, 0, 1, 0, 1, 0, 0, 0, 0x40, 0x42, 0x0F, 0, 0, 0, 0, 0, 62, 0, 0, 0});
    std::filesystem::create_directory(dir.File("sub"));
    std::vector<std::string> targets{Lge(),
                                     dir.File("test.FRO"),
                                     dir.File("test.pyr"),
                                     dir.File("TEST.Pyr"), // the league finds its files in any case
                                     dir.File("test.pyc"), // none yet: the next open would read it
                                     dir.File("salreg"),
                                     dir.File("test-recovered.off"),
                                     dir.File("~saltmp.lge"),
                                     dir.File("~saltmp.lck"),
                                     dir.File("sub") + "/../test.dat"};
    std::error_code failed;
    std::filesystem::create_hard_link(dir.File("test.FRO"), dir.File("sub/fro.off"), failed);
    if (!failed)
        targets.push_back(dir.File("sub/fro.off"));
    TempDir other;
    std::filesystem::create_directory_symlink(dir.Path(), other.File("league"), failed);
    if (!failed) // Windows lets only some users make links
        targets.push_back(other.File("league") + "/test.lge");
    ASSERT_EQ(Cli({"offers", Lge(), "--team", "1", dir.File("club.off")}), 0); // writes the default salreg
    const auto before = dir.Snapshot();
    for (const std::string& target : targets) {
        EXPECT_EQ(Cli({"offers", Lge(), "--team", "1", dir.File("club.off"), "--write", target}), 1)
            << target;
        EXPECT_EQ(err.str(),
                  "brevane-cli offers: could not write " + target + ": a file of the open league\n");
        EXPECT_TRUE(out.str().empty());
        EXPECT_EQ(dir.Snapshot(), before) << target;
    }
    EXPECT_EQ(dir.Read("sub/fro.off"), dir.Read("test.FRO"));

    // A player file linked into another folder makes the league lock that folder too: its lock
    // file is the open league's as well.
    TempDir real;
    std::filesystem::rename(dir.File("test.pyr"), real.File("x.pyr"));
    std::filesystem::create_symlink(real.File("x.pyr"), dir.File("test.pyr"), failed);
    if (failed) { // Windows lets only some users make links
        std::filesystem::rename(real.File("x.pyr"), dir.File("test.pyr"));
    } else {
        const auto realBefore = real.Snapshot();
        for (const std::string& target :
             {real.File("~saltmp.lck"), real.File("~SALTMP.LCK"), real.File("x.pyr")}) {
            EXPECT_EQ(Cli({"offers", Lge(), "--team", "1", dir.File("club.off"), "--write", target}), 1)
                << target << err.str();
            EXPECT_EQ(err.str(),
                      "brevane-cli offers: could not write " + target + ": a file of the open league\n");
            EXPECT_EQ(real.Snapshot(), realBefore) << target;
        }
    }
    // Beside the league, under a name of its own, the offers are written.
    ASSERT_EQ(Cli({"offers", Lge(), "--team", "1", dir.File("club.off"), "--write", dir.File("test.off")}), 0)
        << err.str();
    EXPECT_EQ(dir.Read("test.off"), dir.Read("club.off"));
}

TEST_F(EditorCommands, AcceptWithoutSalaryInformationUsesTheDefaultRecord) {
    plan.Open(dir); // writes the league, no salary information
    // A free agent whose CGS is 0 counts as 1 dollar: 62 per dollar of a one-year offer.
    ASSERT_EQ(Cli({"accept", Lge(), "150", "1", "2", "0"}), 0) << err.str();
    EXPECT_EQ(Json()["chance"], 124);
    EXPECT_EQ(Json()["loaded"], false);
    WriteSalaryInformation();
    ASSERT_EQ(Cli({"accept", Lge(), "150", "1", "1000000", "0"}), 0);
    EXPECT_EQ(Json()["chance"], 62);
    EXPECT_EQ(Json()["loaded"], true);
}

TEST_F(EditorCommands, CapTableOfTheClubWithTheOffersOfFiles) {
    WriteSalaryInformation();
    // A new contract for 150: one year, $1,000,000.
    dir.Write("club.off", {150, 0, 1, 0, 1, 0, 0, 0, 0x40, 0x42, 0x0F, 0, 0, 0, 0, 0, 62, 0, 0, 0});
    ASSERT_EQ(Cli({"captable", Lge(), "--team", "1", dir.File("club.off")}), 0) << err.str();
    const json doc = Json();
    EXPECT_EQ(doc["seasons"], json({2000, 2001, 2002, 2003, 2004, 2005, 2006}));
    EXPECT_EQ(doc["salaryCap"], 45000000);
    // Player 120: 1,080,000 + 100,000 this season, 1,320,000 + 100,000 in 2001, his last.
    ASSERT_EQ(doc["players"].size(), 1u);
    EXPECT_EQ(doc["players"][0]["id"], 120);
    EXPECT_EQ(doc["players"][0]["charges"], json({1180000, 1420000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(doc["offers"][0]["index"], 0);
    EXPECT_EQ(doc["offers"][0]["charges"], json({1000000, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(doc["totals"], json({2180000, 1420000, 0, 0, 0, 0, 0}));
    EXPECT_EQ(doc["capSpace"][0], 45000000 - 2180000);
    EXPECT_EQ(doc["expiring"][1], json({120}));
    EXPECT_EQ(Cli({"captable", Lge(), "--team", "9"}), 1);
}

TEST_F(EditorCommands, CheapestOffersAndTheirTargets) {
    WriteSalaryInformation();
    ASSERT_EQ(Cli({"cheapest", Lge(), "150", "--chance", "62"}), 0) << err.str();
    const json rows = Json()["rows"];
    // Default maximum length 4: four targets, two bonus rules, and no bonus for one year.
    ASSERT_EQ(rows.size(), 4u * 4 * 2 + 4);
    // One year without a bonus: exactly the CGS reaches 62, and 967,742 reaches 60.
    EXPECT_EQ(rows[2], json({{"years", 1},
                             {"target", 60},
                             {"bonusRule", "none"},
                             {"salary", 967742},
                             {"bonus", 0},
                             {"chance", 60}}));
    EXPECT_EQ(rows[11]["target"], 62);
    EXPECT_EQ(rows[11]["salary"], 1000000);
    EXPECT_EQ(Cli({"cheapest", Lge(), "150", "--chance", "0"}), 2);
}

TEST_F(EditorCommands, OfferExplainsItsChanceAndOffersListTheirProblems) {
    WriteSalaryInformation();
    ASSERT_EQ(Cli({"offer", Lge(), "--free-agents", "150", "2", "2,000,000", "100,000"}), 0);
    json explain = Json()["explain"];
    EXPECT_EQ(explain["chance"], 0);
    EXPECT_EQ(explain["zeroReason"], "bonus below the minimum");
    ASSERT_EQ(Cli({"offer", Lge(), "--free-agents", "150", "1", "1,000,000", "0"}), 0);
    explain = Json()["explain"];
    EXPECT_EQ(explain["zeroReason"], nullptr);
    EXPECT_EQ(explain["offerValue"], 62.0);
    EXPECT_EQ(explain["lines"], json({"Offer vs CGS: 62.00", "Chance: 62"}));
    // Beyond the longest contract (4 years) the editor shows no chance, and says why.
    ASSERT_EQ(Cli({"offer", Lge(), "--free-agents", "150", "5", "3,000,000", "600,000"}), 0);
    EXPECT_EQ(Json()["accept_percent"], "");
    explain = Json()["explain"];
    EXPECT_EQ(explain["chance"], nullptr);
    EXPECT_EQ(explain["zeroReason"], "longer than the longest contract");
    EXPECT_EQ(explain["lines"], json({"Longer than the longest contract of 4 years"}));

    // Five years of no bonus for 150: longer than 4 and outside the bonus bounds.
    dir.Write("long.off", {150, 0, 1, 0, 5, 0, 0, 0, 0x40, 0x42, 0x0F, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(Cli({"offers", Lge(), "--team", "1", dir.File("long.off")}), 0);
    EXPECT_EQ(Json()["offerlist"][0]["problems"],
              json({"Bonus 0.0 % of the salary is outside 20-120 % for more than one year",
                    "5 years is longer than the longest contract of 4"}));
}

TEST_F(EditorCommands, VersionIsTheProgramsVersion) {
    // The window's caption reads "Version 1.3.1" from the same number.
    EXPECT_EQ(Cli({"--version"}), 0);
    EXPECT_EQ(out.str(), "brevane-cli 1.3.1\n");
}

TEST_F(EditorCommands, BoardRanksEveryClubsOffersPerPlayer) {
    WriteSalaryInformation();
    Offer first = MakeOffer(150, Offer::SignFreeAgent, 1, 1000000, 0, 1);
    first.acceptPct = 62;
    Offer second = MakeOffer(150, Offer::SignFreeAgent, 1, 1000000, 200000, 2);
    second.acceptPct = 70;
    dir.Write("club1.off", OfferFileBytes({first, MakeOffer(120, Offer::RestructureOffer, 1, 1000000, 0, 1),
                                           MakeOffer(300, Offer::SignFreeAgent, 1, 1000000, 0, 1)}));
    dir.Write("club2.off", OfferFileBytes({second}));
    const std::string club1 = dir.File("club1.off"), club2 = dir.File("club2.off"),
                      gone = dir.File("gone.off");
    ASSERT_EQ(Cli({"board", Lge(), club1, club2, gone}), 0) << err.str();

    // Today's chances by hand: 62 per $1,000,000 of a one-year offer for a CGS of
    // 1,000,000; 120 is under contract without declines, 150 a free agent.
    auto offer = [](const std::string& file, int index, int team, int type, int bonus, int stored,
                    int chance) {
        return nlohmann::ordered_json{
            {"file", file},    {"index", index},    {"team", team},   {"offerType", type},
            {"years", 1},      {"salary", 1000000}, {"bonus", bonus}, {"storedChance", stored},
            {"chance", chance}};
    };
    const nlohmann::ordered_json expected = {
        {"files",
         {{{"file", club1}, {"offers", 3}, {"unknown", 1}},
          {{"file", club2}, {"offers", 1}, {"unknown", 0}},
          {{"file", gone}, {"offers", 0}, {"unknown", 0}}}},
        {"players",
         {{{"id", 120},
           {"first", "First"},
           {"last", "P120"},
           {"pos", "QB"},
           {"team", 1},
           {"offers", {offer(club1, 1, 1, 3, 0, 0, 62)}}},
          {{"id", 150},
           {"first", "First"},
           {"last", "P150"},
           {"pos", "K"},
           {"team", -1},
           {"offers", {offer(club2, 0, 2, 0, 200000, 70, 74), offer(club1, 0, 1, 0, 0, 62, 62)}}}}}};
    EXPECT_EQ(nlohmann::ordered_json::parse(out.str()).dump(1), expected.dump(1));
    // A file that cannot be read is named on standard error, and the others still show.
    EXPECT_EQ(err.str(), "brevane-cli board: " + gone + ": cannot be read: no such file or folder\n");

    EXPECT_EQ(Cli({"board", dir.File("none.lge"), club1}), 1);
    EXPECT_TRUE(out.str().empty());
}

TEST(BoardCommand, EachFileHasTheRuleProblemsOfItsClubsOfferList) {
    TempDir dir;
    SampleLeagueOptions sample;
    sample.folder = dir.Path();
    sample.teams = 8;
    sample::Result league;
    std::string error;
    ASSERT_TRUE(sample::WriteSampleLeague(sample, league, error)) << error;

    // Per club 0-2: five restructures of its own players (one more than the four a season
    // allows, most not in a contract's last year), a one-year offer over the salary cap,
    // one whose bonus is over the bonus limit and a franchise designation; then a file of
    // clubs 3 and 4.
    std::vector<std::int16_t> freeAgents;
    for (const SamplePlayerInfo& p : league.players)
        if (p.freeAgent)
            freeAgents.push_back(p.id);
    ASSERT_GE(freeAgents.size(), 3u);
    std::vector<std::string> files;
    for (int club = 0; club < 3; ++club) {
        std::vector<Offer> offers;
        for (const SamplePlayerInfo& p : league.players)
            if (p.team == club && offers.size() < 5)
                offers.push_back(MakeOffer(p.id, Offer::RestructureOffer, 3, 6000000, 600000, club));
        offers.push_back(MakeOffer(freeAgents[0], Offer::SignFreeAgent, 1, 60000000, 0, club));
        offers.push_back(MakeOffer(freeAgents[1], Offer::SignFreeAgent, 2, 30000000, 25000000, club));
        offers.push_back(MakeOffer(freeAgents[2], Offer::FranchiseDesignation, 1, 0, 0, club));
        files.push_back(dir.File("club" + std::to_string(club) + ".off"));
        dir.Write("club" + std::to_string(club) + ".off", OfferFileBytes(offers));
    }
    dir.Write("mixed.off", OfferFileBytes({MakeOffer(freeAgents[0], 0, 5, 1000000, 0, 4),
                                           MakeOffer(freeAgents[1], 0, 1, 50000000, 0, 3),
                                           MakeOffer(freeAgents[2], 0, 1, 1000000, 0, 4)}));
    files.push_back(dir.File("mixed.off"));

    // What each file's board shows, then what `offers` says for the same club and file.
    std::vector<int> clubs;
    std::vector<std::vector<std::vector<std::string>>> problems;
    std::vector<OfferList::Totals> totals;
    {
        OpenLeagueState s;
        std::ostringstream notes;
        ASSERT_TRUE(OpenSalary(s, league.leaguePath, SalaryCreate::NoCreate, "board", notes)) << notes.str();
        OfferBoard board(s.GetContracts());
        board.Load(files);
        for (const OfferBoard::FileRow& file : board.Files()) {
            clubs.push_back(file.team);
            problems.push_back(file.problems);
            totals.push_back(file.totals);
        }
    }
    EXPECT_EQ(clubs, (std::vector<int>{0, 1, 2, 4}));
    int broken = 0;
    for (std::size_t f = 0; f < files.size(); ++f) {
        std::ostringstream out, err;
        OffersCommandOptions options;
        options.team = clubs[f];
        options.files = {files[f]};
        ASSERT_EQ(RunOffersCommand(league.leaguePath, options, out, err), 0) << err.str();
        const json doc = json::parse(out.str());
        ASSERT_EQ(doc["offerlist"].size(), problems[f].size());
        for (std::size_t i = 0; i < problems[f].size(); ++i) {
            EXPECT_EQ(doc["offerlist"][i]["problems"], json(problems[f][i])) << files[f] << " offer " << i;
            broken += !problems[f][i].empty();
        }
        EXPECT_EQ(doc["payroll"], totals[f].payrollText);
        EXPECT_EQ(doc["bonus"], totals[f].bonusText);
        EXPECT_EQ(doc["restructs"], totals[f].restructsText);
    }
    // Every club's money offers and its fifth restructure break a rule.
    EXPECT_GE(broken, 3 * 3 + 2);
}
