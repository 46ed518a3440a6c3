#include "LeagueBytes.h"
#include "league/League.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace testleague;

class LeagueLists : public ::testing::Test {
  protected:
    std::unique_ptr<League> Write() {
        files.WriteTo(dir);
        return OpenAndRead(dir.File("my.lge"));
    }
    RosterFields WrittenRoster(int team) const {
        const Bytes lge = dir.Read("my.lge");
        return UnscrambleRoster(lge.data() + RosterBodyOffset(files.layout, team));
    }

    TempDir dir;
    LeagueFiles files = StandardLeague();
};

TEST_F(LeagueLists, ReadsIdentifiersIntoTheirPositionGroups) {
    // 100 is a quarterback, 107 a kicker; 50 is no player.
    files.freeAgents = std::vector<std::int16_t>{100, 107, 50};
    auto league = Write();
    EXPECT_TRUE(league->GetFAExists());
    EXPECT_EQ(league->GetFreeAgentTotal(), 3);
    for (int group = 0; group < 9; ++group)
        EXPECT_EQ(league->GetNumFreeAgents(group), group == 0 || group == 7 ? 1 : 0) << group;
    EXPECT_EQ(league->GetFreeAgents(0)[0], 100);
    EXPECT_EQ(league->GetFreeAgents(7)[0], 107);
    EXPECT_EQ(league->GetNumFreeAgents(9), 0);
    EXPECT_EQ(league->GetFreeAgents(9), nullptr);
    // The standard draft class: 150..159, two of them (150 and 159) in the LB group.
    EXPECT_EQ(league->GetCollegeDraftTotal(), 10);
    EXPECT_EQ(league->GetNumCollegeDraft(5), 2);
    EXPECT_EQ(league->GetCollegeDraft(5)[1], 159);
}

TEST_F(LeagueLists, GroupCodesOfThePositions) {
    const int codes[] = {0, 15, 16, 17, 18, 10, 19, 13, 14};
    for (int group = 0; group < 9; ++group)
        EXPECT_EQ(League::GenPos2FAPos(static_cast<Player::Pos>(codes[group])), group);
    for (int other : {-1, 1, 2, 9, 11, 12, 20, 127})
        EXPECT_EQ(League::GenPos2FAPos(static_cast<Player::Pos>(other)), 9) << other;
}

TEST_F(LeagueLists, WritingDropsInvalidIdentifiersAndCorrectsTheCounts) {
    // Seven entries; 50 and 250 are dropped. 140..144 are DL, LB, DB, K, P.
    files.freeAgents = std::vector<std::int16_t>{142, 50, 140, 250, 141, 144, 143};
    {
        auto league = Write();
        EXPECT_EQ(league->GetFreeAgentTotal(), 7);
        EXPECT_TRUE(league->WriteLeague());
    }
    // Ordered by group; count 5 at offset 8 and 2 + 2 * 5 = 12 bytes at offset 4.
    const Bytes expected = {'P', 'P', 'D', ':', 12, 0, 0, 0, 5, 0, 140, 0, 141, 0, 142, 0, 143, 0, 144, 0};
    EXPECT_EQ(dir.Read("my.pyf"), expected);
}

TEST_F(LeagueLists, ShortListsKeepWhatArrived) {
    Bytes list = ListFile({145, 146, 147, 148, 149});
    list.resize(list.size() - 5); // 145, 146 whole, 147 cut in half
    files.WriteTo(dir);
    dir.Write("my.pyf", list);
    dir.Write("my.pyc", Bytes{'P', 'P', 'D', ':', 0, 0, 0, 0, 3}); // no whole count
    auto league = OpenAndRead(dir.File("my.lge"));
    EXPECT_EQ(league->GetFreeAgentTotal(), 5);
    EXPECT_TRUE(league->IsFreeAgent(145));
    EXPECT_TRUE(league->IsFreeAgent(146));
    EXPECT_FALSE(league->IsFreeAgent(147));
    EXPECT_EQ(league->GetCollegeDraftTotal(), 0);
}

