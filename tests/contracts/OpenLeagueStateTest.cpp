#include "contracts/OpenLeagueState.h"
#include "contracts/ContractList.h"
#include "contracts/ScriptedPrompt.h"
#include "league/League.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

namespace {

TestLeague SmallLeague() {
    TestLeague t;
    t.Add(100, Player::QB, 3);
    t.Add(101, Player::K, 1);
    t.rosters = {{100, 101}};
    return t;
}

TEST(OpenLeagueState, OpensInStepsAndWritesDefaultOptionsOnlyOnceTheLeagueIsRead) {
    TempDir dir;
    const std::string path = SmallLeague().Write(dir);
    ScriptedPrompt prompt; // no salary information: "Build Salary Info?" is answered No
    OpenLeagueState state;
    EXPECT_EQ(state.GetFolder(), "");
    ASSERT_TRUE(state.OpenLeague(path)) << state.GetFailure();
    EXPECT_EQ(state.GetFolder(), dir.Path());
    EXPECT_FALSE(dir.Exists("salreg"));
    // Steps out of order are refused with a reason, and change nothing.
    EXPECT_FALSE(state.LoadOptions(prompt));
    EXPECT_EQ(state.GetFailure(), "no league has been read");
    EXPECT_FALSE(dir.Exists("salreg"));

    ASSERT_TRUE(state.ReadLeagueData());
    EXPECT_FALSE(state.ReadLeagueData());
    EXPECT_EQ(state.GetFailure(), "the league has been read already");
    EXPECT_TRUE(state.LoadOptions(prompt));
    EXPECT_TRUE(dir.Exists("salreg"));
    EXPECT_EQ(state.GetOptions().GetFolder(), dir.Path());
    EXPECT_FALSE(state.IsLoaded());
    EXPECT_FALSE(state.ReadSalaryInfo(prompt));
    EXPECT_TRUE(state.IsLoaded());
    EXPECT_FALSE(state.IsSalaryLoaded());
    // The list is bound to this state's league and options.
    EXPECT_EQ(&state.GetContracts().GetLeague(), &state.GetLeague());
    EXPECT_EQ(&state.GetContracts().GetOptions(), &state.GetOptions());
    EXPECT_EQ(state.GetContracts().Count(), 200);
    EXPECT_FALSE(state.ReadSalaryInfo(prompt));
    EXPECT_EQ(state.GetFailure(), "the salary information has been read already");
}

TEST(OpenLeagueState, AFolderThatIsNotOursIsNeitherWrittenNorKeptAndTheReasonIsGiven) {
    TempDir dir;
    const std::string path = SmallLeague().Write(dir);
    ScriptedPrompt prompt;
    {
        // Held by another open league: refused, nothing written.
        OpenLeagueState holder;
        ASSERT_TRUE(holder.OpenAndRead(path));
        OpenLeagueState second;
        EXPECT_FALSE(second.Open(path, prompt));
        EXPECT_EQ(second.GetFailure(),
                  "cannot open the league " + path + ": the folder is in use by another program");
        EXPECT_FALSE(second.IsLoaded());
        EXPECT_FALSE(dir.Exists("salreg"));
    }
    // Released with the state: the folder opens again, and now holds the default options.
    {
        OpenLeagueState again;
        ASSERT_TRUE(again.Open(path, prompt)) << again.GetFailure();
        EXPECT_TRUE(again.IsLoaded());
        EXPECT_TRUE(dir.Exists("salreg"));
        EXPECT_FALSE(again.OpenLeague(path));
        EXPECT_EQ(again.GetFailure(), "a league is open already");
    }

    // A file that is not a league: the reason names it, and the options of its folder stay unwritten.
    TempDir other;
    other.Write("bad.lge", {'n', 'o', 'p', 'e'});
    OpenLeagueState bad;
    EXPECT_FALSE(bad.Open(other.File("bad.lge"), prompt));
    EXPECT_EQ(bad.GetFailure(),
              "cannot open the league " + other.File("bad.lge") + ": not a league file of version 2 or 3");
    EXPECT_FALSE(other.Exists("salreg"));
}

} // namespace
