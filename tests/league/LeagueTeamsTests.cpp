#include "LeagueBytes.h"
#include "league/League.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace testleague;

class LeagueTeams : public ::testing::Test {
  protected:
    std::unique_ptr<League> Write() {
        files.WriteTo(dir);
        return OpenAndRead(dir.File("my.lge"));
    }

    TempDir dir;
    LeagueFiles files = StandardLeague();
};

TEST_F(LeagueTeams, ReadsEveryTeamAndRosterInChunkOrder) {
    auto league = Write();
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(league->GetTeamName(k), "Club " + std::to_string(k));
        EXPECT_EQ(league->GetTeamAbbr(k), "CL" + std::to_string(k));
        const short* roster = league->GetRoster(k);
        for (int s = 0; s < 5; ++s)
            EXPECT_EQ(roster[s], 100 + 5 * k + s);
        EXPECT_EQ(roster[5], 0);
        EXPECT_EQ(league->GetRosterRecord(k)->jerseys[4], 14);
        EXPECT_EQ(league->GetRosterRecord(k)->seed, (k - 4) * 1234);
    }
    EXPECT_EQ(league->GetTeamName(8), "");
    EXPECT_EQ(league->GetRoster(-1), nullptr);
}

TEST_F(LeagueTeams, FindTeamAnswersTheLowestTeamOrMinusOne) {
    files.layout.rosters[6].pids[40] = 103; // also on team 0
    files.layout.rosters[5].pids[62] = 141; // an extra slot counts too
    auto league = Write();
    EXPECT_EQ(league->FindTeam(103), 0);
    EXPECT_EQ(league->FindTeam(139), 7);
    EXPECT_EQ(league->FindTeam(141), 5);
    EXPECT_EQ(league->FindTeam(145), -1);
}

TEST_F(LeagueTeams, SortedRosterFollowsTheExchangeOrder) {
    // Keys 2, 2, 1 in slots 0, 1, 2: i = 0 exchanges slot 0 with slot 2 (2 > 1); i = 1
    // finds no smaller key. The order is slot 2, slot 1, slot 0.
    files.players.push_back({160, "Full", "Back", 15, 1});
    files.layout.rosters[0].pids = {};
    files.layout.rosters[0].pids[0] = 101; // HB, key 2
    files.layout.rosters[0].pids[1] = 110; // HB, key 2
    files.layout.rosters[0].pids[2] = 160; // FB, key 1
    // Team 1: empty slot, K 107, QB 100, invalid 250, QB 109, K 116. Worked through the
    // exchanges by hand: 100, 109, 107, 116, 0, 250, then the empty slots.
    files.layout.rosters[1].pids = {0, 107, 100, 250, 109, 116};
    auto league = Write();

    const short* sorted = league->GetSortedRoster(0);
    EXPECT_EQ(sorted[0], 160);
    EXPECT_EQ(sorted[1], 110);
    EXPECT_EQ(sorted[2], 101);
    EXPECT_TRUE(std::all_of(sorted + 3, sorted + 63, [](short id) { return id == 0; }));
    // The roster itself keeps its slot order.
    EXPECT_EQ(league->GetRoster(0)[0], 101);

    sorted = league->GetSortedRoster(1);
    const short expected[] = {100, 109, 107, 116, 0, 250};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), sorted));
    EXPECT_TRUE(std::all_of(sorted + 6, sorted + 63, [](short id) { return id == 0; }));
}

TEST_F(LeagueTeams, WritingARosterChangesOnlyItsIdentifierBytes) {
    files.WriteTo(dir);
    const Bytes before = dir.Read("my.lge");
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        league->GetRoster(2)[10] = 150;
        EXPECT_TRUE(league->WriteLeague());
    }
    const Bytes after = dir.Read("my.lge");
    ASSERT_EQ(after.size(), before.size());
    const std::size_t at = RosterBodyOffset(files.layout, 2) + 2 + 2 * 10;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i != at && i != at + 1) {
            ASSERT_EQ(after[i], before[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(UnscrambleRoster(after.data() + RosterBodyOffset(files.layout, 2)).pids[10], 150);
}

TEST_F(LeagueTeams, MissingAndCutShortChunksGiveEmptyRecordsAndAreNeverGrown) {
    files.layout.teams.resize(6);
    Bytes lge = LeagueFile(files.layout);
    lge.resize(lge.size() - 100); // the last roster body is cut short
    files.WriteTo(dir);
    dir.Write("my.lge", lge);
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        EXPECT_EQ(league->GetTeamName(5), "Club 5");
        EXPECT_EQ(league->GetTeamName(6), "");
        EXPECT_EQ(league->GetRoster(6)[0], 130);
        const short* cut = league->GetRoster(7);
        EXPECT_TRUE(std::all_of(cut, cut + 63, [](short id) { return id == 0; }));
        ASSERT_TRUE(league->MovePlayer(145, 7)); // changes the record that has no whole body
        EXPECT_TRUE(league->WriteLeague());
        EXPECT_TRUE(league->WriteTeamData());
    }
    EXPECT_EQ(dir.Read("my.lge"), lge);
}

TEST_F(LeagueTeams, ChunksBeyondTheNumberOfTeamsAreIgnoredAndNeverWritten) {
    files.layout.teams.push_back({9, "Extra", "EX"});
    RosterFields extra;
    extra.seed = 77;
    extra.pids[0] = 145;
    files.layout.rosters.push_back(extra);
    auto league = Write();
    const Bytes before = dir.Read("my.lge");
    EXPECT_EQ(league->GetNumTeams(), 8);
    EXPECT_EQ(league->FindTeam(145), -1);
    EXPECT_TRUE(league->WriteLeague());
    EXPECT_TRUE(league->WriteTeamData());
    league.reset();
    EXPECT_EQ(dir.Read("my.lge"), before);
}

TEST_F(LeagueTeams, ATagInsideOtherDataCountsAsTheNextChunk) {
    // The league name holds "T03:"; its "body" runs over the real first team chunk, so
    // the real chunks of teams 1..7 are found as teams 1..7 and team 0 is made of header bytes.
    files.layout.name = "xxT03:yy";
    auto league = Write();
    EXPECT_NE(league->GetTeamName(0), "Club 0");
    for (int k = 1; k < 8; ++k)
        EXPECT_EQ(league->GetTeamName(k), "Club " + std::to_string(k));
}

} // namespace