TEST_F(LeagueLists, MembershipCoversBothLists) {
    auto league = Write();
    EXPECT_TRUE(league->IsFreeAgent(145));  // free agent
    EXPECT_TRUE(league->IsFreeAgent(150));  // only in the draft
    EXPECT_FALSE(league->IsFreeAgent(100)); // on a roster
    EXPECT_FALSE(league->IsFreeAgent(170)); // nowhere
}

TEST_F(LeagueLists, MovePlayerUsesFallbackSlotsGivesAJerseyAndLeavesTheFreeAgents) {
    // Team 2: slots 0..4 hold 110..114 (jerseys 10..14); 34 and 35 hold 146 and 147
    // wearing 1 and 2. Quarterback 145 finds slots 0, 1, 34, 35 taken: slot 36, and the
    // lowest free number of 1..19 is 3.
    files.freeAgents = std::vector<std::int16_t>{145, 154};
    files.layout.rosters[2].pids[34] = 146, files.layout.rosters[2].jerseys[34] = 1;
    files.layout.rosters[2].pids[35] = 147, files.layout.rosters[2].jerseys[35] = 2;
    {
        auto league = Write();
        ASSERT_EQ(league->GetNumFreeAgents(0), 2);
        ASSERT_TRUE(league->MovePlayer(145, 2));
        EXPECT_EQ(league->GetRoster(2)[36], 145);
        EXPECT_EQ(league->GetRosterRecord(2)->jerseys[36], 3);
        EXPECT_EQ(league->GetNumFreeAgents(0), 1);
        EXPECT_EQ(league->GetFreeAgents(0)[0], 154);
        EXPECT_EQ(league->GetFreeAgentTotal(), 1);
        EXPECT_FALSE(league->IsFreeAgent(145));
        EXPECT_EQ(league->FindTeam(145), 2);
        EXPECT_TRUE(league->WriteLeague());
    }
    const RosterFields written = WrittenRoster(2);
    EXPECT_EQ(written.pids[36], 145);
    EXPECT_EQ(written.jerseys[36], 3);
    EXPECT_EQ(dir.Read("my.pyf"), ListFile({154}));
}

TEST_F(LeagueLists, MovePlayerBetweenRostersClearsTheOldSlots) {
    files.layout.rosters[0].pids[40] = 100; // 100 holds two slots on team 0
    auto league = Write();
    const int totalBefore = league->GetFreeAgentTotal();
    // Team 1's quarterback slots hold 105 and 106: 100 goes to slot 34, number 1.
    ASSERT_TRUE(league->MovePlayer(100, 1));
    EXPECT_EQ(league->GetRoster(1)[34], 100);
    EXPECT_EQ(league->GetRosterRecord(1)->jerseys[34], 1);
    EXPECT_EQ(league->GetRoster(0)[0], 0);
    EXPECT_EQ(league->GetRoster(0)[40], 0);
    EXPECT_EQ(league->GetRosterRecord(0)->jerseys[0], 10); // numbers stay
    EXPECT_EQ(league->GetFreeAgentTotal(), totalBefore);
    EXPECT_EQ(league->FindTeam(100), 1);
}

TEST_F(LeagueLists, MovePlayerKeepsEverythingWhenItCannot) {
    for (int s = 0; s < 53; ++s)
        files.layout.rosters[3].pids[static_cast<std::size_t>(s)] = 199;
    auto league = Write();
    const Roster team3 = *league->GetRosterRecord(3);
    EXPECT_FALSE(league->MovePlayer(145, 3)); // every range full
    EXPECT_EQ(0, std::memcmp(&team3, league->GetRosterRecord(3), sizeof team3));
    EXPECT_TRUE(league->IsFreeAgent(145));

    const Roster team0 = *league->GetRosterRecord(0);
    EXPECT_TRUE(league->MovePlayer(101, 0)); // already there
    EXPECT_EQ(0, std::memcmp(&team0, league->GetRosterRecord(0), sizeof team0));

    EXPECT_FALSE(league->MovePlayer(145, 8));  // no such team
    EXPECT_FALSE(league->MovePlayer(145, -1)); // no such team
    EXPECT_FALSE(league->MovePlayer(0, 0));    // an empty slot is no player
    EXPECT_FALSE(league->MovePlayer(200, 0));  // at the next identifier
    EXPECT_TRUE(league->IsFreeAgent(145));
}

