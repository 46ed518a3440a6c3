#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include "league/Encryption.h"
#include "tools/Cli.h"
#include "tools/Commands.h"
#include "tools/SampleLeague.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using nlohmann::json;

namespace {

class LeagueCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        SampleLeagueOptions options;
        options.folder = dir.Path();
        options.seed = 3;
        options.teams = 10;
        std::string error;
        ASSERT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    }

    std::string Lge() const { return dir.File("sample.lge"); }

    TempDir dir;
    sample::Result result;
    std::ostringstream out, err;
};

TEST_F(LeagueCommands, LeagueJsonHasTheKeysAndLeavesTheFilesAsTheyWere) {
    const auto before = dir.Snapshot();
    ASSERT_EQ(RunLeagueCommand(Lge(), out, err), 0) << err.str();
    EXPECT_EQ(dir.Snapshot(), before) << "same files, same bytes, no working copies left";
    EXPECT_TRUE(err.str().empty());

    const json doc = json::parse(out.str());
    EXPECT_EQ(doc["name"], "Sample League");
    EXPECT_EQ(doc["fileName"], "sample");
    EXPECT_EQ(doc["season"], result.season);
    EXPECT_EQ(doc["stage"], 2);
    EXPECT_EQ(doc["numTeams"], 10);
    EXPECT_EQ(doc["numConf"], 2);
    EXPECT_EQ(doc["nextPlayerID"], result.nextPlayerID);
    ASSERT_EQ(doc["teams"].size(), 10u);
    const json& team = doc["teams"][1];
    EXPECT_EQ(team["index"], 1);
    EXPECT_EQ(team["name"], "Granite Falls Rams");
    EXPECT_EQ(team["abbr"], "GFR");
    for (const char* key : {"roster", "jerseys", "sortedRoster"})
        EXPECT_EQ(team[key].size(), 63u) << key;
    // The sorted roster holds the same identifiers, empty slots last.
    auto roster = team["roster"].get<std::vector<int>>();
    auto sorted = team["sortedRoster"].get<std::vector<int>>();
    EXPECT_EQ(sorted.back(), 0);
    std::sort(roster.begin(), roster.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(roster, sorted);

    for (const char* list : {"freeAgents", "draft"}) {
        ASSERT_TRUE(doc[list].is_object()) << list;
        ASSERT_EQ(doc[list]["groups"].size(), 9u);
        std::size_t ids = 0;
        for (const auto& group : doc[list]["groups"])
            ids += group.size();
        EXPECT_EQ(doc[list]["total"], ids) << list;
    }
    EXPECT_EQ(doc["draft"]["total"], 70);
    EXPECT_EQ(doc["freeAgents"]["total"], result.freeAgents);
}

TEST_F(LeagueCommands, ListsWithoutAFileAreNull) {
    SampleLeagueOptions options;
    options.folder = dir.Path();
    options.stage = 5;
    options.freeAgents = false;
    std::string error;
    ASSERT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    ASSERT_EQ(RunLeagueCommand(Lge(), out, err), 0) << err.str();
    const json doc = json::parse(out.str());
    EXPECT_TRUE(doc["freeAgents"].is_null());
    EXPECT_TRUE(doc["draft"].is_null());
}

TEST_F(LeagueCommands, PlayersJsonListsEveryRecordAndLeavesTheFilesAsTheyWere) {
    const auto before = dir.Snapshot();
    ASSERT_EQ(RunPlayersCommand(Lge(), out, err), 0) << err.str();
    EXPECT_EQ(dir.Snapshot(), before);

    const json players = json::parse(out.str());
    ASSERT_EQ(players.size(), result.players.size());
    for (std::size_t i = 0; i < players.size(); ++i) {
        const json& p = players[i];
        const SamplePlayerInfo& info = result.players[i];
        ASSERT_EQ(p["id"], info.id);
        for (const char* key : {"firstName", "lastName", "pos"})
            EXPECT_TRUE(p[key].is_string()) << key;
        EXPECT_EQ(p["posGeneral"], static_cast<int>(info.general));
        EXPECT_EQ(p["posSpecific"], static_cast<int>(info.specific));
        EXPECT_EQ(p["years"], info.years);
        EXPECT_EQ(p["actual"].size(), 8u);
        EXPECT_EQ(p["potential"].size(), 8u);
        EXPECT_EQ(p["team"], info.team);
        EXPECT_EQ(p["freeAgent"], info.freeAgent || info.draft);
    }
}

// Names are single bytes in the game's files; JSON output must stay valid UTF-8.
TEST_F(LeagueCommands, PlayersJsonCarriesLatin1NamesAsUtf8) {
    auto pyr = dir.Read("sample.pyr");
    Encryption encryption;
    encryption.Init(pyr[0], pyr[1]);
    std::uint8_t* record = &pyr[60];
    encryption.Decrypt(record, 60);
    const short id = static_cast<short>(record[0] | record[1] << 8);
    std::memcpy(record + 2, "Jos\xE9\0", 5);
    encryption.Encrypt(record, 60);
    dir.Write("sample.pyr", pyr);

    ASSERT_EQ(RunPlayersCommand(Lge(), out, err), 0) << err.str();
    const json players = json::parse(out.str());
    const auto it =
        std::find_if(players.begin(), players.end(), [&](const json& p) { return p["id"] == id; });
    ASSERT_NE(it, players.end());
    EXPECT_EQ((*it)["firstName"], "Jos\xC3\xA9");
}

TEST_F(LeagueCommands, SummaryNamesLeagueTeamsAndLists) {
    ASSERT_EQ(RunSummaryCommand(Lge(), out, err), 0) << err.str();
    const std::string text = out.str();
    for (const char* part :
         {"Sample League", "Harbor City Gulls", "GFR", "Free agents: ", "College draft: 70"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST_F(LeagueCommands, AFailingOpenGivesOneLineAndAnErrorStatus) {
    dir.Write("bad.lge", {'X', '0', '3', ':', 0, 0, 0, 0});
    dir.Write("bad.pyr", std::vector<std::uint8_t>(60, 0));
    dir.Write("nopyr.lge", dir.Read("sample.lge"));
    const auto before = dir.Snapshot();
    for (const std::string name : {"bad.lge", "nopyr.lge", "missing.lge", "sample.pyr"}) {
        for (auto command : {RunLeagueCommand, RunPlayersCommand, RunSummaryCommand}) {
            std::ostringstream o, e;
            EXPECT_NE(command(dir.File(name), o, e), 0) << name;
            EXPECT_TRUE(o.str().empty()) << name;
            const std::string error = e.str();
            EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
            EXPECT_EQ(error.back(), '\n');
            EXPECT_NE(error.find(name), std::string::npos) << error;
        }
    }
    EXPECT_EQ(dir.Snapshot(), before);
}

TEST_F(LeagueCommands, CommandLineRunsTheCommandsAndRejectsBadArguments) {
    auto cli = [&](std::vector<const char*> args) {
        args.insert(args.begin(), "brevane-cli");
        out.str("");
        err.str("");
        return RunCli(static_cast<int>(args.size()), args.data(), out, err);
    };
    const std::string lge = Lge();
    EXPECT_EQ(cli({"summary", lge.c_str()}), 0);
    EXPECT_NE(out.str().find("Sample League"), std::string::npos);
    EXPECT_EQ(cli({"league", lge.c_str()}), 0);
    EXPECT_EQ(json::parse(out.str())["numTeams"], 10);

    const std::string folder = dir.File("cli");
    EXPECT_EQ(cli({"sample-league", folder.c_str(), "--teams", "8", "--seed", "9", "--version", "2",
                   "--stage", "5", "--no-free-agents"}),
              0)
        << err.str();
    EXPECT_NE(out.str().find("8 teams"), std::string::npos) << out.str();
    EXPECT_TRUE(dir.Exists("cli/sample.lge"));
    EXPECT_FALSE(dir.Exists("cli/sample.pyf"));
    EXPECT_FALSE(dir.Exists("cli/sample.pyc"));
    EXPECT_EQ(dir.Read("cli/sample.lge")[2], '2');

    // A refused value is the command's failure (1); arguments that do not parse are usage errors (2).
    EXPECT_EQ(cli({"sample-league", folder.c_str(), "--teams", "9"}), 1);
    EXPECT_NE(err.str().find("--teams"), std::string::npos);
    EXPECT_EQ(cli({"sample-league", folder.c_str(), "--teams", "many"}), 2);
    EXPECT_EQ(cli({}), 2);
    EXPECT_EQ(cli({"league"}), 2);
    EXPECT_EQ(cli({"unknown"}), 2);
    EXPECT_EQ(cli({"league", lge.c_str(), "extra"}), 2);
    EXPECT_EQ(cli({"--help"}), 0);
}

} // namespace

TEST(SummaryCommand, CountsThePlayersOfARosterNotItsSlots) {
    // Team 1's roster names player 120 twice, and 99, 30,000 and -5, which are no players.
    TestLeague plan;
    plan.nextID = 130;
    plan.Add(120, Player::QB, 5);
    plan.Add(121, Player::WR, 3);
    plan.rosters = {{}, {120, 121, 120, 99, 30000, -5}};
    TempDir dir;
    const std::string lge = plan.Write(dir);
    std::ostringstream out, err;
    ASSERT_EQ(RunCliWith({"summary", lge}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("Players on rosters: 2\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("  2 players\n"), std::string::npos) << out.str();
}