TEST_F(LeagueLists, MakeFreeAgentCreatesTheFreeAgentFileThroughWriteBack) {
    files.freeAgents.reset();
    {
        auto league = Write();
        EXPECT_FALSE(league->MakeFreeAgent(145)); // on no roster
        EXPECT_FALSE(dir.Exists("~saltemp.pyf"));
        // 112 (slot 2 of team 2, jersey 12) is an offensive lineman: group 3.
        ASSERT_TRUE(league->MakeFreeAgent(112));
        EXPECT_TRUE(dir.Exists("~saltemp.pyf"));
        EXPECT_TRUE(league->GetFAExists());
        EXPECT_EQ(league->GetFreeAgentTotal(), 1);
        EXPECT_EQ(league->GetNumFreeAgents(3), 1);
        EXPECT_EQ(league->GetFreeAgents(3)[0], 112);
        EXPECT_EQ(league->FindTeam(112), -1);
        EXPECT_TRUE(league->IsFreeAgent(112));
        EXPECT_TRUE(league->WriteLeague());
    }
    EXPECT_EQ(dir.Read("my.pyf"), ListFile({112}));
    EXPECT_FALSE(dir.Exists("~saltemp.pyf"));
    const RosterFields written = WrittenRoster(2);
    EXPECT_EQ(written.pids[2], 0);
    EXPECT_EQ(written.jerseys[2], 12);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
}

TEST_F(LeagueLists, AListWithAWrongTagReadsEmptyAndIsNeverRewritten) {
    files.WriteTo(dir);
    Bytes notAList = ListFile({145, 146});
    notAList[0] = 'Q';
    dir.Write("my.pyf", notAList);
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        EXPECT_TRUE(league->GetFAExists());
        EXPECT_EQ(league->GetFreeAgentTotal(), 0);
        ASSERT_NE(league->GetFreeAgents(0), nullptr);
        EXPECT_EQ(league->GetNumFreeAgents(0), 0);
        EXPECT_FALSE(league->IsFreeAgent(145));
        // Releasing a player would mean replacing the file we could not read.
        EXPECT_FALSE(league->MakeFreeAgent(100));
        EXPECT_EQ(league->FindTeam(100), 0);
        ASSERT_TRUE(league->MovePlayer(145, 0));
        EXPECT_TRUE(league->WriteLeague());
    }
    EXPECT_EQ(dir.Read("my.pyf"), notAList);
    EXPECT_EQ(WrittenRoster(0).pids[34], 145); // quarterback slots 0 and 1 are taken
}

TEST_F(LeagueLists, GroupsGrowBeyondAQuarterOfTheNextIdentifier) {
    // Next identifier 200: room for 50 per group to start with; 120 quarterbacks listed.
    files.freeAgents = std::vector<std::int16_t>(120, 145);
    {
        auto league = Write();
        EXPECT_EQ(league->GetNumFreeAgents(0), 120);
        for (int id = 100; id < 135; ++id)
            ASSERT_TRUE(league->MakeFreeAgent(static_cast<short>(id)));
        EXPECT_EQ(league->GetFreeAgentTotal(), 155);
        ASSERT_TRUE(league->MovePlayer(145, 7));
        EXPECT_EQ(league->GetNumFreeAgents(0), 119 + 4); // 100, 109, 118, 127 joined
        EXPECT_EQ(league->GetFreeAgents(0)[118], 145);
        EXPECT_EQ(league->GetFreeAgents(0)[119], 100);
        EXPECT_TRUE(league->WriteLeague());
    }
    const Bytes pyf = dir.Read("my.pyf");
    EXPECT_EQ(pyf[8] | (pyf[9] << 8), 119 + 35);
    EXPECT_EQ(pyf.size(), 10u + 2 * (119 + 35));
}

} // namespace
